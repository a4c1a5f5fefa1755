#include "devices/ui/BridgeMatesSettingsHelpWindow.h"

#include "core/FormNames.h"
#include "core/ui/OkRow.h"
#include "core/ui/WindowStyle.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TForm104::TForm104(QWidget* parent) : QDialog(parent) {
  setObjectName(forms::BridgeMatesSettingsHelp);
  setWindowTitle(QStringLiteral("Aide pour les paramètres des BridgeMates"));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel(QStringLiteral("Aide pour les paramètres des BridgeMates"), this);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  layout->addWidget(title, 0, Qt::AlignHCenter);
  const QList<QPair<QString, QStringList>> texts = {
      {QStringLiteral("- Introduction de la carte d'entame:"),
       {QStringLiteral("Vous pouvez imposer aux joueurs d'introduire"),
        QStringLiteral("la carte d'entame là chaque encodage d'un résultat.")}},
      {QStringLiteral("- Vérification de la carte d'entame:"),
       {QStringLiteral("Si vous cochez cette case, le BridgeMate vérifiera"),
        QStringLiteral("qu'elle correspond, dans le diagramme de la donne,"), QStringLiteral("à une carte du joueur qui doit entamer.")}},
      {QStringLiteral("- Montrer les joueurs à chaque tour:"),
       {QStringLiteral("Vous demandez aux BridgeMates d'afficher"), QStringLiteral("les noms des joueurs au début de chaque tour.")}},
      {QStringLiteral("- Permettre aux joueurrs d'introduire un nom vide: "),
       {QStringLiteral("Lors de l'introduction des noms des jouieurs,"),
        QStringLiteral("ils peuvent passer outre d'un nom s'ils ne connaissent pas"),
        QStringLiteral("son numéro. Dans ce cas, vous devrez introduire ce joueur dans le programme."),
        QStringLiteral("Sinon, l'introduction des noms est obligatoire. Au pire, ils peuvent évidemment"),
        QStringLiteral("introduire un numéro quelconque (que vous leur proposerez),"),
        QStringLiteral("par exemple 10000, et vous devrez également introduire ce joueur dans le programme.")}},
      {QStringLiteral("- Code de l'arbitre:"),
       {QStringLiteral("Vous savez que les codes 853 et 871 permettent"),
        QStringLiteral("à l'arbitre de modifier les paramètres généraux d'un Bridgemate,"), QStringLiteral("par exemple son numéro."),
        QStringLiteral("Ici, c'est le code de l'arbitre pour ajuster ou effacer un score.")}}};
  for (const auto& [heading, lines] : texts) {
    auto* head = new QLabel(heading, this);
    head->setFont(bold);
    layout->addWidget(head);
    auto* body = new QLabel(lines.join('\n'), this);
    body->setTextInteractionFlags(Qt::TextSelectableByMouse);
    body->setContentsMargins(16, 0, 0, 4);
    layout->addWidget(body);
  }
  Button1 = ui::AddOkRow(this, layout, QStringLiteral("&OK"), QStringLiteral("( ESC ou RETURN )"));
  ui::StyleWindow(this, {.onEnter = [this] { Button1->click(); }, .onEscape = [this] { Button1->click(); }});
}
