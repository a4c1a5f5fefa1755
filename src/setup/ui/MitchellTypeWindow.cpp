#include "setup/ui/MitchellTypeWindow.h"

#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"
#include "setup/Movements.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

TForm8::TForm8(QWidget* parent) : QuitOnEscapeDialog(parent) {
  setObjectName(forms::MitchellType);
  setWindowTitle(QStringLiteral("Type de Mitchell"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(addLabel(QStringLiteral("Label1"), QStringLiteral("Ce mouvement est un MITCHELL avec nombre pair de tables.")));
  layout->addWidget(addLabel(QStringLiteral("Label2"), QStringLiteral("Il y a deux possibilités:")));
  Label6 = addLabel(QStringLiteral("Label6"), {});
  Label7 = addLabel(QStringLiteral("Label7"), {});
  Button1 = new QPushButton(QStringLiteral("On &saute à la moitié du tournoi"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  Button2 = new QPushButton(QStringLiteral("Il y a une table-&relais"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  connect(Button1, &QPushButton::clicked, this, [this] { done(1); });
  connect(Button2, &QPushButton::clicked, this, [this] { done(2); });
  auto* first = new QHBoxLayout;
  first->addWidget(Button1);
  first->addWidget(Label6, 1);
  auto* second = new QHBoxLayout;
  second->addWidget(Button2);
  second->addWidget(Label7, 1);
  layout->addLayout(first);
  layout->addLayout(second);
  layout->addWidget(addLabel(QStringLiteral("Label3"), QStringLiteral("Attention: dans le premier cas, on joue un tour en moins, alors")));
  layout->addWidget(addLabel(QStringLiteral("Label4"), QStringLiteral("que dans le second cas, le mouvement est complet")));
  CheckBox1 = new QCheckBox(QStringLiteral("Mémoriser ce choix"), this);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  layout->addWidget(CheckBox1);
  BitBtn1 = addQuitButton(QStringLiteral("BitBtn1"));
  layout->addWidget(BitBtn1, 0, Qt::AlignRight);
}

int TForm8::ask(const ui::Choice& choice) {
  Label6->setText(choice.extra.value(QStringLiteral("Label6")).toString());
  Label7->setText(choice.extra.value(QStringLiteral("Label7")).toString());
  {
    const QSignalBlocker quiet(CheckBox1);
    CheckBox1->setChecked(false);
  }
  Button1->setFocus();
  ui::CentreOnScreen(this);
  const int answer = exec();
  MitchellTypeRemembered = CheckBox1->isChecked();
  return answer;
}
