#include "core/TournamentFiles.h"

#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/PairsFile.h"
#include "core/State.h"
#include "core/TournamentFileLines.h"
#include "platform/Cp1252.h"
#include "platform/TextFiles.h"

#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <vector>

using namespace tournament_files;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString CurrentFile(const char* extension) { return TournamentFileName(TournamentCode, QLatin1String(extension)); }

QString ShownName(const char* extension) { return TournamentCode + QLatin1String(extension); }

constexpr int kMaxScoreMagnitude = 1000000;

// A used slot: seven integers, one separating character, the result text.
// Its lead and declarer are those of ".SPECS", "?" until read there.
bool ParseSlotLine(QStringView line, SlotRecord& out) {
  SlotResult& r = out.result;
  r.declarer = QStringLiteral("?");
  qsizetype pos = 0;
  if (!ToInteger(NextField(line, pos), r.ns)) return false;
  if (r.ns == 0) return true;
  int* const fields[] = {&r.ew, &r.score, &out.round, &out.table, &out.board, &out.swapped};
  for (int* field : fields)
    if (!ToInteger(NextField(line, pos), *field)) return false;
  // Numbers used later as indices must fit the arrays.
  if (r.ns < 0 || r.ns > kMaxPairs || r.ew < 0 || r.ew > kMaxPairs) return false;
  if (out.table < 0 || out.table > kMaxTables || out.board < 0 || out.board > kMaxBoards) return false;
  // No bridge score comes near this (even counted ten times): the scoring
  // subtracts scores, which must not overflow.
  if (r.score < -kMaxScoreMagnitude || r.score > kMaxScoreMagnitude) return false;
  if (pos < line.size()) ++pos;  // the blank before the result text
  r.contract = line.mid(pos).trimmed().toString();
  return true;
}

// One line of ".SPECS": the slot number, a blank, the lead, "/", the declarer.
// A declarer is a seat letter or "?", never a "/", while a lead typed at a
// table may hold one: the line is cut at its last "/". The slot's number
// goes to slot, its lead and declarer, trimmed, to out.
bool ParseSpecsLine(QStringView line, int& slot, SlotResult& out) {
  qsizetype pos = 0;
  if (!ToInteger(NextField(line, pos), slot)) return false;
  if (pos < line.size()) ++pos;
  const QStringView text = line.mid(pos);
  const qsizetype slash = text.lastIndexOf(u'/');
  if (slash < 0) {
    out.lead = text.trimmed().toString();
    out.declarer = QStringLiteral("?");
  } else {
    out.lead = text.left(slash).trimmed().toString();
    out.declarer = text.mid(slash + 1, 10).trimmed().toString();
  }
  return true;
}

}  // namespace

QString DatDevicesLine() {
  QString kind = QStringLiteral("2");
  if (BridgeMatesMode) kind = TabletsInUse ? QStringLiteral("3") : QStringLiteral("1");
  return kind + (PairsEntered ? QStringLiteral(" 1 ") : QStringLiteral(" 2 ")) +
         (EnterDealsAtTable ? QStringLiteral("1") : QStringLiteral("2")) +
         QStringLiteral(" TypeTournoi (1=BridgeMates,2=Tablettes, 3=BM+Tab) / PairesIntroduites (1=oui,2=non) / "
                        "Diagrammes (1=oui,2=non)");
}

QString DatFileText() {
  QString text = DateDay + u'/' + DateMonth + u'/' + DateYear + kCrLf + TournamentTitle;
  if (TableDevicesMode) text += kCrLf + DatDevicesLine();
  return text;
}

namespace {

// The lines of a file put together in a small buffer, added to out a line
// at a time.
class LineBuilder {
 public:
  explicit LineBuilder(QByteArray& out) : out_(out) {}
  void number(int n) {
    room(12);
    at_ = std::to_chars(at_, end_, n).ptr;
  }
  void byte(char c) {
    room(1);
    *at_++ = c;
  }
  void text(const QString& t) {
    room(t.size());
    if (end_ - at_ < t.size())
      platform::appendCp1252(out_, t);  // longer than the buffer: straight out
    else
      at_ = platform::writeCp1252(at_, t);
  }
  void endLine() {
    byte('\r');
    byte('\n');
    flush();
  }

