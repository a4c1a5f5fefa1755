#pragma once
// The correction of player names while play goes on (the window is setup/ui's
// TForm28 "Modification des paires"): the pairs, their numbers and the BYE
// stay as they are, only names change. With BridgeMates each name placed is
// also sent to the scorers through the session database. In a Patton the
// team names are listed beside it (TForm38).
#include "setup/PairsEntry.h"

#include <QString>
#include <QStringList>

// The grids of the window, NsEditGrid and EwEditGrid (core/Globals.h).

PairsGrid& EditGridOf(PairsSide side);

// The window (and the team names beside it, TForm38) is shown, hidden and
// redrawn through flowWindows() (bringPairChangesForward, hidePairChanges,
// refreshPairChanges, showTeamNames, hideTeamNames).

// The two headings of the window: "Paires N/S" and "Paires E/W", or
// "Howell" and "" in a Howell.
QStringList PairChangesHeadings();
// The number shown on row r of a grid: E/W rows follow the N/S ones in a
// Howell.
int PairChangesRowNumber(PairsSide side, int row);

// The grids from the pair slots; the names placed are not offered by the
// player list; then the window is shown.
void FillPairsEditGrids();
// The menu's button: the grids filled and the window shown, with the team
// names in a Patton.
void ShowPairChanges();

// A click on cell (column 1 or 2, row) with the name selected in the list
// (PairsGridCellText) or the pair chosen from "PAIRES.TXT" (PairChoiceText).
// The BYE pair never changes; a name placed updates its pair slot, its
// licence and the menu's players counter at once.
void PairsModifyGridClick(PairsSide side, int column, int row);
// A name typed over a cell (the editor left). "BYE" and a name with "£" are
// refused; an empty editor changes nothing.
void PairsModifyCellTyped(PairsSide side, int column, int row, const QString& text);

// The grids back into the pair slots (not in a federation tournament). The
// BYE pair keeps its names ("Avertissement!..."), a playing pair never
// becomes the BYE; a changed name gets the licence of the player list's
// entry of that name, "0" when there is none.
void StorePairsModifyGrid();


// OK: the grids stored, ".PAI" and the pair-name files written, the windows
// hidden.
void PairChangesOk();
// "Imprimer les paires".
void PrintPairChanges();

// The lines of "Nom des équipes".
QStringList TeamNameLines();

// The licence of the first player of the list named name (without regard to
// case); empty when none is.
QString ListedLicence(const QString& name);
