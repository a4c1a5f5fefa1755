// Talvaron: scoring of duplicate-bridge pairs tournaments.
#include "core/ui/WindowInteraction.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ui::InstallWindowInteraction();
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Talvaron"));
  window.setCentralWidget(new QLabel(QStringLiteral("Talvaron"), &window));
  window.show();
  return app.exec();
}
