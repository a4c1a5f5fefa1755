#include "setup/ui/NewTournamentParametersWindow.h"

#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/ui/WindowStyle.h"
#include "setup/ui/ParameterFields.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

TForm2::TForm2(QWidget* parent) : ParametersForm(parent) {
  setObjectName(forms::NewTournamentParameters);
  setWindowTitle(QStringLiteral("Paramètres"));
  setWindowFlags(Qt::Dialog);
  setFont(QFont(QStringLiteral("Comic Sans MS")));

  auto* layout = new QVBoxLayout(this);
  QGridLayout* grid = addFields(layout, QStringLiteral("Paramètres généraux du tournoi"),
                                QStringLiteral("Par exemple:  \"20240227\" ou \"ve2203\""),
                                QStringLiteral("ou \"Lundi18Mai\" ou \"T1\" ou \"TEST\" "));

  auto* group = new QGroupBox(this);
  group->setObjectName(QStringLiteral("RadioGroup1"));
  auto* groupLayout = new QHBoxLayout(group);
  RadioGroup1 = new QButtonGroup(group);
  const QStringList items = {QStringLiteral("Date inverse"), QStringLiteral("TEST")};
  for (int i = 0; i < items.size(); ++i) {
    auto* r = new QRadioButton(items[i], group);
    r->setObjectName(QStringLiteral("RadioGroup1Item%1").arg(i));
    RadioGroup1->addButton(r, i);
    groupLayout->addWidget(r);
  }
  grid->addWidget(group, 2, 2);

  auto* row = new QHBoxLayout;
  layout->addLayout(row);
  OK = new QPushButton(QStringLiteral("&OK"), this);
  OK->setObjectName(QStringLiteral("OK"));
  OK->setDefault(true);
  Button1 = new QPushButton(QStringLiteral("Retour au menu"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QString(), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn2->setToolTip(QStringLiteral("Quitter"));
  row->addWidget(OK);
  row->addWidget(Button1);
  row->addStretch();
  row->addWidget(BitBtn2);
  row->addWidget(new QLabel(QStringLiteral("ou Esc/Echap"), this));

  connect(OK, &QPushButton::clicked, this, [this] {
    takeFields(view_);
    handle([this] { ParametersOk(view_); });
  });
  connect(Button1, &QPushButton::clicked, this, [this] { handle(ParametersBack); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { handle([] { flowSteps().quitProgram(); }); });
  connect(RadioGroup1, &QButtonGroup::idClicked, this, [this](int id) {
    takeFields(view_);
    handle([this, id] { ParametersRadioClick(view_, id); });
  });

  ParametersCreate(view_);
  applyView();

  flowWindows().hideParametersWindow = [this] { hide(); };
  flowWindows().showParametersWindow = [this] {
    show();
    raise();
    activateWindow();
  };
  ui::StyleWindow(this, {.onEnter = [this] {
    if (auto* b = qobject_cast<QPushButton*>(focusWidget()))
      b->click();
    else
      OK->click();
  }});
}

TForm2::~TForm2() {
  flowWindows().hideParametersWindow = nullptr;
  flowWindows().showParametersWindow = nullptr;
}

void TForm2::applyView() {
  showFields(view_);
  if (QAbstractButton* b = RadioGroup1->button(view_.radioItem)) b->setChecked(true);
}

void TForm2::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!centred_) {
    centred_ = true;
    adjustSize();
    ui::CentreOnScreen(this);
  }
  Date->setFocus();
}

void TForm2::closeEvent(QCloseEvent* event) {
  // Leaving without a tournament brings the start screen back.
  event->ignore();
  handle(ParametersBack);
}

void TForm2::codeLeft() {
  // An existing tournament of this code is asked about at once.
  takeFields(view_);
  handle([this] { ParametersCodeLeft(view_); });
}
