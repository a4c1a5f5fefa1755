#pragma once
// What the traveller entry (TForm56) and the table-sheet entry (TForm58)
// windows share: their read-only grids, the field a result is typed in, the
// names of the entry options that a double click or F1-F5 switch, and the
// switching itself.
#include "scoring/ScoreSheet.h"

#include <QColor>
#include <QStringList>

#include <functional>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QObject;
class QTableWidget;
class QWidget;

namespace ui {

// The five entry options, in the order of F1 to F5.
const QStringList& SheetOptionNames();

// A label of option `option` (0 for F1 ... 4 for F5) whose double click
// reaches `filter`'s event filter with the option as its "option" property.
QLabel* MakeOptionLabel(QWidget* parent, QObject* filter, int option, const QString& text = {});

// A grid without headers, focus, selection or editing, of fixed column widths
// (set by the caller) and no horizontal scroll bar.
QTableWidget* MakeSheetGrid(QWidget* parent, const QString& name, int columns);

// Sets a cell's text and background (none when invalid), the cell centred.
void SetSheetCell(QTableWidget* grid, int row, int column, const QString& text, const QColor& background);

// Opens the entry field with `text`, the status line shown beside it.
void OpenEntryField(QLineEdit* field, QLabel* status, const QString& text);

// Empties and hides the entry field and the status line; `window` takes the
// keys again.
void CloseEntryField(QLineEdit* field, QLabel* status, QWidget* window);

// A key typed in the open entry field, before the field takes it: Enter
// validates the field, Esc closes it; with `numbers`, a character that
// settles the number typed (`settles`, which may rewrite the field's text)
// validates at once. True when the key was taken.
bool TakeEntryFieldKey(const QKeyEvent* key, QLineEdit* field, bool numbers, bool (*settles)(QChar, QString&),
                       const std::function<void()>& validate, const std::function<void()>& close);

// A double click on an option label (MakeOptionLabel) switches its option:
// true when `watched` is such a label.
bool SwitchOptionOfLabel(const QObject* watched, const std::function<void(int)>& switchOption);

// The keys both sheets take alike: the swap of the current line's pairs and
// the five option toggles (the entry mode asking about refusals). True when
// the key was one of them.
template <class Sheet>
bool TakeSheetToggleKey(Sheet& sheet, SheetKey key) {
  switch (key) {
    case SheetKey::Swap: sheet.swapCurrent(); return true;
    case SheetKey::ToggleCoherence: sheet.toggleCoherence(); return true;
    case SheetKey::ToggleTimesTen: sheet.toggleTimesTen(); return true;
    case SheetKey::ToggleOrder: sheet.toggleOrder(); return true;
    case SheetKey::ToggleEntryMode: sheet.toggleEntryMode(); return true;
    case SheetKey::ToggleLineSkip: sheet.toggleLineSkip(); return true;
    default: return false;
  }
}

// Switches the option at `option` (0 for F1 ... 4 for F5) of a sheet; the
// entry mode switches without asking about refusals.
template <class Sheet>
void SwitchSheetOption(Sheet& sheet, int option) {
  switch (option) {
    case 0: sheet.toggleCoherence(); break;
    case 1: sheet.toggleTimesTen(); break;
    case 2: sheet.toggleOrder(); break;
    case 3: sheet.toggleEntryMode(false); break;
    case 4: sheet.toggleLineSkip(); break;
    default: break;
  }
}

}  // namespace ui
