#include "core/DealAnalyses.h"

#include "core/CardLetters.h"
#include "core/DealDiagrams.h"
#include "core/DeviceFiles.h"
#include "core/ExchangeFiles.h"
#include "core/Globals.h"
#include "core/SafeFiles.h"
#include "platform/TextFiles.h"

#include <QRegularExpression>

namespace {

const QString kHeader = QStringLiteral("Talvaron double mort 1");
const QString kStrainCodes = QStringLiteral("CDHSN");

// The diagram's headings in the solver's order of the seats.
const QString kSeatHeadings[4] = {QStringLiteral("Nord"), QStringLiteral("Est"), QStringLiteral("Sud"), QStringLiteral("Ouest")};

QString tricksField(const DealAnalysis& a) {
  QStringList seats;
  for (const auto& row : a.tricks) {
    QStringList numbers;
    for (int t : row) numbers << QString::number(t);
    seats << numbers.join(QLatin1Char(' '));
  }
  return seats.join(QLatin1Char('/'));
}

std::optional<std::array<std::array<int, 5>, 4>> tricksFromField(const QString& field) {
  const QStringList seats = field.split(QLatin1Char('/'));
  if (seats.size() != 4) return std::nullopt;
  std::array<std::array<int, 5>, 4> tricks{};
  for (int s = 0; s < 4; ++s) {
    const QStringList numbers = seats[s].split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (numbers.size() != 5) return std::nullopt;
    for (int t = 0; t < 5; ++t) {
      bool ok = false;
      tricks[s][t] = numbers[t].toInt(&ok);
      if (!ok || tricks[s][t] < 0 || tricks[s][t] > 13) return std::nullopt;
    }
  }
  return tricks;
}

}  // namespace

OneBased<DealAnalysis, 64>& BoardAnalyses() {
  static OneBased<DealAnalysis, 64> analyses;
  return analyses;
}

void ClearBoardAnalyses() { BoardAnalyses().fill(DealAnalysis{}); }

QString DealKey(int board) {
  if (!OneBased<QString, kMaxBoards>::inRange(board) || DealDiagrams[board].isEmpty()) return {};
  std::array<std::array<QString, 4>, 4> hands;
  for (int seat = 0; seat < 4; ++seat)
    for (int suit = 0; suit < 4; ++suit)
      hands[seat][suit] = HoldingFromDiagram(board, kSeatHeadings[seat], QString(QLatin1Char(kFrenchSuitLetters[suit])));
  return DealKeyOfHands(hands);
}

QString DealKeyOfHands(const std::array<std::array<QString, 4>, 4>& hands) {
  QStringList texts;
  bool anyCard = false;
  for (const auto& hand : hands) {
    QStringList suits;
    for (const QString& suit : hand) {
      suits << suit;
      anyCard = anyCard || !suit.isEmpty();
    }
    texts << suits.join(QLatin1Char('.'));
  }
  // A deal whose hands are all unknown is none.
  if (!anyCard) return {};
  return QStringLiteral("N:") + texts.join(QLatin1Char(' '));
}

std::optional<DealAnalysis> CurrentAnalysis(int board) {
  const QString key = DealKey(board);
  if (key.isEmpty() || BoardAnalyses()[board].deal != key) return std::nullopt;
  return BoardAnalyses()[board];
}

QStringList DealAnalysisLines() {
  QStringList lines{kHeader};
  for (int b = 1; b <= kMaxBoards; ++b) {
    const DealAnalysis& a = BoardAnalyses()[b];
    if (a.deal.isEmpty()) continue;
    QStringList fields{QString::number(b), a.deal};
    if (a.solved()) {
      QStringList contracts;
      for (const ParContract& c : a.parContracts) contracts << ParContractCode(c);
      fields << tricksField(a) << QString::number(a.parScore) << contracts.join(QLatin1Char(' ')) << QString();
    } else {
      fields << QString() << QString() << QString() << QString(a.refusal).replace(QLatin1Char(';'), QLatin1Char(','));
    }
    lines << fields.join(QLatin1Char(';'));
  }
  return lines;
}

std::optional<QMap<int, DealAnalysis>> ParseDealAnalysisLines(const QStringList& lines) {
  if (lines.isEmpty() || lines[0].trimmed() != kHeader) return std::nullopt;
  QMap<int, DealAnalysis> analyses;
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const QStringList fields = lines[i].split(QLatin1Char(';'));
    if (fields.size() != 6) continue;
    bool ok = false;
    const int board = fields[0].trimmed().toInt(&ok);
    if (!ok || board < 1 || board > kMaxBoards || fields[1].trimmed().isEmpty()) continue;
    DealAnalysis a;
    a.deal = fields[1].trimmed();
    a.refusal = fields[5].trimmed();
    if (a.refusal.isEmpty()) {
      const auto tricks = tricksFromField(fields[2]);
      const int score = fields[3].trimmed().toInt(&ok);
      if (!tricks || !ok) continue;
      a.tricks = *tricks;
      a.parScore = score;
      bool contractsRead = true;
      for (const QString& code : fields[4].split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const auto contract = ParContractFromCode(code);
        if (!contract) contractsRead = false;
        else a.parContracts << *contract;
      }
      if (!contractsRead) continue;
    }
    analyses.insert(board, a);
  }
  return analyses;
}

bool ReadDealAnalysisLines(const QStringList& lines) {
  ClearBoardAnalyses();
  const auto analyses = ParseDealAnalysisLines(lines);
  if (!analyses) return false;
  for (auto it = analyses->cbegin(); it != analyses->cend(); ++it) BoardAnalyses()[it.key()] = *it;
  return true;
}

