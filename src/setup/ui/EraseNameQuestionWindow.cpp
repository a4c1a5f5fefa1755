#include "setup/ui/EraseNameQuestionWindow.h"
#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TForm70::TForm70(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::EraseNameQuestion);
  setWindowTitle(QStringLiteral("Message"));
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  CheckBox1 = new QCheckBox(QStringLiteral("Mémoriser \"Click = Effacer\""), this);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  Button1 = new QPushButton(QStringLiteral("OUI=ENTER"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  Button2 = new QPushButton(QStringLiteral("NON = ESC"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  connect(Button1, &QPushButton::clicked, this, [this] {
    answer_ = 1;
    accept();
  });
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(CheckBox1);
  layout->addLayout(buttons);
  ui::StyleWindow(this);
}

int TForm70::ask(const QString& text) {
  Label1->setText(text);
  CheckBox1->setChecked(false);
  answer_ = 0;
  Button1->setFocus();
  exec();
  return answer_ + (CheckBox1->isChecked() ? 10 : 0);
}
