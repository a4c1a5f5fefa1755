#pragma once
// The OK of a small dialog: its default button (Button1), which accepts the
// dialog, centred at the end of the dialog's layout.
#include <QString>

class QBoxLayout;
class QDialog;
class QPushButton;

namespace ui {

// Adds the button alone, centred, at the end of `layout`.
QPushButton* AddOkButton(QDialog* dialog, QBoxLayout* layout, const QString& caption);

// Adds a centred row of the button and a note of the keys beside it at the
// end of `layout`.
QPushButton* AddOkRow(QDialog* dialog, QBoxLayout* layout, const QString& caption, const QString& keys);

}  // namespace ui
