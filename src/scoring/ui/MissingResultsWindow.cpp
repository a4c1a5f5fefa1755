#include "scoring/ui/MissingResultsWindow.h"

#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TForm15::TForm15(QWidget* parent) : ChoiceDialog(parent) {
  setObjectName(forms::MissingResults);
  memo_ = new QPlainTextEdit(this);
  memo_->setReadOnly(true);
  memo_->setFocusPolicy(Qt::ClickFocus);  // the keys go to the buttons
  memo_->setFont(ui::FontFor(QStringLiteral("Courier New")));
  memo_->setMinimumSize(520, 300);
  body_->addWidget(memo_);
}

void TForm15::prepare(const ui::Choice& choice) {
  ui::Choice shown = choice;
  // The memo holds the list; the label above it the question, if any.
  shown.text = choice.extra.value(QStringLiteral("label")).toString();
  ChoiceDialog::prepare(shown);
  const QStringList lines = choice.extra.contains(QStringLiteral("lines"))
                                ? choice.extra.value(QStringLiteral("lines")).toStringList()
                                : choice.text.split(QLatin1Char('\n'));
  memo_->setPlainText(lines.join(QLatin1Char('\n')));
}
