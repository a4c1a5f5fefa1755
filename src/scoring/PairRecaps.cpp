#include "scoring/PairRecaps.h"

#include "core/CardLetters.h"
#include "core/ExchangeFiles.h"
#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/PairsAndBoards.h"
#include "core/Printing.h"
#include "core/SafeFiles.h"
#include "core/Texts.h"
#include "platform/Folders.h"
#include "platform/Process.h"
#include "platform/TextFiles.h"
#include "scoring/Adjustments.h"
#include "scoring/RankingTable.h"
#include "scoring/ResultListings.h"
#include "scoring/ScoringSupport.h"
#include "setup/PairLookups.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace {

const QString kMailProgram = QStringLiteral("Postivane.EXE");

QString Blanks(int count) { return QString(std::max(count, 0), QLatin1Char(' ')); }
QString RightAligned(const QString& text, int width) { return text.rightJustified(width, QLatin1Char(' '), false); }
QString Fixed(double value, int width) { return scoring::FixedText(value + 0.0, width, 1); }
QString Trimmed1(double value) { return QString::number(value + 0.0, 'f', 1); }

// Blanks appended until the line has width characters.
void PadToColumn(int width, QString& text) {
  if (text.size() < width) text += Blanks(width - static_cast<int>(text.size()));
}

// One listed result of a pair and its place among the pair's results of
// the same round.
struct RecapEntry {
  int slot = 0;
  int board = 0;
  int opponent = 0;      // pair number
  int opponentSlot = 0;  // 0 when no pair slot holds it
  int placeInRound = 0;  // 1, 2, ...
  bool lastOfRound = false;
  bool northSouth = false;
};

// The pair's results within the rounds played, in slot (board) order. The
// rounds are told apart by the slots' own round, so that a round whose
// first board is missing, or a round of one board, is still one round.
std::vector<RecapEntry> RecapEntries(int pair) {
  std::vector<RecapEntry> entries;
  const int last = std::clamp(ResultSlotCount, 0, kMaxResultSlots);
  for (int k = 1; k <= last; ++k) {
    if (ResultNsPair[k] == 0 || (ResultNsPair[k] != pair && ResultEwPair[k] != pair)) continue;
    if (ResultScore[k] == kScoreNone || ResultRound[k] > RoundsPlayed) continue;
    RecapEntry e;
    e.slot = k;
    e.board = ResultsPerBoard > 0 ? (k - 1) / ResultsPerBoard + 1 : 0;
    e.northSouth = ResultNsPair[k] == pair;
    e.opponent = e.northSouth ? ResultEwPair[k] : ResultNsPair[k];
    e.opponentSlot = FindPairSlot(e.opponent);
    entries.push_back(e);
  }
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const bool first = i == 0 || ResultRound[entries[i - 1].slot] != ResultRound[entries[i].slot];
    entries[i].placeInRound = first ? 1 : entries[i - 1].placeInRound + 1;
    entries[i].lastOfRound = i + 1 == entries.size() || ResultRound[entries[i + 1].slot] != ResultRound[entries[i].slot];
  }
  return entries;
}

double OwnValue(const RecapEntry& e) { return e.northSouth ? ResultNsPercent[e.slot] : ResultEwPercent[e.slot]; }

QString OpponentScoreText(const RecapEntry& e, const RankingTable& ranking) {
  return QStringLiteral("( ") + Trimmed1(ranking.score(e.opponent)) + QStringLiteral("% )");
}

QString PairMark(int slot) { return ResultSwapped[slot] != 0 ? QStringLiteral("*") : QString(); }

// The round's running sum and count: restarted on its first result.
struct RoundAverage {
  double sum = 0;
  int count = 0;
  void add(const RecapEntry& e, double value) {
    if (e.placeInRound == 1) sum = count = 0;
    sum += value;
    ++count;
  }
  double value() const { return count > 0 ? sum / count : 0; }
};

// Pair numbers that hold a pair other than the BYE, in number order.
std::vector<int> RecapPairs() {
  std::vector<int> pairs;
  for (int p = 1; p <= std::min(PairSlotCount, kMaxPairs); ++p) {
    const int slot = FindPairSlot(p);
    if (slot != 0 && !IsByeSlot(slot)) pairs.push_back(p);
  }
  return pairs;
}

