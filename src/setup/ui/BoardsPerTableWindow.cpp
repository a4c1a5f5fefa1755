#include "setup/ui/BoardsPerTableWindow.h"

#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TForm10::TForm10(QWidget* parent) : QuitOnEscapeDialog(parent) {
  setObjectName(forms::BoardsPerTable);
  setWindowTitle(QStringLiteral("Nombre de boards par table"));
  auto* layout = new QVBoxLayout(this);
  Label1 = addLabel(QStringLiteral("Label1"), {});
  layout->addWidget(Label1);
  layout->addWidget(addLabel(QStringLiteral("Label2"), QStringLiteral("Nombre de boards par table?")));
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  layout->addWidget(ListBox1);
  Button1 = new QPushButton(QStringLiteral("&OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  BitBtn1 = addQuitButton(QStringLiteral("BitBtn1"));
  connect(Button1, &QPushButton::clicked, this, &TForm10::answer);
  connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TForm10::answer);
  ui::MakeChoiceList(ListBox1);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
  layout->addWidget(BitBtn1, 0, Qt::AlignRight);
}

void TForm10::answer() {
  const int row = ui::ChosenRow(ListBox1);
  if (row < 0 || ListBox1->item(row)->text().isEmpty()) return;  // only an offered line
  done(row + 1);
}

int TForm10::ask(const ui::ListChoice& choice) {
  Label1->setText(choice.hint);
  ListBox1->clear();
  ListBox1->addItems(choice.lines);
  for (int i = 0; i < ListBox1->count(); ++i)
    if (ListBox1->item(i)->text().isEmpty()) ListBox1->item(i)->setFlags(Qt::NoItemFlags);
  ui::StartChoiceAt(ListBox1, choice.current - 1);
  ListBox1->setFocus();
  ui::CentreOnScreen(this);
  return exec();
}
