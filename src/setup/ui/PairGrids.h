#pragma once
// What the pairs entry (TForm4) and the pair changes (TForm28) windows share:
// the N/S and E/W grids of two players per pair and the list of the players
// that the director picks from, searched by typing.
#include <QElapsedTimer>
#include <QString>
#include <QWidget>

#include <functional>

class QKeyEvent;
class QLabel;
class QListWidget;
class QTableWidget;
class QMouseEvent;

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

// A heading in bold.
QLabel* MakeBoldLabel(const QString& text, QWidget* parent);

}  // namespace ui

namespace setup_ui {

// A window of the two pair grids and the players' list: the list keeps the
// keyboard, its keys go to listKey().
class PairGridsWindow : public QWidget {
  Q_OBJECT

 public:
  QTableWidget* NS = nullptr;
  QTableWidget* EW = nullptr;
  QListWidget* Joueurs = nullptr;

  // Redraws both grids and the player list from the data, no name selected.
  virtual void redraw() = 0;

 protected:
  explicit PairGridsWindow(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

  // Shows the window in front, redrawn, the list taking the keys.
  void bringForward();
  void focusPlayers();
  // A key typed in the list; true when the window took it.
  virtual bool listKey(QKeyEvent* event) = 0;
  // Searches the list for a printable key's text (ui::SearchPlayersList).
  void searchPlayers(const QString& text);
  // A printable key typed in the list: the pair chooser's key runs
  // choosePair (the list keeps the focus), any other searches the list.
  // False for a key without text.
  bool searchOrChoosePair(const QKeyEvent* event, const std::function<void()>& choosePair);

  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  bool redrawing_ = false;

 private:
  QElapsedTimer lastKey_;
};

}  // namespace setup_ui