QString DealAnalysisFileName() { return DataFolder + TournamentCode + QStringLiteral(".DDM"); }

QString DealAnalysisCopyName() { return DiagramFilesFolder() + u'/' + exchange::kAnalysisCopyFile; }

void SaveDealAnalyses() {
  const QStringList lines = DealAnalysisLines();
  const auto write = [&lines](const QString& name) {
    TextFile file;
    SafeRewrite(file, name);
    for (const QString& line : lines) file.writeLine(line);
    CloseTextFile(file);
  };
  write(DealAnalysisFileName());
  if (!TabletSharedFolder.isEmpty() && platform::folderExists(DiagramFilesFolder()) && TabletFolderIsReal(DiagramFilesFolder()))
    write(platform::resolvePath(DealAnalysisCopyName()));
}

bool LoadDealAnalyses() {
  const auto lines = platform::tryReadTextLines(platform::resolvePath(DealAnalysisFileName()));
  if (!lines) {
    ClearBoardAnalyses();
    return false;
  }
  return ReadDealAnalysisLines(*lines);
}

QString ParContractCode(const ParContract& c) {
  QString code = QString::number(c.level) + kStrainCodes[c.strain];
  if (c.undertricks > 0) code += QLatin1Char('*');
  code += QLatin1Char('-') + c.seats;
  if (c.overtricks > 0) code += QStringLiteral("+%1").arg(c.overtricks);
  if (c.undertricks > 0) code += QStringLiteral("-%1").arg(c.undertricks);
  return code;
}

std::optional<ParContract> ParContractFromCode(const QString& code) {
  static const QRegularExpression form(QStringLiteral(R"(^([1-7])([CDHSN])(\*?)-(NS|EW|N|E|S|W)(?:([+-])(\d{1,2}))?$)"));
  const auto m = form.match(code.trimmed());
  if (!m.hasMatch()) return std::nullopt;
  ParContract c;
  c.level = m.captured(1).toInt();
  c.strain = static_cast<int>(kStrainCodes.indexOf(m.captured(2)));
  c.seats = m.captured(4);
  const int k = m.captured(6).toInt();
  const bool doubled = !m.captured(3).isEmpty();
  if (m.captured(5) == QLatin1String("-")) {
    if (!doubled) return std::nullopt;
    c.undertricks = k;
  } else {
    c.overtricks = k;
  }
  if (doubled && c.undertricks == 0) return std::nullopt;
  return c;
}

QString StrainText(int strain) {
  static const QString texts[5] = {QStringLiteral("♣"), QStringLiteral("♦"), QStringLiteral("♥"), QStringLiteral("♠"), QStringLiteral("SA")};
  return strain >= 0 && strain < 5 ? texts[strain] : QString();
}

QString SeatsText(const QString& seats) {
  if (seats == QLatin1String("NS")) return QStringLiteral("N/S");
  if (seats == QLatin1String("EW")) return QStringLiteral("E/O");
  if (seats == QLatin1String("W")) return QStringLiteral("O");
  return seats;
}

QString ParContractText(const ParContract& c) {
  QString text = QString::number(c.level) + StrainText(c.strain);
  if (c.undertricks > 0) text += QLatin1Char('X');
  text += QLatin1Char(' ') + SeatsText(c.seats);
  if (c.overtricks > 0) text += QStringLiteral(" +%1").arg(c.overtricks);
  if (c.undertricks > 0) text += QStringLiteral(" -%1").arg(c.undertricks);
  return text;
}

QString ResultAgainstAnalysis(const DealAnalysis& a, int level, QChar strain, const QString& doubling, QChar declarer,
                              int overtricks) {
  static const QString strains = QStringLiteral("TKCPS");  // clubs .. no trump, as AnalysisStrain
  static const QString seats = QStringLiteral("NESO");      // as AnalysisSeat
  const qsizetype t = strains.indexOf(strain.toUpper());
  const qsizetype seat = seats.indexOf(declarer.toUpper());
  if (!a.solved() || t < 0 || seat < 0 || level < 1 || level > 7) return {};
  const int difference = level + 6 + overtricks - a.tricks[seat][t];
  const QString result = overtricks == 0 ? QStringLiteral("=") : QStringLiteral("%1%2").arg(overtricks > 0 ? "+" : "").arg(overtricks);
  QString compared;
  if (difference == 0) compared = QStringLiteral("autant de levées que le double mort");
  else if (difference == 1) compared = QStringLiteral("une levée de plus que le double mort");
  else if (difference == -1) compared = QStringLiteral("une levée de moins que le double mort");
  else if (difference > 0) compared = QStringLiteral("%1 levées de plus que le double mort").arg(difference);
  else compared = QStringLiteral("%1 levées de moins que le double mort").arg(-difference);
  return QStringLiteral("%1%2%3 %4 %5 : ").arg(level).arg(StrainText(static_cast<int>(t)), doubling, QString(declarer.toUpper()), result) +
         compared;
}

QString ParText(const DealAnalysis& a) {
  if (!a.solved()) return {};
  QStringList contracts;
  for (const ParContract& c : a.parContracts) contracts << ParContractText(c);
  if (contracts.isEmpty()) contracts << QStringLiteral("passe");
  return ParScoreText(a) + QStringLiteral(" : ") + contracts.join(QStringLiteral(", "));
}

QString ParScoreText(const DealAnalysis& a) {
  if (a.parScore > 0) return QStringLiteral("Par N/S +%1").arg(a.parScore);
  if (a.parScore < 0) return QStringLiteral("Par E/O +%1").arg(-a.parScore);
  return QStringLiteral("Par 0");
}
