#include "setup/ui/MovementViewWindow.h"

#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/ui/ListingView.h"
#include "core/ui/WindowStyle.h"
#include "setup/MovementView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm73::TForm73() : QDialog(nullptr) {
  setObjectName(forms::MovementView);
  setWindowTitle(QStringLiteral("Mouvement"));
  setModal(false);
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Memo1 = ui::MakeListingView(this, QStringLiteral("Memo1"));
  Button1 = new QPushButton(QStringLiteral("&OK (ESC/Echap)"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  Button2 = new QPushButton(QStringLiteral("&Imprimer"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  Label2 = new QLabel(QStringLiteral("( Une imprimante PDF peut être choisie pour créer un PDF )"), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  connect(Button1, &QPushButton::clicked, this, &TForm73::reject);
  connect(Button2, &QPushButton::clicked, this, [] { PrintMovementView(); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  buttons->addWidget(Label2);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(Memo1);
  layout->addLayout(buttons);
  resize(560, 520);
  flowWindows().showMovement = [this] { showMovement(); };
}

TForm73::~TForm73() { flowWindows().showMovement = nullptr; }

void TForm73::showMovement() {
  Label1->setText(MovementTitle);
  Memo1->setPlainText(MovementViewLines(true).join(QLatin1Char('\n')));
  const bool wasVisible = isVisible();
  show();
  if (!wasVisible) ui::CentreOnScreen(this);
  raise();
  activateWindow();
  Button1->setFocus();
}

void TForm73::reject() {
  ChoiceResult = 0;
  QDialog::reject();
}