void WriteLines(TextFile& file, const QStringList& lines) {
  for (const QString& l : lines) file.writeLine(l);
}

// The printout copied line by line into "RECAP.TXT".
void CopyPrintoutToRecapFile() {
  const QStringList lines = platform::readTextLines(platform::resolvePath(PrintFile));
  TextFile copy;
  SafeRewrite(copy, RecapTextFile);
  WriteLines(copy, lines);
  CloseTextFile(copy);
}

void PrintOnePairAtATime() {
  bool askPrinter = true;
  for (int pair = AskPairNumber(); pair != 0; pair = AskPairNumber()) {
    BeginTempPrintout();
    scoring::PrintoutGuard guard;
    WriteLines(PrintFileWriter, PrintRecapLines(pair));
    CloseTextFile(PrintFileWriter);
    CopyPrintoutToRecapFile();
    if (!PrintTextFile(PrintFile, askPrinter, QStringLiteral("recapitulatif-") + QString::number(pair))) return;
    askPrinter = false;
  }
}

void PrintAllPairs() {
  scoring::PrintoutGuard guard;
  bool first = true;
  for (int pair : RecapPairs()) {
    if (first) {
      BeginTempPrintout();
      first = false;
    } else {
      PrintFileWriter.write(QString(QChar(12)));
      WritePrintoutBanner();
    }
    WriteLines(PrintFileWriter, PrintRecapLines(pair));
  }
  if (first) return;
  CloseTextFile(PrintFileWriter);
  CopyPrintoutToRecapFile();
  PrintTextFile(PrintFile, true, QStringLiteral("recapitulatifs"));
}

void ShowOnScreen() {
  if (flowWindows().openPairRecap) flowWindows().openPairRecap();
  const int pair = AskPairNumber();
  if (pair == 0) {
    if (flowWindows().closePairRecap) flowWindows().closePairRecap();
    return;
  }
  if (flowWindows().fillPairRecap) flowWindows().fillPairRecap(ScreenRecapLines(pair, false));
}

// A file of the tablets' shared folder copied whole over another, through
// the atomic writer; nothing when the source is missing. Only a regular file
// of a sensible size is read: a link, a FIFO or a device put there by another
// program is refused, never followed or waited on.
void CopyIfPresent(const QString& from, const QString& to) {
  constexpr qsizetype kMostBytes = 1 << 20;  // a ranking file is a few KB
  int error = 0;
  const std::optional<QByteArray> bytes = platform::readRegularFile(from, kMostBytes, &error);
  if (!bytes) {
    if (error == ENOENT) return;
    throw platform::IoError(error, from, QStringLiteral("Impossible de lire le fichier ") + from);
  }
  TextFile target;
  SafeRewrite(target, to);
  target.writeBytes(*bytes);
  CloseTextFile(target);
}

}  // namespace

QString PairLabel(int slot) {
  if (slot < 1 || slot > kMaxPairs) return QStringLiteral("-");
  return Player1Names[slot].left(12) + QLatin1Char('-') + Player2Names[slot].left(12);
}

bool PairHasNoResult(int pair) {
  for (const RecapEntry& e : RecapEntries(pair))
    if (!ResultContract[e.slot].isEmpty()) return false;
  return true;
}

