#include "core/ExchangeLines.h"

#include "core/Globals.h"
#include "core/PlayerNames.h"
#include "core/Texts.h"
#include "core/TournamentFileLines.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace exchange {
namespace {

const QString kNoLead = QStringLiteral("Entame=?");

// A whole number 0..100 of a split, else 50.
int splitPercent(const QString& text) {
  bool ok = false;
  const int v = text.trimmed().toInt(&ok);
  return ok && v >= 0 && v <= 100 ? v : 50;
}

// The tables' words for a result without a contract.
std::optional<ResultKind> wordKind(const QString& text) {
  if (text == QLatin1String("PASSE")) return ResultKind::Pass;
  if (text == QLatin1String("NOT PLAYED")) return ResultKind::NotPlayed;
  if (text == QLatin1String("MOY")) return ResultKind::Average;
  if (text == QLatin1String("AJU")) return ResultKind::Arbitral;
  return std::nullopt;
}

// The numbers that open a line, each as the program's files write them;
// pos is left after the last one.
bool leadingNumbers(const QString& line, int* values, int count, qsizetype& pos) {
  pos = 0;
  for (int i = 0; i < count; ++i)
    if (!tournament_files::ToInteger(tournament_files::NextField(line, pos), values[i])) return false;
  return true;
}

// The first count blank-separated words of a line, as whole numbers; nothing
// when one is not a number or there are fewer.
std::optional<std::vector<int>> numbers(const QString& line, int count) {
  const QStringList words = line.simplified().split(u' ', Qt::SkipEmptyParts);
  if (words.size() < count) return std::nullopt;
  std::vector<int> values;
  for (int i = 0; i < count; ++i) {
    bool ok = false;
    const int v = words[i].toInt(&ok);
    if (!ok) return std::nullopt;
    values.push_back(v);
  }
  return values;
}

}  // namespace

namespace {

QString yesNo(bool value) { return value ? QStringLiteral("Y") : QStringLiteral("N"); }

}  // namespace

QString PrefsLine(const Prefs& p) {
  return QStringList{QString::number(p.roundsPlayed),
                     QString::number(p.dealCount),
                     QString::number(p.tableCount),
                     QString::number(p.boardsPerTable),
                     QString(p.movement),
                     QString::number(p.mitchellType),
                     yesNo(p.byePresent),
                     QString::number(p.byeNsPair),
                     QString::number(p.byeEwPair),
                     yesNo(p.federationMode),
                     yesNo(p.pairsEntered),
                     QString::number(p.roundsShown),
                     QString::number(p.percentagesFromRound),
                     yesNo(p.enterDealsAtTable),
                     yesNo(p.heredia),
                     QString::number(p.federationMovementKind),
                     QString(p.screen),
                     p.password}
      .join(u' ');
}

std::optional<Prefs> ParsePrefsLine(const QString& line) {
  // The password is what follows the seventeenth blank, kept as it is.
  qsizetype from = 0;
  QStringList f;
  for (int i = 0; i < 17; ++i) {
    const qsizetype blank = line.indexOf(u' ', from);
    if (blank < 0) return std::nullopt;
    f << line.mid(from, blank - from);
    from = blank + 1;
  }
  Prefs p;
  p.password = line.mid(from);
  if (p.password.endsWith(u'\r')) p.password.chop(1);
  bool ok[4] = {};
  p.roundsPlayed = f[0].toInt(&ok[0]);
  p.dealCount = f[1].toInt(&ok[1]);
  p.tableCount = f[2].toInt(&ok[2]);
  p.boardsPerTable = f[3].toInt(&ok[3]);
  for (bool b : ok)
    if (!b) return std::nullopt;
  if (f[4].size() != 1 || p.tableCount < 1 || p.tableCount > kMaxTables || p.boardsPerTable < 1 ||
      p.boardsPerTable > kMaxBoards)
    return std::nullopt;
  const auto yes = [](const QString& text) { return text == QLatin1String("Y"); };
  p.movement = f[4][0];
  p.mitchellType = f[5].toInt();
  p.byePresent = yes(f[6]);
  p.byeNsPair = f[7].toInt();
  p.byeEwPair = f[8].toInt();
  p.federationMode = yes(f[9]);
  p.pairsEntered = f[10] != QLatin1String("N");
  p.roundsShown = f[11].toInt();
  p.percentagesFromRound = f[12].toInt();
  p.enterDealsAtTable = yes(f[13]);
  p.heredia = yes(f[14]);
  p.federationMovementKind = f[15].toInt();
  p.screen = f[16].isEmpty() ? QChar() : f[16][0];
  return p;
}