 private:
  void room(qsizetype n) {
    if (end_ - at_ < n) flush();
  }
  void flush() {
    out_.append(line_, at_ - line_);
    at_ = line_;
  }
  QByteArray& out_;
  char line_[256];
  char* at_ = line_;
  char* const end_ = line_ + sizeof line_;
};

// ".VAR": per slot its seven numbers and the result text, or "0" when unused.
QByteArray ResultsFileBytes() {
  QByteArray out;
  const int count = std::clamp(ResultSlotCount, 0, kMaxResultSlots);
  out.reserve(count * 40);
  LineBuilder line(out);
  for (int s = 1; s <= count; ++s) {
    if (ResultNsPair[s] == 0) {
      out.append("0\r\n");
      continue;
    }
    for (const int n : {ResultNsPair[s], ResultEwPair[s], ResultScore[s], ResultRound[s], ResultTable[s], ResultBoard[s],
                        ResultSwapped[s]}) {
      line.number(n);
      line.byte(' ');
    }
    line.text(ResultContract[s]);
    line.endLine();
  }
  return out;
}

// ".SPECS": per used slot its number, the lead, "/" and the declarer.
QByteArray SpecsFileBytes() {
  QByteArray out;
  const int count = std::clamp(ResultSlotCount, 0, kMaxResultSlots);
  out.reserve(count * 12);
  LineBuilder line(out);
  for (int s = 1; s <= count; ++s) {
    if (ResultNsPair[s] == 0) continue;
    line.number(s);
    line.byte(' ');
    line.text(ResultLead[s]);
    line.byte('/');
    line.text(ResultDeclarer[s]);
    line.endLine();
  }
  return out;
}

}  // namespace

QString ResultsFileText() { return platform::fromCp1252(ResultsFileBytes()); }

QString SpecsFileText() { return platform::fromCp1252(SpecsFileBytes()); }

QString MulFileText() {
  return QString::number(BoardCount) + u' ' + QString::number(DealCount) + u' ' + DateText + u':' + TournamentName + kCrLf +
         (IsHowell ? QStringLiteral("howell") : QStringLiteral("mitchell")) + kCrLf + QStringLiteral("O") + kCrLf +
         QString::number(BoardsPerTable) + u' ' + QString::number(RoundCount) + u' ' + QString::number(RoundsScheduled) +
         u' ' + QString::number(RoundsPlayed) + kCrLf + QString::number(MitchellType) + QStringLiteral(" type mitchell") +
         kCrLf + (IsAppendix ? QStringLiteral("O") : QStringLiteral("N")) + QStringLiteral(" Appendix");
}

QString DiaFileText() {
  QString text;
  const int deals = std::min(DealCount, kMaxBoards);
  for (int i = 1; i <= deals; ++i) text += QString::number(i) + kCrLf + DealDiagrams[i] + kCrLf;
  return text;
}

void SaveDatFile() {
  if (TournamentCode.isEmpty()) return;
  RewriteWholeFile(CurrentFile(".DAT"), DatFileText());
}

void SaveResults() {
  if (TournamentCode.isEmpty()) return;
  platform::WriteBatch batch;  // the folder made durable once, at the end
  platform::removeLeftoverTemporaries(DataFolder, TournamentCode + u'.');
  const bool movementExists = ResultSlotCount > 0;
  if (movementExists) RewriteFileIfChanged(CurrentFile(".VAR"), ResultsFileBytes());
  if (TableDevicesMode || AskOpeningLead) RewriteFileIfChanged(CurrentFile(".SPECS"), SpecsFileBytes());
  if (movementExists) RewriteFileIfChanged(CurrentFile(".MUL"), platform::toCp1252(MulFileText()));
  RewriteFileIfChanged(CurrentFile(".DIA"), platform::toCp1252(DiaFileText()));
  if (ArrowSwitch) RewriteFileIfChanged(CurrentFile(".AS"), platform::toCp1252(ArrowSwitchText + kCrLf));
}

void ReadDatFile() {
  TournamentDatedToday = false;
  const auto lines = platform::tryReadTextLines(CurrentFile(".DAT"));
  if (!lines) return;
  const QString line1 = lines->value(0);
  const qsizetype first = line1.indexOf(u'/');
  const qsizetype second = first < 0 ? -1 : line1.indexOf(u'/', first + 1);
  QString day, month, year;
  if (first < 0) {
    day = line1.trimmed();
  } else {
    day = line1.left(first).trimmed();
    if (second < 0) {
      month = line1.mid(first + 1).trimmed();
    } else {
      month = line1.mid(first + 1, second - first - 1).trimmed();
      year = line1.mid(second + 1).trimmed();
    }
  }
  TournamentDatedToday = day == DateDay && month == DateMonth && year == DateYear;
  if (!TournamentDatedToday) {
    DateDay = day;
    DateMonth = month;
    DateYear = year;
    TournamentTitle = lines->value(1);
  }
}