QStringList ScreenRecapLines(int pair, bool forMail) {
  const RankingTable ranking = BuildRankingTable();
  const int slot = FindPairSlot(pair);
  const bool contracts = !PairHasNoResult(pair);
  QStringList lines;
  QString line = QStringLiteral("Paire ") + FormatPairNumber(pair) + QStringLiteral(" : ");
  if (slot != 0) line += Player1Names[slot] + (forMail ? QLatin1Char('=') : QLatin1Char('-')) + Player2Names[slot];
  PadToColumn(50, line);
  lines << line + QStringLiteral(">>>> Tournoi: ") + Trimmed1(ranking.score(pair)) + QLatin1Char('%') << QString();

  line = QStringLiteral("Donne");
  PadToColumn(7, line);
  line += QStringLiteral("N/S");
  PadToColumn(11, line);
  line += QStringLiteral("E/W");
  PadToColumn(15, line);
  line += QStringLiteral("Adversaire");
  if (contracts) {
    PadToColumn(45, line);
    line += QStringLiteral("Con-");
  }
  for (const auto& [column, text] : {std::pair{50, "Score"}, {59, "%"}, {65, "%"}, {69, "Moyenne"}}) {
    PadToColumn(column, line);
    line += QString::fromUtf8(text);
  }
  lines << line;
  line.clear();
  PadToColumn(contracts ? 26 : 33, line);
  line += QStringLiteral("Résultat tournoi");
  if (contracts) {
    PadToColumn(45, line);
    line += QStringLiteral("trat");
  }
  for (const auto& [column, text] : {std::pair{52, "N/S"}, {58, "N/S"}, {64, "E/W"}, {69, "Table"}}) {
    PadToColumn(column, line);
    line += QString::fromUtf8(text);
  }
  lines << line << QString(75, QLatin1Char('-')) << QString();

  const int width = contracts ? 27 : 34;
  RoundAverage round;
  for (const RecapEntry& e : RecapEntries(pair)) {
    const int s = e.slot;
    line = RightAligned(QString::number(e.board), 3);
    PadToColumn(7, line);
    line += PairNumberText(ResultNsPair[s]).leftJustified(3) + PairMark(s);
    PadToColumn(11, line);
    line += PairNumberText(ResultEwPair[s]).leftJustified(3) + PairMark(s);
    PadToColumn(15, line);
    if (e.placeInRound == 1)
      line += FitToWidth(PairLabel(e.opponentSlot), width);
    else if (e.placeInRound == 2)
      line += OpponentScoreText(e, ranking).leftJustified(width);
    if (contracts) {
      PadToColumn(43, line);
      line += ResultContract[s].leftJustified(6);
    }
    PadToColumn(50, line);
    if (ResultScore[s] < kScoreAverage) line += RightAligned(QString::number(ResultScore[s]), 5);
    if (ResultScore[s] == kScoreAverage) {
      PadToColumn(52, line);
      line += QStringLiteral("Moyenne tournoi");
      round.add(e, ranking.score(pair));
    } else {
      PadToColumn(56, line);
      line += Fixed(ResultNsPercent[s], 6) + Fixed(ResultEwPercent[s], 6);
      round.add(e, OwnValue(e));
    }
    PadToColumn(69, line);
    if (e.lastOfRound) line += Fixed(round.value(), 6);
    PadToColumn(74, line);
    lines << line;
  }
  return lines;
}

QStringList PrintRecapLines(int pair) {
  const RankingTable ranking = BuildRankingTable();
  const int slot = FindPairSlot(pair);
  const bool contracts = !PairHasNoResult(pair);
  const QString dashes(77, QLatin1Char('-'));
  QStringList lines;
  lines << (AutoVentilation ? Blanks(40) + QStringLiteral("( Fréquences ventilées automatiques )")
                            : Blanks(50) + QStringLiteral("( Fréquences non ventilées )"))
        << dashes;
  lines << QStringLiteral("Résultats de la paire ") + FormatPairNumber(pair) + QStringLiteral(" : ") +
               (slot != 0 ? PairLabels[slot].left(50) : QString()) + Blanks(3) + QStringLiteral(">> ") +
               Trimmed1(ranking.score(pair)) + QStringLiteral("% <<")
        << dashes;
  lines << QStringLiteral(" D ") + RightAligned(QStringLiteral("N/S"), 4) + QLatin1Char(' ') +
               RightAligned(QStringLiteral("E/W"), 4) + QLatin1Char(' ') + RightAligned(QStringLiteral("Adversaire"), 10) +
               Blanks(20) + (contracts ? RightAligned(QStringLiteral("Con-"), 7) : Blanks(7)) +
               RightAligned(QStringLiteral("Score"), 6) + QStringLiteral("    %     %   Moyenne");
  lines << RightAligned(QStringLiteral("Résultat tournoi"), contracts ? 43 : 50) +
               (contracts ? RightAligned(QStringLiteral("trat"), 7) : QString()) + RightAligned(QStringLiteral("N/S"), 6) +
               RightAligned(QStringLiteral("N/S"), 6) + RightAligned(QStringLiteral("E/W"), 6) + QStringLiteral("  Table");
  lines << dashes;
  const int width = contracts ? 30 : 37;
  RoundAverage round;
  for (const RecapEntry& e : RecapEntries(pair)) {
    const int s = e.slot;
    const QString mark = ResultSwapped[s] != 0 ? QStringLiteral("*") : QStringLiteral(" ");
    QString line = RightAligned(QString::number(e.board), 2) + QLatin1Char(' ') +
                   RightAligned(PairNumberText(ResultNsPair[s]), 4) + mark +
                   RightAligned(PairNumberText(ResultEwPair[s]), 4) + mark;
    if (e.placeInRound == 1)
      line += FitToWidth(e.opponentSlot != 0 ? PairLabels[e.opponentSlot] : QString(), width);
    else if (e.placeInRound == 2)
      line += RightAligned(OpponentScoreText(e, ranking), width);
    else
      line += Blanks(width);
    if (contracts) line += RightAligned(ApplySuitLetters(ResultContract[s]), 7);
    if (ResultScore[s] < kScoreAverage)
      line += RightAligned(QString::number(ResultScore[s]), 6);
    else if (ResultScore[s] == kScoreAdjusted)
      line += Blanks(6);
    if (ResultScore[s] == kScoreAverage) {
      line += RightAligned(QStringLiteral("Moyenne tournoi"), 18);
      round.add(e, ranking.score(pair));
    } else {
      line += Fixed(ResultNsPercent[s], 6) + Fixed(ResultEwPercent[s], 6);
      round.add(e, OwnValue(e));
    }
    line += e.lastOfRound ? Fixed(round.value(), 6) : Blanks(6);
    lines << line;
    if (e.lastOfRound) lines << QString();
  }
  return lines;
}


