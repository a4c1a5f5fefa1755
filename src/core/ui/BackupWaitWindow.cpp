#include "core/ui/BackupWaitWindow.h"

#include "core/Flows.h"
#include "core/ui/WindowStyle.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

TForm110::TForm110(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TForm110"));
  setWindowTitle(QStringLiteral("Attente"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(32, 24, 32, 24);
  auto* label = new QLabel(QStringLiteral("Backup en cours..."), this);
  label->setObjectName(QStringLiteral("Label1"));
  layout->addWidget(label);
  flowWindows().notices.insert(QStringLiteral("TForm110"),
                               {[this](const QString&) { showWaiting(true); }, [this] { showWaiting(false); }});
  ui::StyleWindow(this);
}

TForm110::~TForm110() {
  showWaiting(false);
  flowWindows().notices.remove(QStringLiteral("TForm110"));
}

void TForm110::showWaiting(bool shown) {
  if (shown == waiting_) return;
  waiting_ = shown;
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
