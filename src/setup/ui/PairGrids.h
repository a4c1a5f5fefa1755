#pragma once
// What the pairs entry (TForm4) and the pair changes (TForm28) windows share:
// the N/S and E/W grids of two players per pair and the list of the players
// that the director picks from, searched by typing.
#include <QString>

class QElapsedTimer;
class QKeyEvent;
class QListWidget;
class QTableWidget;
class QWidget;

namespace ui {

// A grid of kMaxTables rows: the pair number (yellow, not editable) and the
// two players. The numbers are left empty; the grid is not editable yet.
QTableWidget* MakePairGrid(const QString& name, QWidget* parent);

// The players' list, single selection, its keys sent to `parent`'s event
// filter; choosing a name places it in PairsGridCellText.
QListWidget* MakePlayersList(QWidget* parent);

// Refills the list with the players still free, nothing selected.
void FillPlayersList(QListWidget* list);

// Gives the list the focus with nothing selected.
void FocusPlayersList(QListWidget* list);

// A printable key typed in the list: adds it to TypedSearchText (started
// afresh after a pause of the keyboard) and selects the first player found,
// or nothing.
void SearchPlayersList(QListWidget* list, QElapsedTimer& lastKey, const QString& text);

// The text of a key that the list's search may take: printable, without
// Ctrl or Alt; "" otherwise.
QString SearchKeyText(const QKeyEvent* event);

}  // namespace ui
