#include "core/ui/YesNoQuestionWindow.h"

#include "core/ui/WindowStyle.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TForm91::TForm91(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TForm91"));
  setWindowTitle(QStringLiteral("Question"));
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setWordWrap(true);
  Button1 = new QPushButton(QStringLiteral("OUI"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  Button2 = new QPushButton(QStringLiteral("NON"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  connect(Button1, &QPushButton::clicked, this, [this] { answerWith(6); });
  connect(Button2, &QPushButton::clicked, this, [this] { answerWith(7); });
  for (QWidget* w : {static_cast<QWidget*>(Button1), static_cast<QWidget*>(Button2)}) w->installEventFilter(this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addLayout(buttons);
  ui::StyleWindow(this, {.enterButton = Button1});
}

int TForm91::ask(const QString& question) {
  Label1->setText(question);
  answer_ = 7;
  exec();
  return answer_;
}

void TForm91::showEvent(QShowEvent* event) {
  answer_ = 7;  // a stray key or the close box never answers yes
  QDialog::showEvent(event);
  Button1->setFocus();
}

void TForm91::answerWith(int code) {
  answer_ = code;
  done(code == 6 ? Accepted : Rejected);
}

bool TForm91::handleKey(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr:
      return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      answerWith(6);
      return true;
    default:
      answerWith(7);
      return true;
  }
}

bool TForm91::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent*>(event))) return true;
  return QDialog::eventFilter(watched, event);
}

void TForm91::keyPressEvent(QKeyEvent* event) {
  if (!handleKey(event)) QDialog::keyPressEvent(event);
}
