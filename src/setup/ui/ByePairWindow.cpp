#include "setup/ui/ByePairWindow.h"
#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TForm71::TForm71(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::ByePair);
  setWindowTitle(QStringLiteral("Choix de la paire BYE"));
  auto* heading = new QLabel(QStringLiteral("Où mettez-vous la paire absente ?"), this);
  QFont big = heading->font();
  big.setBold(true);
  big.setPointSize(big.pointSize() + 2);
  heading->setFont(big);

  auto* direction = new QGroupBox(QStringLiteral("Direction"), this);
  direction->setObjectName(QStringLiteral("RadioGroup1"));
  NorthSouth = new QRadioButton(QStringLiteral("N/S"), direction);
  NorthSouth->setObjectName(QStringLiteral("NorthSouth"));
  EastWest = new QRadioButton(QStringLiteral("E/W"), direction);
  EastWest->setObjectName(QStringLiteral("EastWest"));
  auto* group = new QButtonGroup(direction);
  group->addButton(NorthSouth);
  group->addButton(EastWest);
  auto* directionLayout = new QVBoxLayout(direction);
  directionLayout->addWidget(NorthSouth);
  directionLayout->addWidget(EastWest);

  CheckBox1 = new QCheckBox(QStringLiteral("A priori, au numéro le plus élevé"), this);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setMaximumWidth(80);
  CheckBox2 = new QCheckBox(QStringLiteral("Garder l'information pour les tournois suivants"), this);
  CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(CheckBox1, &QCheckBox::clicked, this, [this] {
    if (!CheckBox2->isChecked()) Edit1->clear();
  });

  auto* notes = new QLabel(
      QStringLiteral("Une paire BYE en N/S: les paires E/W qui passent à cette table ne jouent pas ce tour.\n"
                     "Une paire BYE en E/W: les paires N/S qui la reçoivent ne jouent pas ce tour.\n"
                     "Par défaut, on prend le numéro le plus élevé; un numéro trop grand donne aussi le numéro le plus "
                     "élevé.\nPour un Howell, la paire BYE se place comme pour un Mitchell (par exemple 5 tables et le "
                     "BYE au numéro 10: E/W, numéro le plus élevé)."),
      this);
  notes->setWordWrap(true);

  auto* numberRow = new QHBoxLayout;
  numberRow->addWidget(CheckBox1);
  numberRow->addWidget(new QLabel(QStringLiteral("----->"), this));
  numberRow->addWidget(Edit1);
  numberRow->addWidget(new QLabel(QStringLiteral("<-Ou à une table particulière"), this));
  numberRow->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addWidget(direction);
  layout->addLayout(numberRow);
  layout->addWidget(CheckBox2);
  layout->addWidget(notes);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
  ui::StyleWindow(this);
}

ByeWindowState TForm71::ask(const ByeWindowState& offered) {
  (offered.direction == 2 ? EastWest : NorthSouth)->setChecked(true);
  CheckBox1->setChecked(offered.highest);
  Edit1->setText(offered.number);
  CheckBox2->setChecked(offered.keep);
  Edit1->setFocus();
  exec();
  return state();
}

ByeWindowState TForm71::state() const {
  ByeWindowState s;
  s.direction = EastWest->isChecked() ? 2 : 1;
  s.highest = CheckBox1->isChecked();
  s.number = Edit1->text();
  s.keep = CheckBox2->isChecked();
  return s;
}
