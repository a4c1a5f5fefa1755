#include "publishing/ui/PublishingQuestionWindows.h"

#include "core/FormNames.h"
#include "core/ui/WindowInteraction.h"
#include "core/ui/WindowStyle.h"
#include "publishing/BridgeWebs.h"
#include "publishing/ui/WebPageDirectorWindow.h"
#include "publishing/ui/XmlRankingLayoutWindow.h"

#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

PublishingDialog::PublishingDialog(const QString& name, QWidget* parent)
    : ChoiceDialog(parent) {
  setObjectName(name);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  ui::SetCreamBackground(this);
}

void PublishingDialog::prepare(const ui::Choice& choice) {
  ChoiceDialog::prepare(choice);
  const QList<QPushButton*> list = buttons();
  for (int i = 0; i < list.size(); ++i) list[i]->setObjectName(QStringLiteral("Button%1").arg(i + 1));
  // Enter clicks the first answer wherever the focus stands.
  ui::SetEnterButton(this, list.value(0));
  adjustSize();
  ui::CentreOnScreen(this);
}

TForm78::TForm78(QWidget* parent) : PublishingDialog(forms::SavedTournamentReplace, parent) {
  edit1_ = new QLineEdit(QStringLiteral("Noms de fichiers..."), this);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  edit1_->setReadOnly(true);
  edit1_->setFocusPolicy(Qt::NoFocus);
  body_->addWidget(edit1_);
  body_->addWidget(new QLabel(QStringLiteral("( = ENTER)"), this));
}

void TForm78::prepare(const ui::Choice& choice) {
  PublishingDialog::prepare(choice);
  edit1_->setText(choice.extra.value(QStringLiteral("edit"), edit1_->text()).toString());
}

TForm80::TForm80(QWidget* parent) : PublishingDialog(forms::XmlUploadOffer, parent) {
  for (const QString& line : {QStringLiteral("Voulez-vous l'envoyer"), QStringLiteral("directement sur le site"),
                              QStringLiteral("de BridgeWebs?"), QStringLiteral("Vous lancerez manuellement"),
                              QStringLiteral("\"Webrellic.EXE\""), QStringLiteral("( = ENTER)")})
    body_->addWidget(new QLabel(line, this));
  memo_ = new QPlainTextEdit(this);
  memo_->setObjectName(QStringLiteral("Memo1"));
  memo_->setReadOnly(true);
  memo_->setFocusPolicy(Qt::NoFocus);
  memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo_->setFixedHeight(70);
  body_->addWidget(memo_);
}

void TForm80::prepare(const ui::Choice& choice) {
  ui::Choice shown = choice;
  memo_->setPlainText(choice.text);
  shown.text.clear();
  PublishingDialog::prepare(shown);
}

TForm87::TForm87(QWidget* parent) : PublishingDialog(forms::BridgeWebsFunctions, parent) {
  body_->addWidget(new QLabel(QStringLiteral("( = ENTER)"), this));
  body_->addWidget(new QLabel(QStringLiteral("( = ESC)"), this));
}

TForm103::TForm103(QWidget* parent) : PublishingDialog(forms::NoInternet, parent) {
  auto* memo = new QLabel(
      QStringLiteral("Vous pouvez quand même continuer et lancer le sauvetage sur BridgeWebs.\n\n"
                     "Le fichier XML à envoyer à BridgeWebs sera bien créé.\n\n"
                     "Si vous acceptez de continuer, le programme \"Webrellic.EXE\"\n"
                     "sera lancé mais il constatera aussi qu'il n'y a pas d'Internet.\n\n"
                     "Et donc, l'envoi ne sera pas fait.\n\n"
                     "Mais vous pourrez lancer ce programme un peu plus tard quand\n"
                     "Internet sera actif ou copier le fichier sur un autre ordinateur\n"
                     "(Mac ou PC) et l'envoyer sur celui-là par \"Webrellic\".\n\n"
                     "Si vous choisissez d'arrêter, vous devrez recliquer sur ce bouton d'envoi. "),
      this);
  memo->setObjectName(QStringLiteral("Memo1"));
  body_->addWidget(memo);
  body_->addWidget(new QLabel(QStringLiteral("( = ENTER )"), this));
  body_->addWidget(new QLabel(QStringLiteral("( = EESC )"), this));
}

namespace {

template <typename Window>
int AskIn(const ui::Choice& choice) {
  Window window;
  return window.ask(choice);
}

}  // namespace

void RegisterPublishingDialogs() {
  ui::RegisterChoiceWindow(forms::WebPageDirector, &AskIn<TForm77>);
  ui::RegisterChoiceWindow(forms::SavedTournamentReplace, &AskIn<TForm78>);
  ui::RegisterChoiceWindow(forms::XmlRankingLayout, &AskIn<TForm79>);
  ui::RegisterChoiceWindow(forms::XmlUploadOffer, &AskIn<TForm80>);
  ui::RegisterChoiceWindow(forms::BridgeWebsFunctions, &AskIn<TForm87>);
  ui::RegisterChoiceWindow(forms::NoInternet, &AskIn<TForm103>);
  publishing::setUrlOpener([](const QString& url) { return QDesktopServices::openUrl(QUrl(url)); });
}
