#pragma once
// The closing row of a small dialog: its default "OK" button (Button1),
// which accepts the dialog, centred with a note of the keys beside it.
#include <QString>

class QBoxLayout;
class QDialog;
class QPushButton;

namespace ui {

// Adds the row at the end of `layout` and returns the button.
QPushButton* AddOkRow(QDialog* dialog, QBoxLayout* layout, const QString& caption, const QString& keys);

}  // namespace ui
