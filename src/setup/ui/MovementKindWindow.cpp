#include "setup/ui/MovementKindWindow.h"

#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel* memo(const QString& name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setWordWrap(true);
  label->setMinimumWidth(360);
  label->setMinimumHeight(label->heightForWidth(360));
  return label;
}

}  // namespace

TForm9::TForm9(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::MovementKind);
  setWindowTitle(QStringLiteral("Mouvement"));
  auto* grid = new QGridLayout(this);
  int row = 0;
  auto add = [&](QPushButton*& button, const QString& name, const QString& caption, int code, const QString& note) {
    button = new QPushButton(caption, this);
    button->setObjectName(name);
    connect(button, &QPushButton::clicked, this, [this, code] { done(code); });
    grid->addWidget(button, row, 0);
    grid->addWidget(memo(QStringLiteral("Note") + name, note, this), row, 1);
    ++row;
  };
  add(Button1, QStringLiteral("Button1"), QStringLiteral("&MITCHELL     (Option standard)"), 1,
      QStringLiteral("Les N/S restent assis, les E/W montent d'une table et les étuis descendent, pour n'importe quel nombre de tables."));
  add(Button2, QStringLiteral("Button2"), QStringLiteral("Mouvement  &proposé par le programme"), 2,
      QStringLiteral("Liste des mouvements du dossier Howells qui conviennent à votre nombre de paires."));
  add(Button3, QStringLiteral("Button3"), QStringLiteral("Tournoi &Baromètre (Pas dans Talvaron)"), 3,
      QStringLiteral("Pas disponible dans ce programme."));
  add(Button4, QStringLiteral("Button4"), QStringLiteral("Michell Appendix 7-14 Tables 28 Boards 7 Tours"), 4,
      QStringLiteral("Mitchell en 7 tours pour 7 à 14 tables."));
  add(Button5, QStringLiteral("Button5"), QStringLiteral("Michell Appendix 9-18 Tables 27 Boards 9 Tours"), 5,
      QStringLiteral("Mitchell en 9 tours pour 9 à 18 tables."));
  add(Button7, QStringLiteral("Button7"), QStringLiteral("Howell / Michell (Autre mouvement sur &disque)"), 7,
      QStringLiteral("Un fichier de description de mouvement que vous allez chercher sur le disque."));
  add(Button9, QStringLiteral("Button9"), QStringLiteral("Match par 4 (Patton)"), 9,
      QStringLiteral("Tournoi par équipes de quatre, marqué en IMPs."));
  add(Panel2, QStringLiteral("Panel2"), QStringLiteral("Mouvements spécifiques de Tallyvane"), 10,
      QStringLiteral("Les mouvements du club."));
  add(Panel1, QStringLiteral("Panel1"), QStringLiteral("Dorénavant, ne  voir que les mouvements de Tallyvane"), 11,
      QStringLiteral("Les prochaines fois, la liste des mouvements du club est montrée directement."));
  Label11 = memo(QStringLiteral("Label11"), QStringLiteral("Mouvements du club"), this);
  Memo7 = memo(QStringLiteral("Memo7"), QStringLiteral("Présents dans le dossier Howells\\Bralmet"), this);
  grid->addWidget(Label11, row, 0);
  grid->addWidget(Memo7, row, 1);
  ++row;
  Button8 = new QPushButton(QStringLiteral("(ESC/Echap) = Revenir aux paires"), this);
  Button8->setObjectName(QStringLiteral("Button8"));
  connect(Button8, &QPushButton::clicked, this, [this] { done(0); });
  BitBtn2 = new QPushButton(QStringLiteral("&Quitter"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  connect(BitBtn2, &QPushButton::clicked, this, [] { flowSteps().quitProgram(); });
  grid->addWidget(Button8, row, 0);
  grid->addWidget(BitBtn2, row, 1, Qt::AlignRight);
  Button1->setDefault(true);
  Button3->setEnabled(false);
  ui::StyleWindow(this);
}

int TForm9::ask(const ui::Choice& choice) {
  const bool club = choice.extra.value(QStringLiteral("club")).toBool();
  Button4->setEnabled(choice.extra.value(QStringLiteral("appendix7")).toBool());
  Button5->setEnabled(choice.extra.value(QStringLiteral("appendix9")).toBool());
  for (const char* name : {"Label11", "Memo7", "Panel1", "Panel2", "NotePanel1", "NotePanel2"})
    if (auto* w = findChild<QWidget*>(QLatin1String(name))) w->setVisible(club);
  Button1->setFocus();
  ui::CentreOnScreen(this);
  const int answer = exec();
  return answer;
}
