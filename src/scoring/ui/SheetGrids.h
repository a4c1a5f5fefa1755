#pragma once
// What the traveller entry (TForm56) and the table-sheet entry (TForm58)
// windows share: their read-only grids, the names of the entry options that a
// double click or F1-F5 switch, the switching itself, and the window that
// owns the field a result is typed in and routes their keys alike.
#include "scoring/ScoreSheet.h"

#include <QColor>
#include <QDialog>
#include <QList>
#include <QStringList>

#include <functional>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QObject;
class QShowEvent;
class QTableWidget;
class QWidget;

namespace ui {

// The five entry options, in the order of F1 to F5.
const QStringList& SheetOptionNames();

// A label of option `option` (0 for F1 ... 4 for F5) whose double click
// reaches `filter`'s event filter with the option as its "option" property
// (SheetEntryWindow switches that option).
QLabel* MakeOptionLabel(QWidget* parent, QObject* filter, int option, const QString& text = {});

// A grid without headers, focus, selection or editing, of fixed column widths
// (set by the caller) and no horizontal scroll bar.
QTableWidget* MakeSheetGrid(QWidget* parent, const QString& name, int columns);

// Sets a cell's text and background (none when invalid), the cell centred.
void SetSheetCell(QTableWidget* grid, int row, int column, const QString& text, const QColor& background);

// Fills a sheet's grid: `heads` on a yellow row 0, then lines 1 to `lines`
// from `cellsOf(line)` (an array of the grid's cells), line `current` (none
// when 0) in silver.
template <class CellsOf>
void FillSheetGrid(QTableWidget* grid, const QStringList& heads, int lines, int current, CellsOf cellsOf) {
  for (int c = 0; c < heads.size(); ++c) SetSheetCell(grid, 0, c, heads[c], QColor(Qt::yellow));
  for (int line = 1; line <= lines; ++line) {
    const auto cells = cellsOf(line);
    const QColor background = line == current ? QColor(0xC0, 0xC0, 0xC0) : QColor();
    for (std::size_t c = 0; c < cells.size(); ++c) SetSheetCell(grid, line, static_cast<int>(c), cells[c], background);
  }
}

// The lines whose board the director settled (settledOf(line)): their cell
// of `column` drawn in blue; `note` says what that means, hidden when no line
// is settled.
void MarkSettledLines(QTableWidget* grid, int lines, int column, QLabel* note,
                      const std::function<bool(int)>& settledOf);

}  // namespace ui

namespace scoring_ui {

// A sheet's entry window: the sheet drawn, results typed by keyboard. It owns
// the entry field that opens when a result is typed, the status line shown
// with it and the option labels, and routes the keys and double clicks: while
// the field is open the window takes no key and no double click, and a click
// on it leaves the keyboard to the field; otherwise the option toggles and
// the swap go to the sheet, every other key to sheetKey(). Closing the window
// closes the field and saves the results.
class SheetEntryWindow : public QDialog {
  Q_OBJECT
 public:
  QLineEdit* Edit1 = nullptr;
  QList<QLabel*> OptionLabels;  // coherence, times ten, order, entry mode, line skip

  // Draws the sheet, the labels and the options again.
  virtual void refresh() = 0;

 protected:
  // `settles`: the sheet's test of a character that validates the number
  // typed, which it may rewrite.
  SheetEntryWindow(bool (*settles)(QChar, QString&), QWidget* parent);

  // Makes Edit1 in `parent`, hidden and disabled; `status` is the status line
  // shown while the field is open.
  void makeEntryField(QWidget* parent, QLabel* status);
  // Adds to OptionLabels the label that shows option `option` (0 for F1 ...
  // 4 for F5), in `box`.
  QLabel* addOptionLabel(QWidget* box, int option);
  // Shows the sheet's option texts and status line.
  void showOptions(const QStringList& options, const QString& status);

  // Opens the field with `text`, the status line shown beside it.
  void openField(const QString& text);
  // Empties and hides the field and the status line; the window takes the
  // keys again.
  void closeField();
  void switchOption(int option);

  // A key of the sheet other than None, the swap and the option toggles.
  virtual void sheetKey(SheetKey key, const QString& text) = 0;
  // The swap and the option toggles given to the sheet; true when the key
  // was one of them.
  virtual bool toggleKey(SheetKey key) = 0;
  // An option switched by its label (0 for F1 ... 4 for F5), not redrawn.
  virtual void toggleOption(int option) = 0;
  // The field's text validated: the sheet stores it.
  virtual void storeTyped(const QString& text) = 0;
  // Whether the open field takes a number rather than a contract.
  virtual bool typesNumber() const = 0;
  // A double click on one of the window's own labels; true when taken.
  virtual bool labelDoubleClicked(const QObject* label) = 0;

  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void reject() override;

 private:
  // A key typed in the open field, before the field takes it: Enter validates
  // the field, Esc closes it, a character that settles a number validates it
  // at once, the keys that would move the line do nothing. True when taken.
  bool fieldKey(const QKeyEvent* key);
  void validateField();

  bool (*settles_)(QChar, QString&);
  QLabel* status_ = nullptr;
  bool fieldOpen_ = false;
};

// The entry window of one kind of sheet: the toggles that both sheets take
// alike, given to the window's sheet().
template <class Sheet>
class SheetEntryWindowOf : public SheetEntryWindow {
 public:
  virtual Sheet& sheet() = 0;

 protected:
  explicit SheetEntryWindowOf(QWidget* parent) : SheetEntryWindow(&Sheet::validatesNumber, parent) {}

  // The swap of the current line's pairs and the five option toggles (the
  // entry mode asking about refusals).
  bool toggleKey(SheetKey key) override {
    switch (key) {
      case SheetKey::Swap: sheet().swapCurrent(); return true;
      case SheetKey::ToggleCoherence: sheet().toggleCoherence(); return true;
      case SheetKey::ToggleTimesTen: sheet().toggleTimesTen(); return true;
      case SheetKey::ToggleOrder: sheet().toggleOrder(); return true;
      case SheetKey::ToggleEntryMode: sheet().toggleEntryMode(); return true;
      case SheetKey::ToggleLineSkip: sheet().toggleLineSkip(); return true;
      default: return false;
    }
  }

  // The entry mode switches without asking about refusals.
  void toggleOption(int option) override {
    switch (option) {
      case 0: sheet().toggleCoherence(); break;
      case 1: sheet().toggleTimesTen(); break;
      case 2: sheet().toggleOrder(); break;
      case 3: sheet().toggleEntryMode(false); break;
      case 4: sheet().toggleLineSkip(); break;
      default: break;
    }
  }
};

}  // namespace scoring_ui
