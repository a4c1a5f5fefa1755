#pragma once
// The work behind the pair-names window "Introduction des paires" (the
// window itself is setup/ui's TForm4): the two grids as the window shows
// them, the transfer of the grids into the pair slots and back, the quick
// creation of a numbered set of pairs, a click on a grid cell with the name
// being placed, and the window's buttons and menu entries.
#include "core/Globals.h"

#include <QString>
#include <QStringList>

#include <array>

// PairsGrid, the grids NsGrid and EwGrid, PairsGridCellText and
// PairChoiceText: core/Globals.h.

enum class PairsSide { NorthSouth, EastWest };


PairsGrid& GridOf(PairsSide side);

// The window is shown, hidden and redrawn through flowWindows()
// (showPairsEntry, hidePairsEntry, refreshPairsEntry).

// Shows the pair-names window for a new tournament: with table devices and
// no pair yet, the quick creation first; the grids from the pair slots; with
// devices and names typed here, the information window unless "MSG1.TXT"
// hides it.
void ShowPairsEntry();

// The grids into the pair slots: each grid's rows up to its last filled one
// become pairs (an empty cell becomes the placeholder "?", in the grid too),
// N/S from slot 1, E/W after them; a row with either cell "BYE" is the
// absent pair (player 1 "BYE", no player 2, in the grid too).
// PairCount is left alone.
void StorePairsGrid();

// The grids from the pair slots (N/S pair k on row k, E/W pair k on row k),
// the names in the grids taken out of the free names and those that left the
// grids given back; then the window is redrawn and shown.
void FillPairsGrids();
// The entries the player list shows: the non-empty trimmed free names.
QStringList PlayersListBoxLines();
// Redraws the player list (and the grids) of the window.
void FillPlayersListBox();
// Position (0-based) of the first entry beginning with typed, without regard
// to case; -1 when none does or typed is empty.
int FindListEntry(const QStringList& entries, const QString& typed);

// Empty the N/S (E/W) grid after the yes/no question; the names go back to
// the free names.
void ClearNorthSouthPairs();
void ClearEastWestPairs();

// Quick creation: asks the number of pairs (3..42) and builds N1 - S1,
// N2 - S2 ... and E/W pairs named after their slots, the BYE placed by
// PlaceByePair for an odd number. False when the director gives up (Esc).
bool AskPairCount();

// A click on cell (column 1 or 2, row 1..21) of a grid: places the pair of
// PairChoiceText, empties a "?", erases a name (after the question unless
// "ClickOK.TXT" exists) or places PairsGridCellText; then both are emptied.
void PairsGridClick(PairsSide side, int column, int row);

// A name typed in a cell (column 1 or 2, row 1..21): refused with its
// message when the files cannot keep it whole (the cell keeps what it had,
// false), else the cell takes it as typed.
bool PairsGridCellTyped(PairsSide side, int column, int row, const QString& text);

// The characters that open the chooser of "PAIRES.TXT" from the player list.
bool IsPairChooserKey(const QString& typed);
// The chooser of "PAIRES.TXT": its choice goes to PairChoiceText; refused
// with table devices and in a federation tournament.
void ChoosePairFromFile();

// Menu entries and buttons.
void QuickCreatePairs();       // refused with table devices
void ReloadPairsIntoGrids();
void SavePairsBackup();
void PrintPairs();
void DrawPairsIntoGrids();
void CheckPairsEntry();        // "Vos paires sont en ordre..." when they are
void PairsGeneralOptions();
void AddOrChangePlayers();
// The stop button: saves the pairs only (and deletes the code's other result
// files), says so, and ends the program.
void PairsEntryStop();
// The OK button: the start of the tournament.
void PairsEntryOk();
// With table devices and names not typed in the program, the OK button.
void AutoConfirmPairsEntry();

// Writes ("Cacher") or deletes "MSG1.TXT", which hides the information
// window of the pair-names entry with devices.
void SetPairsEntryInfoHidden(bool hidden);