bool ReadDatDevicesLine(int& devicesKind, bool& pairsEntered, bool& dealsAtTable) {
  const auto lines = platform::tryReadTextLines(CurrentFile(".DAT"));
  if (!lines || lines->size() < 3) return false;
  const QString& line = lines->at(2);
  qsizetype pos = 0;
  int kind = 0, pairs = 0, deals = 0;
  if (!ToInteger(NextField(line, pos), kind) || !ToInteger(NextField(line, pos), pairs) ||
      !ToInteger(NextField(line, pos), deals))
    return false;
  devicesKind = kind;
  pairsEntered = pairs == 1;
  dealsAtTable = deals == 1;
  return true;
}

void LoadResults() {
  const QString varName = CurrentFile(".VAR");
  if (!platform::fileExists(varName)) FatalStop(QStringLiteral("Pas trouvé le fichier ") + ShownName(".VAR"));
  const QStringList lines = ReadFileLines(varName);
  const int count = ResultSlotCount;
  std::vector<SlotRecord> slotLines(static_cast<size_t>(std::max(count, 0)));
  for (int s = 1; s <= count; ++s) {
    if (s > lines.size()) FatalStop(QStringLiteral("Trop peu de résultats dans ") + ShownName(".VAR") + u'!');
    if (!ParseSlotLine(lines[s - 1], slotLines[static_cast<size_t>(s - 1)])) StopOnBadLine(ShownName(".VAR"), s);
  }

  // The leads are read back whenever they were saved; only a tournament
  // played with table devices cannot go on without them.
  const bool leadsKept = TableDevicesMode || AskOpeningLead;
  const QString specsName = CurrentFile(".SPECS");
  const bool specsFound = platform::fileExists(specsName);
  if (TableDevicesMode && !specsFound)
    FatalStop(QStringLiteral("Pas trouvé le fichier ") + ShownName(".SPECS") +
              QStringLiteral(". Le tournoi a probablement été joué sans utilisation des tablettes! Décochez la case "
                             "prévue avant de recharger ce tournoi..."));
  if (specsFound) {
    const QStringList specsLines = ReadFileLines(specsName);
    for (int n = 1; n <= specsLines.size(); ++n) {
      const QString& line = specsLines[n - 1];
      if (line.trimmed().isEmpty()) continue;
      int slot = 0;
      SlotResult play;
      if (!ParseSpecsLine(line, slot, play)) StopOnBadLine(ShownName(".SPECS"), n);
      if (slot < 1 || slot > count) continue;
      SlotResult& result = slotLines[static_cast<size_t>(slot - 1)].result;
      result.lead = std::move(play.lead);
      result.declarer = std::move(play.declarer);
    }
  }

  ClearAllResults();
  // An unused slot ("0") stays as cleared but for what ".SPECS" gives it.
  for (int s = 1; s <= count; ++s) {
    const SlotRecord& l = slotLines[static_cast<size_t>(s - 1)];
    if (l.result.ns != 0)
      ResultSlots::PutBack(s, l);
    else
      ResultSlots::SetPlay(s, l.result.lead, l.result.declarer);
  }
  if (!leadsKept && specsFound)
    ShowAlert(QStringLiteral("Avertissement... Ce tournoi a été joué avec tablettes et vous le récupérez sans avoir "
                             "coché la case \"Utilisation des tablettes\"!"));
  // A Patton is scored in IMPs whichever way it was reloaded.
  if (ResumeChosen == 0 && !IsPatton) ImpScoring = false;
}

