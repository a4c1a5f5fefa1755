#include "scoring/ui/TForm24.h"

#include <QLabel>
#include <QVBoxLayout>

TForm24::TForm24(QWidget* parent) : ChoiceDialog(parent) {
  setObjectName(QStringLiteral("TForm24"));
  hint_ = new QLabel(this);
  hint_->setObjectName(QStringLiteral("Hint"));
  body_->addWidget(hint_);
  auto* note = new QLabel(QStringLiteral("( Ou création d'un PDF )"), this);
  note->setObjectName(QStringLiteral("StaticText1"));
  body_->addWidget(note);
}

void TForm24::prepare(const ui::Choice& choice) {
  ChoiceDialog::prepare(choice);
  const QString hint = choice.extra.value(QStringLiteral("hint")).toString();
  hint_->setText(hint);
  hint_->setVisible(!hint.isEmpty());
}
