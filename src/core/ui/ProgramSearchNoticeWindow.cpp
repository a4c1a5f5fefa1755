#include "core/ui/ProgramSearchNoticeWindow.h"

#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

TForm95::TForm95(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(forms::ProgramSearchNotice);
  setWindowTitle(QStringLiteral("Message"));
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setWordWrap(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(32, 24, 32, 24);
  layout->addWidget(Label1);
  ui::StyleWindow(this);
}

void TForm95::showText(const QString& text) {
  Label1->setText(text);
  show();
  raise();
  ui::CentreOnScreen(this);
  repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