QString MovementLineText(const MovementLine& m) {
  if (m.table == 0 && m.ns == 0 && m.ew == 0 && m.boardSet == 0) return QStringLiteral("%1 0  0  0  0").arg(m.round);
  return QStringLiteral("%1 %2 %3 %4 %5").arg(m.round).arg(m.table).arg(m.ns).arg(m.ew).arg(m.boardSet);
}

std::vector<MovementLine> ParseMovement(const QStringList& lines) {
  std::vector<MovementLine> result;
  for (const QString& line : lines) {
    const auto v = numbers(line, 5);
    if (!v || (*v)[0] < 1 || (*v)[0] > kMaxPairs || (*v)[4] > kMaxBoards) continue;
    if (std::any_of(v->begin(), v->end(), [](int n) { return n < 0 || n > 2 * kMaxPairs; })) continue;
    result.push_back({(*v)[0], (*v)[1], (*v)[2], (*v)[3], (*v)[4]});
    if (result.size() >= static_cast<std::size_t>(kMaxPairs)) break;
  }
  return result;
}

QString ByeLineText(const ByeLine& b) {
  return QStringLiteral("%1 %2 %3 %4 %5").arg(b.round).arg(b.table).arg(b.board).arg(b.ns).arg(b.ew);
}

std::vector<ByeLine> ParseByeList(const QStringList& lines) {
  std::vector<ByeLine> result;
  for (const QString& line : lines) {
    const auto v = numbers(line, 5);
    if (!v) continue;
    result.push_back({(*v)[0], (*v)[1], (*v)[2], (*v)[3], (*v)[4]});
  }
  return result;
}

QString ResultValue(const TableResult& table) {
  const SlotResult& result = table.result;
  switch (table.kind) {
    case ResultKind::Contract: return result.declarer + u' ' + result.contract;
    case ResultKind::Pass: return QStringLiteral("PASSE");
    case ResultKind::NotPlayed: return QStringLiteral("NOT PLAYED");
    case ResultKind::Average: return QStringLiteral("MOY");
    case ResultKind::Arbitral: return QStringLiteral("AJU");
    case ResultKind::Split: {
      const auto [ns, ew] = result.percentages.value_or(std::pair(50.0, 50.0));
      return QStringLiteral("%1 - %2").arg(std::lround(ns)).arg(std::lround(ew));
    }
    case ResultKind::None:
    case ResultKind::Delete: return {};
  }
  return {};
}

QString ResultText(const TableResult& table) {
  const SlotResult& result = table.result;
  if (table.kind == ResultKind::Delete)
    return (result.declarer.isEmpty() ? QStringLiteral("N") : result.declarer) + QStringLiteral(" DELETE");
  QString text = ResultValue(table);
  if (table.kind == ResultKind::Contract && result.leadGiven()) text += u' ' + result.lead;
  return text;
}

TableResult ReadResultText(const QString& raw) {
  const QString text = raw.toUpper().trimmed();
  TableResult r;
  if (text.isEmpty()) {
    r.kind = ResultKind::None;
  } else if (const std::optional<ResultKind> word = wordKind(text)) {
    r.kind = *word;
  } else if (text.contains(QLatin1String(" - "))) {
    r.kind = ResultKind::Split;
    const qsizetype dash = text.indexOf(u'-');
    r.result.percentages = std::pair<double, double>(splitPercent(text.left(dash)), splitPercent(text.mid(dash + 1)));
  } else {
    const QString declarer = text.left(1);
    const QStringList words = text.mid(2).split(u' ', Qt::SkipEmptyParts);
    const QString contract = words.value(0);
    if (contract.isEmpty()) {
      r.kind = ResultKind::None;
    } else if (contract == QLatin1String("DELETE")) {
      r.kind = ResultKind::Delete;
      r.result.declarer = declarer;
    } else if (const std::optional<ResultKind> word = wordKind(contract)) {
      r.kind = *word;  // a word after a declarer's letter, the letter kept
      r.result.declarer = declarer;
    } else {
      r.result.declarer = declarer;
      r.result.contract = contract;
      if (words.size() > 1) r.result.lead = words[1];
    }
  }
  return r;
}

