#include "scoring/ui/PrintedResultsLayoutWindow.h"

#include "core/FormNames.h"

#include <QLabel>
#include <QVBoxLayout>

TForm18::TForm18(QWidget* parent) : ChoiceDialog(parent) {
  setObjectName(forms::PrintedResultsLayout);
  hint_ = new QLabel(this);
  hint_->setObjectName(QStringLiteral("Hint"));
  body_->addWidget(hint_);
}

void TForm18::prepare(const ui::Choice& choice) {
  ChoiceDialog::prepare(choice);
  hint_->setText(choice.extra.value(QStringLiteral("hint")).toString());
}
