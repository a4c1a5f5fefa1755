#include "core/ui/WindowStyle.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>
#include <QWidget>

namespace ui {

void SetCreamBackground(QWidget* window) {
  QPalette palette = window->palette();
  palette.setColor(QPalette::Window, QColor(0xFF, 0xFB, 0xF0));
  window->setPalette(palette);
  window->setAutoFillBackground(true);
}

void CentreOnScreen(QWidget* window) {
  QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

}  // namespace ui

namespace ui {
QString PlainLines(const QString& text) {
  QString lines = text;
  lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return lines;
}
}  // namespace ui

namespace ui {
bool SelectFromNothing(QListWidget* list, int key) {
  if (list->count() == 0 || !list->selectedItems().isEmpty()) return false;
  switch (key) {
    case Qt::Key_Down:
    case Qt::Key_Up:
    case Qt::Key_PageDown:
    case Qt::Key_PageUp:
    case Qt::Key_Home:
      list->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
      return true;
    case Qt::Key_End:
      list->setCurrentRow(list->count() - 1, QItemSelectionModel::ClearAndSelect);
      return true;
    default:
      return false;
  }
}
}  // namespace ui
