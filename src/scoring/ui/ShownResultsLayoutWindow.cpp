#include "scoring/ui/ShownResultsLayoutWindow.h"

#include "core/FormNames.h"

#include <QLabel>
#include <QVBoxLayout>

TForm16::TForm16(QWidget* parent) : ChoiceDialog(parent) {
  setObjectName(forms::ShownResultsLayout);
  hint_ = new QLabel(this);
  hint_->setObjectName(QStringLiteral("Hint"));
  body_->addWidget(hint_);
}

void TForm16::prepare(const ui::Choice& choice) {
  ChoiceDialog::prepare(choice);
  hint_->setText(choice.extra.value(QStringLiteral("hint")).toString());
}
