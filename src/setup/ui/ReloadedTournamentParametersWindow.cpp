#include "setup/ui/ReloadedTournamentParametersWindow.h"

#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/ui/WindowInteraction.h"
#include "core/ui/WindowStyle.h"
#include "setup/Parameters.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kForm = forms::ReloadedTournamentParameters;
}  // namespace

TForm81::TForm81(QWidget* parent) : QDialog(parent) {
  setObjectName(kForm);
  setWindowTitle(QStringLiteral("Paramètres du tournoi"));
  auto* layout = new QVBoxLayout(this);
  for (const char* text : {"Vous venez de recharger un fichier de paires", "sans avoir réellement créé un tournoi.",
                           "Tapez la date à laquelle vous allez le jouer"})
    layout->addWidget(new QLabel(QString::fromUtf8(text), this));
  auto* form = new QFormLayout;
  layout->addLayout(form);
  auto edit = [this](const char* name) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QLatin1String(name));
    return e;
  };
  dateField = edit("Edit1");
  nameField = edit("Edit2");
  codeField = edit("Edit3");
  form->addRow(QString(), dateField);
  form->addRow(QStringLiteral("Nom du Tournoi"), nameField);
  form->addRow(QStringLiteral("Code du Tournoi"), codeField);
  layout->addWidget(new QLabel(QStringLiteral("Créez-le..."), this));
  Button1 = new QPushButton(QStringLiteral("&OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  layout->addWidget(Button1, 0, Qt::AlignHCenter);
  connect(Button1, &QPushButton::clicked, this, [this] {
    if (ShortParametersOk(dateField->text(), nameField->text(), codeField->text())) accept();
  });
  ui::RegisterTextWindow(kForm, [this](const ui::TextQuestion&) { return ask(); });
  // Only OK leaves the window: the tournament needs its parameters.
  ui::StyleWindow(this, {.onEscape = [] {}});
}

TForm81::~TForm81() { ui::RegisterTextWindow(kForm, nullptr); }

std::optional<QString> TForm81::ask() {
  if (exec() != Accepted) return std::nullopt;
  return dateField->text();
}

void TForm81::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  const QString date = TodayDateText();
  dateField->setText(date);
  nameField->setText(QStringLiteral("Tournoi du ") + TournamentTitle + QLatin1Char(' ') + date);
  codeField->setText(TodayCode());
  adjustSize();
  ui::CentreOnScreen(this);
  dateField->setFocus();
  dateField->selectAll();
}