QString ResultFileLine(int table, int board, int round, int ns, int ew, const QString& text) {
  return QStringLiteral("%1 1 0 %2 %3 %4 %5 ").arg(table).arg(board).arg(round).arg(ns).arg(ew) + text;
}

std::optional<ResultFileRecord> ParseResultFileLine(const QString& line) {
  int v[7] = {};
  qsizetype pos = 0;
  if (!leadingNumbers(line, v, 7, pos)) return std::nullopt;
  ResultFileRecord r{v[0], v[3], v[4], v[5], v[6], pos < line.size() ? line.mid(pos + 1) : QString(), {}};
  r.result = ReadResultText(r.text);
  return r;
}

QString EchoLineText(const EchoLine& e) {
  return QStringLiteral("%1 1 %2 %3 %4 %5 %6 ")
             .arg(e.table)
             .arg(e.marker)
             .arg(e.board)
             .arg(e.round)
             .arg(e.ns)
             .arg(e.ew) +
         e.declarer + u' ' + e.contract + u' ' + e.lead.value_or(kNoLead);
}

std::optional<EchoLine> ParseEchoLine(const QString& line) {
  // Seven numbers each followed by one blank, then fields separated by one
  // blank, any of them empty: the declarer, the contract, the lead.
  qsizetype pos = 0;
  int values[7] = {};
  for (int& value : values) {
    const qsizetype blank = line.indexOf(u' ', pos);
    if (blank < 0) return std::nullopt;
    bool ok = false;
    value = line.mid(pos, blank - pos).toInt(&ok);
    if (!ok) return std::nullopt;
    pos = blank + 1;
  }
  QStringList f = line.mid(pos).split(u' ');
  if (!f.isEmpty() && f.back().endsWith(u'\r')) f.back().chop(1);
  if (f.size() < 3) return std::nullopt;
  EchoLine e{values[0], values[2], values[3], values[4], values[5], values[6], f[0], f[1], {}};
  // The contracts written in several words: a split "60 - 40", "NOT PLAYED".
  qsizetype next = 2;
  if (f.size() >= 5 && f[2] == QLatin1String("-")) {
    e.contract = f.mid(1, 3).join(u' ');
    next = 4;
  } else if (f.size() >= 4 && f[1].compare(QLatin1String("NOT"), Qt::CaseInsensitive) == 0 &&
             f[2].compare(QLatin1String("PLAYED"), Qt::CaseInsensitive) == 0) {
    e.contract = f[1] + u' ' + f[2];
    next = 3;
  }
  if (f[next] != kNoLead) e.lead = f[next];
  return e;
}

bool IsDeleteEcho(const EchoLine& echo) { return echo.contract == QLatin1String("DELETE") && !echo.lead; }

QString PlayersFileLine(const std::array<SeatEntry, 4>& seats) {
  QStringList entries;
  for (const SeatEntry& s : seats) {
    if (s.name.isEmpty())
      entries << QStringLiteral("*** Pas rempli ***");
    else if (s.licence.isEmpty())
      entries << s.name;
    else
      entries << s.licence + u'&' + s.name;
  }
  return entries.join(u'@');
}

std::array<QString, 4> ParsePlayersFileLine(const QString& line) {
  const QStringList fields = line.split(u'@');
  std::array<QString, 4> entries;
  for (qsizetype i = 0; i < 4 && i < fields.size(); ++i) entries[i] = i == 0 ? fields[i] : fields[i].left(100);
  return entries;
}

namespace {

std::optional<int> optionalNumber(const QString& text) {
  bool ok = false;
  const int v = text.toInt(&ok);
  return ok ? std::optional<int>(v) : std::nullopt;
}

QString optionalText(std::optional<int> value) { return value ? QString::number(*value) : QStringLiteral("--"); }

}  // namespace

