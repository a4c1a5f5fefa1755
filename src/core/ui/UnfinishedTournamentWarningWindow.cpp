#include "core/ui/UnfinishedTournamentWarningWindow.h"

#include "core/FormNames.h"
#include "core/ui/WindowInteraction.h"
#include "core/ui/WindowStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kForm = forms::UnfinishedTournamentWarning;
// The question names the evening's servers; without a text, none is named.
const QString kText = QStringLiteral(
    "Vous rechargez un tournoi joué aujourd'hui et qui n'est pas terminé.\n"
    "Les serveurs qui ne tournent plus vont être relancés.");
}  // namespace

TForm108::TForm108(QWidget* parent) : QDialog(parent) {
  setObjectName(kForm);
  setWindowTitle(QStringLiteral("Avertissement"));
  auto* layout = new QVBoxLayout(this);
  label_ = new QLabel(kText, this);
  label_->setObjectName(QStringLiteral("Label1"));
  label_->setWordWrap(true);
  layout->addWidget(label_);
  auto* row = new QHBoxLayout;
  agree_ = new QPushButton(QStringLiteral("Je suis d'accord"), this);
  agree_->setObjectName(QStringLiteral("Button1"));
  agree_->setDefault(true);
  back_ = new QPushButton(QStringLiteral("Retour au menu"), this);
  back_->setObjectName(QStringLiteral("Button2"));
  back_->setAutoDefault(false);
  row->addWidget(agree_);
  row->addWidget(back_);
  layout->addLayout(row);
  connect(agree_, &QPushButton::clicked, this, [this] { done(1); });
  connect(back_, &QPushButton::clicked, this, [this] { done(2); });
  ui::RegisterChoiceWindow(kForm, [this](const ui::Choice& c) { return ask(c); });
  ui::StyleWindow(this, {.cancelButton = back_, .onEnter = [this] { agree_->click(); }, .onEscape = [this] { done(2); }});
}

TForm108::~TForm108() { ui::RegisterChoiceWindow(kForm, nullptr); }

int TForm108::ask(const ui::Choice& choice) {
  label_->setText(choice.text.isEmpty() ? kText : QString(choice.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  agree_->setFocus();
  const int answer = exec();
  return answer == 1 ? 1 : 2;  // Esc and the close box go back
}
