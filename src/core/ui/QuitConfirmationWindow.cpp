#include "core/ui/QuitConfirmationWindow.h"

#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/ui/WindowInteraction.h"
#include "core/ui/WindowStyle.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kForm = forms::QuitConfirmation;
const QString kText = QStringLiteral("Vraiment quitter le programme?");
}  // namespace

TForm59::TForm59(QWidget* parent) : QDialog(parent) {
  setObjectName(kForm);
  setWindowTitle(QStringLiteral("Confirmation?"));
  auto* layout = new QVBoxLayout(this);
  label_ = new QLabel(kText, this);
  label_->setObjectName(QStringLiteral("Label1"));
  layout->addWidget(label_);
  auto* row = new QHBoxLayout;
  ok_ = new QPushButton(QStringLiteral("&OK"), this);
  ok_->setObjectName(QStringLiteral("Button1"));
  cancel_ = new QPushButton(QStringLiteral("&Annuler = ESC"), this);
  cancel_->setObjectName(QStringLiteral("Button2"));
  row->addWidget(ok_);
  row->addWidget(cancel_);
  layout->addLayout(row);
  connect(ok_, &QPushButton::clicked, this, [this] { done(1); });
  connect(cancel_, &QPushButton::clicked, this, [this] { done(0); });
  ui::RegisterChoiceWindow(kForm, [this](const ui::Choice& c) { return ask(c); });
  ui::StyleWindow(this, {.cancelButton = cancel_,
                         .onEnter =
                             [this] {
                               if (auto* b = qobject_cast<QPushButton*>(focusWidget())) b->click();
                             },
                         .onEscape = [this] { done(0); }});
}

TForm59::~TForm59() { ui::RegisterChoiceWindow(kForm, nullptr); }

int TForm59::ask(const ui::Choice& choice) {
  label_->setText(choice.text.isEmpty() ? kText : choice.text);
  const int answer = exec();
  return answer == 1 ? 1 : 0;
}

void TForm59::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ui::interaction().beep();
  ChoiceResult = 0;
  ok_->setFocus();
}

void TForm59::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Space) {
    event->accept();  // every other key is ignored
    return;
  }
  if (auto* b = qobject_cast<QPushButton*>(focusWidget())) b->click();
}