void ReadMulFile() {
  const QStringList lines = ReadFileLines(CurrentFile(".MUL"));
  const QString shown = ShownName(".MUL");
  const auto line = [&lines](int n) { return n <= lines.size() ? QStringView(lines[n - 1]) : QStringView(); };

  qsizetype pos = 0;
  int boards = 0, deals = 0;
  const QStringView line1 = line(1);
  if (!ToInteger(NextField(line1, pos), boards) || !ToInteger(NextField(line1, pos), deals) || boards < 0 ||
      boards > kMaxBoards || deals < 0 || deals > kMaxBoards)
    StopOnBadLine(shown, 1);
  const QStringView rest = line1.mid(pos);
  // Boards per table and rounds: a table never plays a board twice, so none
  // of them can pass the boards' capacity (the loops over rounds rely on it).
  int counts[4] = {};
  pos = 0;
  for (int& c : counts)
    if (!ToInteger(NextField(line(4), pos), c) || c < 0 || c > kMaxBoards) StopOnBadLine(shown, 4);
  int mitchellType = 0;
  pos = 0;
  if (!ToInteger(NextField(line(5), pos), mitchellType)) StopOnBadLine(shown, 5);

  BoardCount = boards;
  DealCount = deals;
  const QString defaultName = QStringLiteral("Tournoi \"") + TournamentCode + QStringLiteral("\" rechargé");
  const qsizetype colon = rest.indexOf(u':');
  if (colon < 0) {
    TournamentName = defaultName;
  } else {
    DateText = rest.left(colon).trimmed().toString();
    if (DateText.isEmpty() || DateText.contains(QStringLiteral("??"))) DateText = DateDay + u'/' + DateMonth + u'/' + DateYear;
    TournamentName = rest.mid(colon + 1).trimmed().left(255).toString();
    if (TournamentName.isEmpty()) TournamentName = defaultName;
  }
  IsHowell = line(2).startsWith(u'H', Qt::CaseInsensitive);
  MitchellNumbering = !IsHowell;
  BoardsPerTable = counts[0];
  RoundCount = counts[1];
  RoundsScheduled = counts[2];
  RoundsPlayed = counts[3];
  MitchellType = mitchellType;
  IsAppendix = line(6).startsWith(u'O', Qt::CaseInsensitive);
}

void ReadDiaLines(const QStringList& lines) {
  const int deals = std::min(DealCount, kMaxBoards);
  for (int i = 1; i <= deals; ++i) DealDiagrams[i].clear();
  int deal = 0;
  QStringList kept;
  const auto finish = [&] {
    while (!kept.isEmpty() && kept.last().isEmpty()) kept.removeLast();
    if (deal >= 1 && deal <= deals) {
      QString text;
      for (const QString& l : kept) text += l + kCrLf;
      DealDiagrams[deal] = text;
    }
    kept.clear();
  };
  for (const QString& l : lines) {
    int number = 0;
    if (ToInteger(QStringView(l).trimmed(), number)) {
      finish();
      deal = number;
    } else if (deal != 0) {
      kept << l;
    }
  }
  finish();
}

bool ReadDiaFile() {
  const auto lines = platform::tryReadTextLines(CurrentFile(".DIA"));
  if (!lines) return false;
  ReadDiaLines(*lines);
  return true;
}

SavedTournamentSummary SummariseSavedTournament(const QString& code) {
  SavedTournamentSummary summary;
  if (code.isEmpty()) return summary;
  for (const char* e : kTournamentExtensions) {
    const QFileInfo info(platform::resolvePath(TournamentFileName(code, QLatin1String(e))));
    if (!info.isFile()) continue;
    if (!summary.lastChange.isValid() || info.lastModified() > summary.lastChange) summary.lastChange = info.lastModified();
  }
  const auto lines = platform::tryReadTextLines(TournamentFileName(code, QStringLiteral(".VAR")));
  if (!lines) return summary;
  for (const QString& line : *lines) {
    SlotRecord slot;
    if (ParseSlotLine(line, slot) && slot.result.ns != 0 && slot.result.score != kScoreNone) ++summary.results;
  }
  return summary;
}

QString ResultsCountText(int results) {
  if (results <= 0) return QStringLiteral("aucun résultat");
  return results == 1 ? QStringLiteral("1 résultat") : QStringLiteral("%1 résultats").arg(results);
}

void DeleteTournamentFiles(const QString& code) {
  if (code.isEmpty()) return;
  for (const char* e : kTournamentExtensions) platform::deleteFile(TournamentFileName(code, QLatin1String(e)));
  if (BridgeMatesMode) platform::deleteFile(TournamentFileName(code, QStringLiteral(".BWS")));
}

void DeleteCurrentTournamentFiles() { DeleteTournamentFiles(TournamentCode); }

void DeleteCurrentResultFiles() {
  if (TournamentCode.isEmpty()) return;
  // The pairs and the date stay.
  for (const char* e : kTournamentExtensions)
    if (qstrcmp(e, ".DAT") != 0 && qstrcmp(e, ".PAI") != 0) platform::deleteFile(CurrentFile(e));
  if (BridgeMatesMode) platform::deleteFile(CurrentFile(".BWS"));
}
