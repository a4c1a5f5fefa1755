#pragma once
// Small look-and-feel helpers shared by the program's windows.
#include <QString>

class QWidget;

namespace ui {

// The cream background of the message windows.
void SetCreamBackground(QWidget* window);
// Moves a top-level window to the centre of its screen.
void CentreOnScreen(QWidget* window);

}  // namespace ui

namespace ui {
// A text whose lines end in CR LF (or CR) as a plain text with "\n".
QString PlainLines(const QString& text);
}  // namespace ui

class QListWidget;
namespace ui {
// A list with no line selected: Down, Up, Page Up, Page Down and Home select
// the first line, End the last one (true: the key was used).
bool SelectFromNothing(QListWidget* list, int key);
}  // namespace ui
