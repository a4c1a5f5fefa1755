#include "scoring/ui/ChoiceDialog.h"

#include "core/ui/WindowStyle.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace scoring_ui {

QChar MnemonicLetter(const QString& caption) {
  for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != QLatin1Char('&')) continue;
    if (caption[i + 1] == QLatin1Char('&')) {
      ++i;
      continue;
    }
    return caption[i + 1].toUpper();
  }
  return {};
}

ChoiceDialog::ChoiceDialog(QWidget* parent) : QDialog(parent) {
  auto* layout = new QVBoxLayout(this);
  label_ = new QLabel(this);
  label_->setWordWrap(true);
  layout->addWidget(label_);
  body_ = new QVBoxLayout;
  layout->addLayout(body_);
  buttonRow_ = new QHBoxLayout;
  buttonRow_->addStretch();
  layout->addLayout(buttonRow_);
  ui::StyleWindow(this);
}

void ChoiceDialog::prepare(const ui::Choice& choice) {
  setWindowTitle(choice.caption);
  label_->setText(choice.text);
  label_->setVisible(!choice.text.isEmpty());
  for (QPushButton* b : buttons_) b->deleteLater();
  buttons_.clear();
  codes_.clear();
  cancelCode_ = choice.cancelCode;
  const int defaultIndex = choice.extra.value(QStringLiteral("defaultButton"), 0).toInt();
  for (int i = 0; i < choice.buttons.size(); ++i) {
    auto* b = new QPushButton(choice.buttons[i], this);
    const int code = i < choice.codes.size() ? choice.codes[i] : i + 1;
    b->setAutoDefault(false);
    b->setDefault(i == defaultIndex);
    connect(b, &QPushButton::clicked, this, [this, code] { done(code); });
    buttonRow_->addWidget(b);
    buttons_ << b;
    codes_ << code;
  }
  if (defaultIndex >= 0 && defaultIndex < buttons_.size()) buttons_[defaultIndex]->setFocus();
}

int ChoiceDialog::ask(const ui::Choice& choice) {
  prepare(choice);
  return exec();
}

void ChoiceDialog::keyPressEvent(QKeyEvent* event) {
  const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  if (plain && !event->text().isEmpty()) {
    const QChar typed = event->text().at(0).toUpper();
    for (int i = 0; i < buttons_.size(); ++i) {
      if (MnemonicLetter(buttons_[i]->text()) == typed) {
        done(codes_[i]);
        return;
      }
    }
  }
  QDialog::keyPressEvent(event);
}

void ChoiceDialog::reject() { done(cancelCode_); }

HintedChoiceDialog::HintedChoiceDialog(QWidget* parent, Note note) : ChoiceDialog(parent) {
  hint_ = new QLabel(this);
  hint_->setObjectName(QStringLiteral("Hint"));
  body_->addWidget(hint_);
  if (note == Note::Pdf) {
    auto* pdf = new QLabel(QStringLiteral("( Ou création d'un PDF )"), this);
    pdf->setObjectName(QStringLiteral("StaticText1"));
    body_->addWidget(pdf);
  }
}

void HintedChoiceDialog::prepare(const ui::Choice& choice) {
  ChoiceDialog::prepare(choice);
  const QString hint = choice.extra.value(QStringLiteral("hint")).toString();
  hint_->setText(hint);
  hint_->setVisible(!hint.isEmpty());
}

}  // namespace scoring_ui
