#include "core/ui/BackupWaitWindow.h"

#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

TForm110::TForm110(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::BackupWait);
  setWindowTitle(QStringLiteral("Attente"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(32, 24, 32, 24);
  auto* label = new QLabel(QStringLiteral("Backup en cours..."), this);
  label->setObjectName(QStringLiteral("Label1"));
  layout->addWidget(label);
  flowWindows().notices.insert(forms::BackupWait,
                               {[this](const QString&) { showWaiting(true); }, [this] { showWaiting(false); }});
  ui::StyleWindow(this);
}

TForm110::~TForm110() {
  showWaiting(false);
  flowWindows().notices.remove(forms::BackupWait);
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
