#pragma once
// What the pairs entry (TForm4) and the pair changes (TForm28) windows share:
// the N/S and E/W grids of two players per pair and the list of the players
// that the director picks from, searched by typing.
#include "setup/PairsEntry.h"

#include <QElapsedTimer>
#include <QString>
#include <QWidget>

#include <functional>

class QCloseEvent;
class QKeyEvent;
class QLabel;
class QLayout;
class QListWidget;
class QPushButton;
class QShowEvent;
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
// keyboard, its keys go to listKey(). Each time the program shows it, the
// players' button shows in a club only and the window is redrawn; its close
// box is refused with `closeRefusal`.
class PairGridsWindow : public QWidget {
  Q_OBJECT

 public:
  QTableWidget* NS = nullptr;
  QTableWidget* EW = nullptr;
  QListWidget* Joueurs = nullptr;
  QPushButton* playersButton = nullptr;
  QLabel* nsHeading = nullptr;
  QLabel* ewHeading = nullptr;

  // Redraws both grids and the player list from the data, no name selected.
  void redraw();

 protected:
  PairGridsWindow(const QString& closeRefusal, QWidget* parent = nullptr, Qt::WindowFlags flags = {});

  // Lays the window out, sized and styled: the grids under their headings,
  // each heading followed at its right by its button when there is one; at
  // their right the players' list under its heading and `help`, with
  // `chosenPair` and the players' button below it; `bottom` under them all.
  void layOut(QWidget* nsButton, QWidget* ewButton, QWidget* help, QWidget* chosenPair, QLayout* bottom);

  // Draws the grids, their headings and the pair chosen from a file.
  virtual void drawPairs() = 0;
  // What the window sets before it is redrawn, each time the program shows it.
  virtual void prepareShow() {}
  // A name typed in a grid's cell (`pairRow` from 1), once its editor has closed.
  virtual void cellTyped(PairsSide side, int column, int pairRow, const QString& typed) = 0;
  // True when cellTyped() would take this name without a word: it is then
  // called at once, so that a save or a click that follows the Return sees
  // the name; a refusal's message waits until the editor has closed.
  virtual bool takenSilently(PairsSide, int /*column*/, int /*pairRow*/, const QString& /*typed*/) const {
    return false;
  }
  // Sends what is typed in the grids' cells to cellTyped().
  void takeTypedCells();

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
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void cellEdited(PairsSide side, int row, int column);

  QString closeRefusal_;
  QElapsedTimer lastKey_;
  bool redrawing_ = false;
};

}  // namespace setup_ui
