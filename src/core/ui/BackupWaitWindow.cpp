#include "core/ui/BackupWaitWindow.h"

#include "core/Quit.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

TForm110::TForm110(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TForm110"));
  setWindowTitle(QStringLiteral("Attente"));
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(QStringLiteral("Backup en cours..."), this);
  label->setObjectName(QStringLiteral("Label1"));
  layout->addWidget(label);
  SetBackupWaitWindow([this](bool shown) { showWaiting(shown); });
}

TForm110::~TForm110() { SetBackupWaitWindow(nullptr); }

void TForm110::showWaiting(bool shown) {
  if (shown) {
    show();
    raise();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Lets the window paint; the director's keys and clicks wait.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  } else {
    hide();
    QApplication::restoreOverrideCursor();
  }
}
