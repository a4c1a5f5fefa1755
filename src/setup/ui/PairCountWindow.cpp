#include "setup/ui/PairCountWindow.h"
#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm11::TForm11(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::PairCount);
  setWindowTitle(QStringLiteral("Nombre de paires"));
  Label1 = new QLabel(QStringLiteral("Nombre de paires ?\n\nAvec un nombre impair de paires, la paire absente \"BYE\" est "
                                     "mise par défaut au numéro E/W le plus élevé.\nVous pourrez choisir sa place et la "
                                     "garder pour les tournois suivants."),
                      this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setWordWrap(true);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  ComboBox1 = new QComboBox(this);
  ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
  for (int n = 3; n <= 42; ++n) ComboBox1->addItem(QString::number(n));
  ComboBox1->setFocusPolicy(Qt::ClickFocus);
  Button1 = new QPushButton(QStringLiteral("&OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(ComboBox1, &QComboBox::activated, this, [this](int index) {
    Edit1->setText(ComboBox1->itemText(index));
    accept();
  });
  auto* row = new QHBoxLayout;
  row->addWidget(Edit1);
  row->addWidget(ComboBox1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addLayout(row);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
  ui::StyleWindow(this);
}

std::optional<QString> TForm11::ask() {
  Edit1->clear();
  ComboBox1->setCurrentIndex(-1);
  Edit1->setFocus();
  if (exec() != Accepted) return std::nullopt;
  return Edit1->text();
}
