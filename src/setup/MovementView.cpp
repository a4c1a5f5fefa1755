#include "setup/MovementView.h"

#include "core/Fatal.h"
#include "core/Flows.h"
#include "core/Globals.h"
#include "core/Printing.h"

namespace {

QString heading() {
  QString text = QStringLiteral("Tour");
  PadToColumn(6, text);
  text += QStringLiteral("Table");
  PadToColumn(12, text);
  text += QStringLiteral("N/S");
  PadToColumn(16, text);
  text += QStringLiteral("E/W");
  PadToColumn(20, text);
  return text + QStringLiteral("Boards");
}

bool nsIsBye(int ns) {
  if (!ByePresent || ns <= 0) return false;
  return MitchellNumbering ? ns == ByeNsPair : ns == ByePairNumber;
}

bool ewIsBye(int ew) {
  if (!ByePresent || ew <= 0) return false;
  return (MitchellNumbering ? ResultsPerBoard + ew : ew) == ByePairNumber;
}

QString rowText(int row, bool showBye) {
  const int ns = MovementRowNs[row];
  const int ew = MovementRowEw[row];
  QString text = QStringLiteral(" ") + QString::number(MovementRowRound[row]);
  PadToColumn(7, text);
  text += QString::number(MovementRowTable[row]);
  PadToColumn(12, text);
  text += showBye && nsIsBye(ns) ? QStringLiteral("BYE") : QString::number(ns);
  PadToColumn(16, text);
  text += showBye && ewIsBye(ew) ? QStringLiteral("BYE") : QString::number(ew);
  PadToColumn(20, text);
  return text + MovementBoardsText[row];
}

int addRow(int round, int table, int ns, int ew) {
  if (MovementRowCount >= kMaxMovementRows) FatalStop(QStringLiteral("NRES>NTABMAX dans VoirMouvement"));
  const int row = ++MovementRowCount;
  MovementRowRound[row] = round;
  MovementRowTable[row] = table;
  MovementRowNs[row] = ns;
  MovementRowEw[row] = ew;
  MovementBoardsText[row].clear();
  return row;
}

}  // namespace

void PadToColumn(int column, QString& text) {
  if (text.size() < column) text += QString(column - text.size(), QLatin1Char(' '));
}

bool MovementRowExists(int round, int nsPair) {
  for (int row = 1; row <= MovementRowCount; ++row)
    if (MovementRowRound[row] == round && MovementRowNs[row] == nsPair) return true;
  return false;
}

void BuildMovementRows() {
  MovementRowCount = 0;
  const int t = ResultsPerBoard;
  const int lastSlot = std::min(ResultSlotCount, kMaxResultSlots);
  if (t <= 0) return;
  for (int r = 1; r <= RoundCount; ++r) {
    const int first = MovementRowCount + 1;
    for (int slot = 1; slot <= lastSlot; ++slot) {
      if (ResultRound[slot] != r) continue;
      const int ns = ResultNsPair[slot];
      const int board = (slot - 1) / t + 1;
      int row = first;
      while (row <= MovementRowCount && MovementRowNs[row] != ns) ++row;
      if (row > MovementRowCount) {
        int ew = ResultEwPair[slot];
        if (MitchellNumbering && ew > t) ew -= t;
        row = addRow(r, ResultTable[slot], ns, ew);
        MovementBoardsText[row] = QString::number(board);
      } else {
        MovementBoardsText[row] += QLatin1Char('-') + QString::number(board);
      }
    }
    if (r < RoundCount) addRow(0, 0, 0, 0);
  }
}

QStringList MovementViewLines(bool showBye) {
  const QString dashes(26, QLatin1Char('-'));
  QStringList lines{heading(), dashes};
  for (int row = 1; row <= MovementRowCount; ++row) {
    if (MovementRowRound[row] == 0)
      lines << QString(26, QLatin1Char('=')) << heading() << dashes;
    else
      lines << rowText(row, showBye);
  }
  return lines;
}

void VoirMouvement() {
  BuildMovementRows();
  BuildMovementTitle();
  if (const auto& show = flowWindows().showMovement) show();
}

void PrintMovementView() {
  TextFile& out = PrintFileWriter;
  SafeRewrite(out, PrintFile);
  out.writeLine(MovementTitle);
  out.writeLine();
  for (const QString& line : MovementViewLines(false)) out.writeLine(line);
  CloseTextFile(out);
  PrintTextFile(PrintFile, true, QStringLiteral("mouvement"));
}
