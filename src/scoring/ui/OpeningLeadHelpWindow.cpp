#include "scoring/ui/OpeningLeadHelpWindow.h"
#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm99::TForm99(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::OpeningLeadHelp);
  setWindowTitle(QStringLiteral("Aide pour l'entame"));
  auto* memo = new QPlainTextEdit(this);
  memo->setObjectName(QStringLiteral("Memo1"));
  memo->setReadOnly(true);
  memo->setPlainText(QStringList{
      QStringLiteral("Pour introduire la carte d'entame, vous avez deux possibilités"),
      QStringLiteral("et vous pouvez les mélanger."),
      QString(),
      QStringLiteral("1) Au clavier, dans n'importe quel ordre:"),
      QString(),
      QStringLiteral("- introduire lla carte d'entame en minuscule ou majuscule"),
      QStringLiteral("  ( ARDV 98765432 x )"),
      QStringLiteral("- introduire la couleur en minuscule ou majuscule (PCKT)"),
      QString(),
      QStringLiteral("2) A la souris, dans n'importre quel ordre:"),
      QString(),
      QStringLiteral("Cliquer sur les icônes carte et couleur."),
      QString(67, QLatin1Char('-')),
      QStringLiteral("Si vous vous êtes trompé, vous pouvez toujours"),
      QStringLiteral("changer de carte ou de couleur."),
      QString(),
      QStringLiteral("La touche ENTER utilise l'entame que vous avez choisie."),
      QString(),
      QStringLiteral("La Touche ESC quitte avec l'entame '?'."),
  }.join(QLatin1Char('\n')));
  QFont mono = memo->font();
  mono.setFamily(QStringLiteral("Courier New"));
  mono.setStyleHint(QFont::TypeWriter);
  memo->setFont(mono);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(memo);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
  resize(560, 400);
  ui::StyleWindow(this);
}
