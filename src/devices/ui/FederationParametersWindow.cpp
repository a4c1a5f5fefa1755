#include "devices/ui/FederationParametersWindow.h"

#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"
#include "setup/ui/ParameterFields.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TForm75::TForm75(QWidget* parent) : ParametersForm(parent) {
  setObjectName(forms::FederationParameters);
  setWindowTitle(QStringLiteral("Paramètres"));
  setWindowFlags(Qt::Dialog);

  auto* layout = new QVBoxLayout(this);
  addFields(layout, QStringLiteral("Paramètres du tournoi FFBClubNet"),
            QStringLiteral("Par exemple:  \"TEST\" ou \"220399\" ou \"ve2203\""),
            QStringLiteral("ou \"20161218\" (AAAAMMJJHH)"));

  auto* info = new QGridLayout;
  layout->addLayout(info);
  auto value = [this](const char* name) {
    auto* l = new QLabel(this);
    l->setObjectName(QLatin1String(name));
    return l;
  };
  TypeValue = value("TypeValue");
  PairsValue = value("PairsValue");
  TablesValue = value("TablesValue");
  ByeValue = value("ByeValue");
  PairsNote = value("PairsNote");
  info->addWidget(new QLabel(QStringLiteral("Type"), this), 0, 0);
  info->addWidget(TypeValue, 0, 1);
  info->addWidget(new QLabel(QStringLiteral("Nombre de paires"), this), 1, 0);
  info->addWidget(PairsValue, 1, 1);
  info->addWidget(PairsNote, 1, 2);
  info->addWidget(new QLabel(QStringLiteral("Nombre de tables"), this), 2, 0);
  info->addWidget(TablesValue, 2, 1);
  info->addWidget(new QLabel(QStringLiteral("BYE"), this), 3, 0);
  info->addWidget(ByeValue, 3, 1);

  auto* row = new QHBoxLayout;
  layout->addLayout(row);
  OK = new QPushButton(QStringLiteral("&OK"), this);
  OK->setObjectName(QStringLiteral("OK"));
  OK->setDefault(true);
  row->addStretch();
  row->addWidget(OK);
  row->addWidget(new QLabel(QStringLiteral("ou Esc/Echap pour quitter"), this));
  row->addStretch();

  connect(OK, &QPushButton::clicked, this, [this] {
    takeFields(view_);
    handle([this] { FederationParametersOk(view_, [this] { hide(); }); });
  });

  FederationParametersCreate(view_);
  applyView();
  flowWindows().showFederationSummary = [this] { showSummary(BuildFederationSummary()); };
  ui::StyleWindow(this, {.font = QStringLiteral("Comic Sans MS")});
}

TForm75::~TForm75() { flowWindows().showFederationSummary = nullptr; }

void TForm75::showSummary(const FederationSummary& summary) {
  FederationParametersCreate(view_);
  view_.code = summary.code;
  applyView();
  TypeValue->setText(summary.movement);
  PairsValue->setText(summary.pairs);
  TablesValue->setText(summary.tables);
  ByeValue->setText(summary.bye);
  PairsNote->setText(summary.pairsNote);
  show();
  raise();
  activateWindow();
}

void TForm75::applyView() { showFields(view_); }

void TForm75::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Date->setFocus();
}

void TForm75::closeEvent(QCloseEvent* event) {
  event->ignore();
  handle([] { flowSteps().quitProgram(); });
}

void TForm75::codeLeft() {
  takeFields(view_);
  handle([this] { FederationCodeCheck(view_.code); });
}