QString BoardFileContent(int board, const std::vector<FrequencyRow>& rows, bool noResult) {
  const QString crLf = QStringLiteral("\r\n");
  QString text = QStringLiteral("Donne %1").arg(board) + crLf + crLf;
  for (const FrequencyRow& r : rows) {
    const bool played = r.score && *r.score != 0;
    text += r.contract + (played ? u'/' + r.declarer : QString()) + u' ' + optionalText(r.score) +
            QStringLiteral(" %1 ").arg(r.ns) + optionalText(r.nsPercent) + QStringLiteral(" %1 ").arg(r.ew) +
            optionalText(r.ewPercent);
    if (!r.score)
      text += QStringLiteral(" --");
    else if (played)
      text += u' ' + r.lead;
    text += crLf;
  }
  if (noResult) text += QStringLiteral("Aucun résultat introduit") + crLf;
  return text;
}

std::vector<FrequencyRow> ParseBoardFile(const QStringList& lines) {
  std::vector<FrequencyRow> rows;
  for (qsizetype i = 2; i < lines.size(); ++i) {
    const QStringList w = lines[i].simplified().split(u' ', Qt::SkipEmptyParts);
    if (w.size() < 6) continue;
    FrequencyRow r;
    const qsizetype slash = w[0].indexOf(u'/');
    r.contract = slash < 0 ? w[0] : w[0].left(slash);
    r.declarer = slash < 0 ? QString() : w[0].mid(slash + 1);
    r.score = optionalNumber(w[1]);
    const auto ns = optionalNumber(w[2]);
    const auto ew = optionalNumber(w[4]);
    if (!ns || !ew) continue;
    r.ns = *ns;
    r.ew = *ew;
    r.nsPercent = optionalNumber(w[3]);
    r.ewPercent = optionalNumber(w[5]);
    // A passed board has no lead: its seventh field, if any, is another one.
    if (r.score != 0 && w.size() > 6 && w[6] != QLatin1String("--")) r.lead = w[6];
    rows.push_back(r);
  }
  return rows;
}

QString TableHolderLine(const TableHolder& h) { return QString::number(h.table) + u'\t' + h.device + u'\t' + h.since; }