void PrintPairRecaps(bool fromMenu) {
  if (fromMenu) {
    const int answer = scoring::AskOneOfTwo(forms::PairRecapsOutput, QStringLiteral("Récapitulatifs"),
                                            QStringLiteral("Récapitulatifs par paires"), QStringLiteral("&Afficher"),
                                            QStringLiteral("&Imprimer"));
    if (answer == 0) return;
    if (answer == 2) {
      const int how = ui::Ask({.form = forms::PrintedPairRecaps,
                               .caption = QStringLiteral("Récapitulatifs"),
                               .buttons = {QStringLiteral("&Une paire à la fois"), QStringLiteral("&Toutes les paires"),
                                           QStringLiteral("Esc/Echap = Rien")},
                               .codes = {1, 2, 0},
                               .cancelCode = 0});
      if (how == 1) PrintOnePairAtATime();
      if (how == 2) PrintAllPairs();
      return;
    }
  }
  ShowOnScreen();
}

void MailPairRecaps() {
  WriteResultsFile(true);
  if (MitchellNumbering) WriteResultsFile(false);
  TextFile from;
  SafeRewrite(from, DocumentsFolder + QStringLiteral("/FromTalvaron.TXT"));
  from.writeLine(IsHowell ? QStringLiteral("Howell") : QStringLiteral("Mitchell"));
  from.writeLine(TournamentCode);
  CloseTextFile(from);
  TextFile mail;
  SafeRewrite(mail, DocumentsFolder + QStringLiteral("/RECAPMAIL.TXT"));
  for (int pair : RecapPairs()) WriteLines(mail, ScreenRecapLines(pair, true));
  CloseTextFile(mail);
  if (TableDevicesMode) {
    for (const QString& name : {exchange::kRankingFile, exchange::kMergedRankingFile})
      CopyIfPresent(TabletSharedFolder + QLatin1Char('/') + name, platform::driveRootFolder() + name);
  }
  platform::Processes& p = platform::processes();
  if (p.isRunning(kMailProgram)) {
    p.stop(kMailProgram);
    PauseMs(1000);
  }
  const int code = p.start(ProgramFolder + kMailProgram, {});
  if (code == platform::kStartNotFound)
    ShowAlert(QStringLiteral("Pas trouvé Postivane.EXE. Impossible de continuer!"));
  else if (code <= 32)
    ShowAlert(QStringLiteral("Erreur %1 au lancement de Postivane.EXE. Impossible de continuer!").arg(code));
}
