#include "scoring/ui/TForm42.h"

#include <QLabel>
#include <QVBoxLayout>

TForm42::TForm42(QWidget* parent) : ChoiceDialog(parent) {
  setObjectName(QStringLiteral("TForm42"));
  hint_ = new QLabel(this);
  hint_->setObjectName(QStringLiteral("Hint"));
  body_->addWidget(hint_);
}

void TForm42::prepare(const ui::Choice& choice) {
  ChoiceDialog::prepare(choice);
  const QString hint = choice.extra.value(QStringLiteral("hint")).toString();
  hint_->setText(hint);
  hint_->setVisible(!hint.isEmpty());
}
