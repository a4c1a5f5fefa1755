#include "scoring/ui/TForm23.h"

#include <QLabel>
#include <QVBoxLayout>

TForm23::TForm23(QWidget* parent) : ChoiceDialog(parent) {
  setObjectName(QStringLiteral("TForm23"));
  hint_ = new QLabel(this);
  hint_->setObjectName(QStringLiteral("Hint"));
  body_->addWidget(hint_);
}

void TForm23::prepare(const ui::Choice& choice) {
  ChoiceDialog::prepare(choice);
  const QString hint = choice.extra.value(QStringLiteral("hint")).toString();
  hint_->setText(hint);
  hint_->setVisible(!hint.isEmpty());
}