std::optional<TableHolder> ParseTableHolderLine(const QString& line) {
  static const QRegularExpression time(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"));
  const QStringList fields = line.split(u'\t');
  if (fields.size() < 3) return std::nullopt;
  bool number = false;
  const int table = fields[0].toInt(&number);
  const QString device = fields[1].trimmed();
  if (!number || table < 1 || table > kMaxTables || device.isEmpty() || !time.match(fields[2]).hasMatch())
    return std::nullopt;
  return TableHolder{table, device, fields[2]};
}

namespace {

// A name in its column: the separator inside it would make one column more.
QString nameField(const QString& name, const QString& sep) {
  return sep.isEmpty() ? name : QString(name).replace(sep, QStringLiteral(" "));
}

}  // namespace

QString RankingRowLine(const RankingRow& row, const QString& sep) {
  return row.place + sep + row.pair + sep + u' ' + nameField(row.name, sep) + sep + row.score;
}

QString RankingTitleLine(const QString& title, const QString& sep) { return sep + sep + title; }

QString RankingSecondLine(const QString& name, const QString& sep) { return sep + sep + u' ' + nameField(name, sep); }

std::vector<RankingList> ParseRankingFile(const QStringList& lines) {
  const QString sep = QStringLiteral("$");
  std::vector<RankingList> lists;
  for (const QString& line : lines) {
    if (line.trimmed().isEmpty()) continue;
    if (line.startsWith(sep + sep)) {
      const QString text = line.mid(2);
      if (text.startsWith(u' ') && !lists.empty() && !lists.back().rows.empty()) {
        RankingRow& row = lists.back().rows.back();
        row.name += QStringLiteral(" / ") + text.trimmed();
      } else {
        lists.push_back({text.trimmed(), {}});
      }
      continue;
    }
    const QStringList f = line.split(sep);
    if (f.size() < 4) continue;
    if (lists.empty()) lists.push_back({});
    lists.back().rows.push_back({f[0].trimmed(), f[1].trimmed(), f[2].trimmed(), f[3].trimmed()});
  }
  return lists;
}

namespace {

const QString kErased = QStringLiteral("Résultat effacé par l'arbitre");
const QString kAverageWords = QStringLiteral("Moyenne");

// A percentage as said: whole, or with its decimals after a comma (0.0001,
// the typed 0 %, is 0).
QString spokenPercent(double value) {
  return QString::number(std::round(value * 100) / 100, 'g', 6).replace(u'.', u',') + QStringLiteral(" %");
}

// The longest first name the program keeps.
constexpr qsizetype kMaxFirstNameLength = 100;

// The sit-out's place in the players' list.
bool sitOutLine(const QString& line) { return line.contains(QLatin1String("BYE")); }

}  // namespace

QString SettledResultLine(const SlotResult& r) {
  switch (r.score) {
    case kScoreNone:
      return kErased;
    case kScoreAdjusted: {
      const auto [ns, ew] = r.percentages.value_or(std::pair(0.0, 0.0));
      return QStringLiteral("Score arbitral ") + spokenPercent(ns) + QStringLiteral(" – ") + spokenPercent(ew);
    }
    case kScoreAverage:
      return kAverageWords;
    default:
      break;
  }
  if (r.contract.isEmpty()) return QString::number(r.score);
  const QString declarer = r.declarer.trimmed();
  if (r.contract == QLatin1String("PASSE") || declarer.isEmpty() || declarer == QLatin1String("?")) return r.contract;
  return declarer + u' ' + r.contract;
}

std::optional<SlotResult> ParseSettledBoardFile(const QStringList& lines) {
  static const QRegularExpression adjusted(QStringLiteral("^Score arbitral (\\d+(?:,\\d+)?) % – (\\d+(?:,\\d+)?) %$"));
  const QString line = lines.isEmpty() ? QString() : lines.first().trimmed();
  if (line.isEmpty()) return std::nullopt;
  if (line == kErased) return MakeResult(QString(), kScoreNone, QStringLiteral("?"), QString());
  if (line == kAverageWords) return MakeResult(QStringLiteral("MOY."), kScoreAverage, QStringLiteral("?"), QString());
  if (const QRegularExpressionMatch m = adjusted.match(line); m.hasMatch()) {
    SlotResult r = MakeResult(QStringLiteral("AJU."), kScoreAdjusted, QStringLiteral("?"), QString());
    r.percentages = std::pair(m.captured(1).replace(u',', u'.').toDouble(), m.captured(2).replace(u',', u'.').toDouble());
    return r;
  }
  bool number = false;
  const int points = line.toInt(&number);
  if (number) return MakeResult(QString(), points, QStringLiteral("?"), QString());
  // A contract has no blank: one word, or the declarer and one word.
  const QStringList words = line.split(u' ', Qt::SkipEmptyParts);
  if (words.size() > 2) return std::nullopt;
  return MakeResult(words.back(), 0, QStringLiteral("?"), words.size() == 2 ? words.front() : QString());
}

std::optional<ListedPlayer> ParsePlayersListLine(const QString& line) {
  ListedPlayer p;
  const QString name = ExtractPlayerName(line);
  if (name.isEmpty()) return std::nullopt;
  p.licence = ExtractLicenceNumber(line);
  qsizetype at = name.indexOf(u':');
  if (at < 0) at = name.indexOf(u'#');
  if (at < 0) {
    p.name = name;
    const qsizetype blank = name.lastIndexOf(u' ');
    p.firstName = blank < 0 ? QString() : TrimText(name.mid(blank + 1));
    return p;
  }
  const QString surname = name.left(at);
  const QString firstName = name.mid(at + 1, kMaxFirstNameLength);
  p.firstName = TrimText(firstName);
  if (p.firstName.isEmpty()) return std::nullopt;
  p.name = TrimText(surname) + u' ' + p.firstName;
  p.separated = surname + u' ' + firstName;
  return p;
}

QString PlayersListCopy(const QStringList& lines) {
  QStringList kept;
  for (const QString& line : lines)
    if (!sitOutLine(line)) kept << line;
  return kept.join(QStringLiteral("\r\n"));
}

std::vector<ListedPlayer> ParsePlayersList(const QStringList& lines) {
  std::vector<ListedPlayer> players;
  for (const QString& line : lines)
    if (!sitOutLine(line))
      if (std::optional<ListedPlayer> p = ParsePlayersListLine(line)) players.push_back(*p);
  return players;
}

}  // namespace exchange
