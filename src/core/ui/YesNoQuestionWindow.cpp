#include "core/ui/YesNoQuestionWindow.h"

#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TForm91::TForm91(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::YesNoQuestion);
  setWindowTitle(QStringLiteral("Question"));
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setWordWrap(true);
  yesButton = new QPushButton(QStringLiteral("OUI"), this);
  yesButton->setObjectName(QStringLiteral("Button1"));
  yesButton->setDefault(true);
  noButton = new QPushButton(QStringLiteral("NON"), this);
  noButton->setObjectName(QStringLiteral("Button2"));
  connect(yesButton, &QPushButton::clicked, this, [this] { answerWith(6); });
  connect(noButton, &QPushButton::clicked, this, [this] { answerWith(7); });
  for (QWidget* w : {static_cast<QWidget*>(yesButton), static_cast<QWidget*>(noButton)}) w->installEventFilter(this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(yesButton);
  buttons->addWidget(noButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addLayout(buttons);
  ui::StyleWindow(this, {.enterButton = yesButton});
}

int TForm91::ask(const QString& question, bool defaultNo) {
  Label1->setText(question);
  defaultNo_ = defaultNo;
  yesButton->setText(defaultNo ? QStringLiteral("&OUI") : QStringLiteral("OUI"));
  noButton->setText(defaultNo ? QStringLiteral("NON (ENTER)") : QStringLiteral("NON"));
  yesButton->setDefault(!defaultNo);
  noButton->setDefault(defaultNo);
  ui::SetEnterButton(this, defaultNo ? noButton : yesButton);
  answer_ = 7;
  exec();
  return answer_;
}

void TForm91::showEvent(QShowEvent* event) {
  answer_ = 7;  // a stray key or the close box never answers yes
  QDialog::showEvent(event);
  (defaultNo_ ? noButton : yesButton)->setFocus();
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
      answerWith(defaultNo_ ? 7 : 6);
      return true;
    case Qt::Key_Escape:
      answerWith(7);
      return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      if (defaultNo_) return false;  // from one button to the other
      answerWith(7);
      return true;
    default:
      break;
  }
  if (!defaultNo_) {
    answerWith(7);
    return true;
  }
  // What cannot be undone answers only its own keys: O, N, Enter and Esc.
  const QString typed = event->text();
  if (typed.compare(QStringLiteral("o"), Qt::CaseInsensitive) == 0) answerWith(6);
  if (typed.compare(QStringLiteral("n"), Qt::CaseInsensitive) == 0) answerWith(7);
  return true;
}

bool TForm91::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent*>(event))) return true;
  return QDialog::eventFilter(watched, event);
}

void TForm91::keyPressEvent(QKeyEvent* event) {
  if (!handleKey(event)) QDialog::keyPressEvent(event);
}
