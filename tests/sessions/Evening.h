#pragma once
// What the whole evenings share: the program's windows registered, the
// players file, the players placed in the pair grids, the usual dialogues of
// a movement, and the quit that ends the program.
#include "sessions/Desk.h"
#include "sessions/ProgramWindows.h"

#include <QApplication>
#include <QString>

#include <array>
#include <functional>
#include <vector>

class QPushButton;
class QTableWidget;

namespace sessions {

// The windows' interaction and every floor's windows, as the program
// registers them at its start.
void InstallProgramWindows();

// "JOUEURS.TXT" in the program folder: the first `count` (at most 16) of
// ARNAUD Paul 1001, BLANC Marie 1002, ... SIMON Lea 1016, one a line. Their
// surnames start with different letters, so that one letter finds each.
void WritePlayersFile(const QString& programFolder, int count);

// A player typed in the players' list of the pair names, then placed with a
// click on the grid's cell (row from 1).
void PlacePlayer(ProgramWindows& w, const char* typed, QTableWidget* grid, int row, int column);
// The pairs placed row by row, N/S then E/W of each row: ns[r] and ew[r] are
// the letters typed for the two players of row r + 1.
using PairLetters = std::vector<std::array<const char*, 2>>;
void PlacePairs(ProgramWindows& w, const PairLetters& ns, const PairLetters& ew);

// The Howell of the shipped files, its first movement, two boards a set
// (TForm9, TForm65, TForm10, TForm6).
void ScriptShippedHowell(Desk& desk);
// A standard Mitchell of two boards a table (TForm9, TForm7).
void ScriptMitchellOfTwoBoards(Desk& desk);
// No deals to import for the tables' devices: no PBN file in the folder.
void ScriptNoDealsImported(Desk& desk);
// An adjusted result (TForm76): 60 % N/S, 40 % E/W, the second remark.
void AdjustSixtyForty(QWidget* w);

// The results shown from the menu (Button10), then printed from their window
// (BitBtn1; the printer asked first where choosePrinter), the printout kept
// by keep(), the window closed. False when no results window came.
bool ShowAndPrintResults(Desk& desk, TForm5& menu, bool choosePrinter, const std::function<void()>& keep);

// The quit confirmed (TForm59; then, for a Patton, the warning that it is
// saved as a pairs tournament); the program must end with code 0.
void QuitThrough(Desk& desk, QPushButton* quitButton, bool impWarning = false);

// The program's top-level window of that class (nullptr when none).
template <class Form>
Form* TopLevelWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* form = qobject_cast<Form*>(w)) return form;
  return nullptr;
}

}  // namespace sessions
