#include "devices/ui/TableStatusStripWindow.h"

#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"
#include "devices/TableStates.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>

namespace {

constexpr int kSquare = 35;

// DrawGrid1: one column of squares, one per table.
class Grid : public QWidget {
 public:
  explicit Grid(QWidget* parent) : QWidget(parent) { setObjectName(QStringLiteral("DrawGrid1")); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const TableStatusStrip& strip = tableStatusStrip();
    QFont font = ui::FontFor(QStringLiteral("Arial"), 12, true);
    painter.setFont(font);
    for (int r = 0; r < strip.tableCount; ++r) {
      const int state = strip.states[r + 1];
      const QColor fill = state == TableLoggedOn ? QColor(0, 255, 0) : state == TableFinished ? QColor(255, 0, 0) : Qt::white;
      const QRect cell(2, 2 + r * kSquare, kSquare, kSquare);
      painter.fillRect(cell, fill);
      painter.setPen(QColor(192, 192, 192));
      painter.drawRect(cell.adjusted(0, 0, -1, -1));
      painter.setPen(state == TableFinished ? Qt::white : Qt::black);
      painter.drawText(cell, Qt::AlignCenter, QString::number(r + 1));
    }
  }
};

TForm112* stripWindow() {
  static QPointer<TForm112> window;
  if (!window) window = new TForm112;
  return window;
}

}  // namespace

TForm112::TForm112(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName(forms::TableStatusStrip);
  setWindowTitle(QStringLiteral("BM"));
  ui::SetCreamBackground(this);
  DrawGrid1 = new Grid(this);
  layOut();
  ui::StyleWindow(this, {.centre = false});
}

void TForm112::layOut() {
  const int rows = tableStatusStrip().tableCount;
  DrawGrid1->setGeometry(8, 8, 39, rows * kSquare + 4);
  setFixedSize(39 + 16, rows * kSquare + 4 + 16);
  DrawGrid1->update();
}

void TForm112::placeBesideMenu() {
  layOut();
  QWidget* menu = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == forms::TournamentMenu && w->isVisible()) menu = w;
  if (menu) {
    const QRect frame = menu->frameGeometry();
    move(frame.left() + frame.width() + 8, frame.top() + 20);
  } else {
    ui::CentreOnScreen(this);
  }
  show();
}

void RegisterTableStatusStrip() {
  flowWindows().redrawTableStrip = [] { stripWindow()->layOut(); };
  flowWindows().placeTableStrip = [] { stripWindow()->placeBesideMenu(); };
  flowWindows().hideTableStrip = [] {
    if (tableStatusStrip().visible || stripWindow()->isVisible()) stripWindow()->hide();
  };
}
