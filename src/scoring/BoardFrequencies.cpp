#include "scoring/BoardFrequencies.h"

#include "core/CardLetters.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/Printing.h"
#include "core/Texts.h"
#include "scoring/Imps.h"
#include "scoring/ScoringSupport.h"
#include "setup/PairLookups.h"

#include <algorithm>
#include <array>

namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr int kUnused = -32000;

QString RightAligned(const QString& text, int width) { return text.rightJustified(width, QLatin1Char(' '), false); }
QString Dashes(int count) { return QString(count, QLatin1Char('-')); }

int FirstSlot(int board) { return (board - 1) * ResultsPerBoard + 1; }
int LastSlot(int board) { return std::min(board * ResultsPerBoard, kMaxResultSlots); }

bool Comparable(int slot) { return ResultNsPair[slot] != 0 && ResultScore[slot] < kScoreAverage; }

// The percentage (or IMPs) the N/S seat earned with the slot's score: a
// swapped slot holds its values for the pairs as listed, the other way round.
double SeatNsValue(int slot) { return ResultSwapped[slot] != 0 ? ResultEwPercent[slot] : ResultNsPercent[slot]; }

struct Entry {
  int score = kUnused;
  double ns = 0;
};

// The board's comparable scores, larger first; unused entries at the end.
std::array<Entry, kMaxTables> SortedEntries(int board) {
  std::array<Entry, kMaxTables> table{};
  std::size_t n = 0;
  for (int s = FirstSlot(board); s <= LastSlot(board) && n < table.size(); ++s)
    if (Comparable(s)) table[n++] = {ResultScore[s], SeatNsValue(s)};
  std::stable_sort(table.begin(), table.end(), [](const Entry& a, const Entry& b) { return a.score > b.score; });
  return table;
}

QString PairsText(int slot) {
  return PairNumberText(ResultNsPair[slot]) + QLatin1Char('/') + PairNumberText(ResultEwPair[slot]);
}

QString ResultsSection(int board) {
  QString text;
  QString title = ImpScoring || !AutoVentilation ? QStringLiteral("Marque") : QStringLiteral("Marque réelle (ventilée)");
  title += QStringLiteral(" de la donne ") + QString::number(board);
  text += kCrLf + title + kCrLf + Dashes(static_cast<int>(title.size())) + kCrLf + kCrLf;
  const QString head = RightAligned(QStringLiteral("N/S"), 5) + RightAligned(QStringLiteral("E/W"), 5) +
                       RightAligned(QStringLiteral("Rés."), 8) + RightAligned(QStringLiteral("Pts."), 6) +
                       RightAligned(ImpScoring ? QStringLiteral("IMPs") : QStringLiteral("Pourcentages"), 15);
  text += head + head + kCrLf + Dashes(79);
  int listed = 0;
  for (int s = FirstSlot(board); s <= LastSlot(board); ++s) {
    if (ResultNsPair[s] == 0 || ResultScore[s] == kScoreNone) continue;
    if (listed++ % 2 == 0) text += kCrLf;
    const QString mark = ResultSwapped[s] != 0 ? QStringLiteral("*") : QStringLiteral(" ");
    text += RightAligned(PairNumberText(ResultNsPair[s]), 4) + mark + RightAligned(PairNumberText(ResultEwPair[s]), 4) + mark;
    text += RightAligned(ApplySuitLetters(ResultContract[s]), 8);
    text += ResultScore[s] >= kScoreAverage ? QString(6, QLatin1Char(' ')) : RightAligned(QString::number(ResultScore[s]), 6);
    if (ResultNsPercent[s] == 0 && ResultEwPercent[s] == 0 && !ImpScoring)
      text += QString(15, QLatin1Char(' '));
    else
      text += scoring::FixedText(ResultNsPercent[s], 7, 1) + QLatin1Char(' ') + scoring::FixedText(ResultEwPercent[s], 7, 1) +
              QLatin1Char(' ');
  }
  return text + kCrLf + Dashes(79);
}

