#include "devices/ui/ScorerNamesHelpWindow.h"
#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"

#include "core/Globals.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TForm105::TForm105(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::ScorerNamesHelp);
  setWindowTitle(QStringLiteral("Aide"));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  for (const QString& t : {QStringLiteral("Aide sur les noms des joueurs affichés"), QStringLiteral("sur les BridgeMates")}) {
    auto* title = new QLabel(t, this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title, 0, Qt::AlignHCenter);
  }
  Memo1 = new QLabel(QStringList{QStringLiteral("Sur les  BridgeMates II, le nombre de caractères des noms de joueurs ne peut dépasser 18 !"),
                                 QString(),
                                 QStringLiteral("Vous avez 3 possibilités:"),
                                 QStringLiteral("- Accepter la limitation à 18 caractères.          <- Valeur par défaut"),
                                 QString(),
                                 QStringLiteral("  Dans ce cas, les noms des joueurs seront tronqués à 18 caractères."),
                                 QStringLiteral("- Envoyer uniquement les prénoms si la longueur est > 18."),
                                 QStringLiteral("- Toujours n'envoyer que les prénoms."),
                                 QString(),
                                 QStringLiteral("De plus, dans votre fichier de joueurs JOUEURS.TXT, "),
                                 QStringLiteral("vous pouvez indiquer les prénoms en insérant "),
                                 QStringLiteral("un des caractères « : » ou « # » entre le nom et le prénom"),
                                 QStringLiteral("lorsque le nom contient des espaces.")}
                         .join('\n'),
                     this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo2 = new QLabel(QStringLiteral("Ce dernier point n'est pas valable au Bralmet puisque\n"
                                    "les noms et prénoms des joueurs proviennent de Tallyvane."),
                     this);
  Memo2->setObjectName(QStringLiteral("Memo2"));
  layout->addWidget(Memo1);
  layout->addWidget(Memo2);
  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  Button1->setAutoDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(Button1);
  row->addWidget(new QLabel(QStringLiteral("( = ENTER )"), this));
  row->addStretch();
  layout->addLayout(row);
  ui::StyleWindow(this);
}

void TForm105::showEvent(QShowEvent* event) {
  Memo2->setVisible(ClubMode);
  QDialog::showEvent(event);
  Button1->setFocus();
}
