#pragma once
// The movement as a table of rounds, tables, pairs and boards, rebuilt from
// the result slots into MovementRowCount / MovementRow* / MovementBoardsText,
// shown in the window "Mouvement" beside the menu and printed.
#include <QString>
#include <QStringList>

// Builds the view and shows it beside the menu (the window registered by
// flowWindows().showMovement; nothing is shown without one).
// More rows than the view holds is a fatal stop.
void VoirMouvement();
// Only the rows: round by round, one row per N/S pair of the round with its
// boards joined by "-", a separator row (round 0) between two rounds.
void BuildMovementRows();
// True when a row of this round and N/S pair exists.
bool MovementRowExists(int round, int nsPair);
// Appends blanks until text is column characters long (nothing when longer).
void PadToColumn(int column, QString& text);
// The lines of the view: heading, dashes, rows and separators. On screen the
// BYE pair reads "BYE"; printed, every pair shows its number.
QStringList MovementViewLines(bool showBye);
// "Imprimer": PrintFile rewritten with MovementTitle, a blank line and the
// printed lines, then printed after the printer dialog.
void PrintMovementView();