QString FrequencySection(int board, bool complete) {
  QString text = kCrLf + kCrLf;
  if (ImpScoring) text += QStringLiteral("=====>> PAR de la donne: ") + BoardDatum(board) + kCrLf + kCrLf;
  QString title = ImpScoring || !AutoVentilation ? QStringLiteral("Fréquences de la donne ")
                                                 : QStringLiteral("Fréquences réelles (ventilées) de la donne ");
  title += QString::number(board);
  text += title + kCrLf + Dashes(static_cast<int>(title.size())) + kCrLf + kCrLf;
  const QString c = ImpScoring ? QStringLiteral(" ") : QStringLiteral("%");
  text += RightAligned(QStringLiteral("Points"), 6) + RightAligned(c + QStringLiteral(" N/S"), 7) +
          RightAligned(c + QStringLiteral(" E/W"), 7);
  if (complete) text += QStringLiteral("  Paires...");
  text += kCrLf + Dashes(20) + kCrLf;
  const auto table = SortedEntries(board);
  for (std::size_t i = 0; i < table.size(); ++i) {
    const Entry& e = table[i];
    if (e.score == kUnused || (i > 0 && e.score == table[i - 1].score)) continue;
    text += RightAligned(QString::number(e.score), 6);
    text += scoring::FixedText(e.ns, 7, 2) + scoring::FixedText(ImpScoring ? -e.ns + 0.0 : 100 - e.ns, 7, 2);
    if (complete) {
      text += QLatin1Char(' ');
      int width = 0;
      for (int s = FirstSlot(board); s <= LastSlot(board); ++s) {
        if (ResultNsPair[s] == 0 || ResultScore[s] != e.score) continue;
        const QString pairs = PairsText(s);
        width += static_cast<int>(pairs.size()) + 1;
        if (width > 55) {
          text += kCrLf + QString(22, QLatin1Char(' ')) + QLatin1Char('+');
          width = static_cast<int>(pairs.size()) + 2;
        }
        text += QLatin1Char(' ') + pairs;
      }
    }
    text += kCrLf;
  }
  return text + Dashes(20) + kCrLf;
}

// "Numéro de la donne?" until a board of the tournament, or 0 (empty, "0",
// Esc).
int AskBoard() {
  for (;;) {
    ui::TextQuestion question;
    question.form = forms::NumberQuestion;
    question.prompt = QStringLiteral("Numéro de la donne?");
    const std::optional<QString> answer = ui::interaction().askText(question);
    const QString typed = answer ? TrimText(*answer) : QString();
    if (typed.isEmpty() || typed == QLatin1String("0")) return 0;
    if (IsInteger(typed)) {
      const int board = typed.toInt();
      if (board >= 1 && board <= std::min(BoardCount, kMaxBoards)) return board;
    }
  }
}

bool SingleResult(int board) {
  if (ComparableResults(board) != 1) return false;
  ShowAlert(QStringLiteral("Donne %1 <-- Un seul résultat! Corrigez, SVP...").arg(board));
  return true;
}

ui::Choice Question(const QString& form, const QStringList& buttons) {
  return {.form = form,
          .caption = QStringLiteral("Fréquences"),
          .text = QStringLiteral("Impression des feuilles de fréquences"),
          .buttons = buttons,
          .codes = {1, 2},
          .cancelCode = 0,
          .extra = {{QStringLiteral("hint"), QStringLiteral("Annuler = ESC/Echap")}}};
}

}  // namespace

int ComparableResults(int board) {
  int n = 0;
  for (int s = FirstSlot(board); s <= LastSlot(board); ++s)
    if (Comparable(s)) ++n;
  return n;
}

QString BoardFrequencySheet(int board, bool complete) {
  return (complete ? ResultsSection(board) : QString()) + FrequencySection(board, complete);
}

void PrintBoardFrequencies() {
  const int mode = ui::Ask(Question(forms::FrequencySheetsScope, {QStringLiteral("&Une à la fois"), QStringLiteral("&Toutes")}));
  if (mode == 0) return;
  const int kind = ui::Ask(Question(forms::FrequencySheetsForm, {QStringLiteral("&Complètes"), QStringLiteral("&Simplifiées")}));
  if (kind == 0) return;
  const bool complete = kind == 1;
  if (mode == 1) {
    bool askPrinter = true;
    for (int board = AskBoard(); board != 0; board = AskBoard()) {
      if (SingleResult(board)) return;
      BeginTempPrintout();
      scoring::PrintoutGuard guard;
      PrintFileWriter.write(BoardFrequencySheet(board, complete));
      CloseTextFile(PrintFileWriter);
      if (!PrintTextFile(PrintFile, askPrinter, QStringLiteral("frequences-") + QString::number(board))) return;
      askPrinter = false;
    }
    return;
  }
  scoring::PrintoutGuard guard;
  const int last = std::min(BoardCount, kMaxBoards);
  for (int board = 1; board <= last; ++board) {
    if (SingleResult(board)) return;
    if (board == 1) BeginTempPrintout();
    PrintFileWriter.write(BoardFrequencySheet(board, complete));
    if (complete) PrintFileWriter.write(QString(QChar(12)));
  }
  if (!PrintFileWriter.isOpen()) return;
  CloseTextFile(PrintFileWriter);
  PrintTextFile(PrintFile, true, QStringLiteral("frequences"));
}
