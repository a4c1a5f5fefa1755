#include "setup/ui/HelpDialog.h"

#include "core/Messages.h"
#include "core/ui/WindowStyle.h"
#include "platform/TextFiles.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

HelpDialog::HelpDialog(const QString& objectName, const QString& caption, const QString& button,
                       std::function<void(bool)> hideBox, QWidget* parent)
    : QDialog(parent) {
  setObjectName(objectName);
  setWindowTitle(caption);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setFocusPolicy(Qt::NoFocus);
  Button1 = new QPushButton(button, this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Memo1);
  if (hideBox) {
    CheckBox1 = new QCheckBox(QStringLiteral("Ne plus afficher"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    connect(CheckBox1, &QCheckBox::clicked, this, [hideBox](bool checked) {
      try {
        hideBox(checked);
      } catch (const platform::IoError& e) {
        ShowAlert(e.message());
      }
    });
    layout->addWidget(CheckBox1);
  }
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
  resize(560, 360);
  ui::StyleWindow(this, {.onEnter = [this] { Button1->click(); }, .onEscape = [this] { Button1->click(); }});
}

void HelpDialog::setText(const QString& text) { Memo1->setPlainText(ui::PlainLines(text)); }

QString PairsHelpText(bool pairChanges) {
  QString text = QStringLiteral(
      "Il y a quatre façons d'introduire les noms des joueurs:\n"
      "1. Sélectionnez un joueur dans la liste des joueurs (ou tapez les premières lettres de son nom), puis cliquez "
      "sur la case où il doit aller.\n"
      "2. Double-cliquez sur une case et tapez le nom.\n"
      "3. Tapez \"=\" (ou \"@\", \"!\", \"?\", \"%\", \"$\", \"&\") dans la liste des joueurs pour choisir une paire "
      "dans le fichier PAIRES.TXT, puis cliquez sur la ligne où elle doit aller.\n"
      "4. Utilisez la création rapide d'un ensemble de paires (N1 - S1, N2 - S2, ...).\n\n"
      "Cliquer sur une case remplie sans joueur sélectionné efface le nom (après confirmation).\n"
      "Les lettres tapées s'ajoutent; après une courte pause, une nouvelle recherche commence.\n\n"
      "La paire absente s'appelle \"BYE\": choisissez \"BYE\" dans la liste et cliquez sur la ligne de cette paire.\n\n"
      "Pour un Howell, les paires N/S sont numérotées de 1 à n et les paires E/W de n+1 à 2n.");
  if (pairChanges)
    text += QStringLiteral("\n\nDans le changement des paires, la paire BYE ne peut être ni remplacée ni introduite.");
  return text;
}
