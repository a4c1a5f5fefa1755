#pragma once
// The text of a listing (a movement, the deals' diagrams) shown as printed:
// read-only, in a monospaced font, lines never wrapped.
#include <QString>

class QPlainTextEdit;
class QWidget;

namespace ui {

QPlainTextEdit* MakeListingView(QWidget* parent, const QString& name);

}  // namespace ui
