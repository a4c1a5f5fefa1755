#include "setup/ui/TForm2.h"

#include "core/Quit.h"
#include "core/StartScreen.h"
#include "core/ui/WindowStyle.h"
#include "setup/ui/ParameterFields.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

TForm2::TForm2(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TForm2"));
  setWindowTitle(QStringLiteral("Paramètres"));
  setWindowFlags(Qt::Dialog);
  setFont(QFont(QStringLiteral("Comic Sans MS")));
  ui::SetCreamBackground(this);

  auto* layout = new QVBoxLayout(this);
  const ui::ParameterFields fields =
      ui::AddParameterFields(this, layout, QStringLiteral("Paramètres généraux du tournoi"),
                             QStringLiteral("Par exemple:  \"20240227\" ou \"ve2203\""),
                             QStringLiteral("ou \"Lundi18Mai\" ou \"T1\" ou \"TEST\" "));
  Date = fields.date;
  Nom = fields.name;
  Code = fields.code;
  QGridLayout* grid = fields.grid;

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
    takeFields();
    handle([this] { ParametersOk(view_); });
  });
  connect(Button1, &QPushButton::clicked, this, [this] { handle(ParametersBack); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { handle(QuitProgram); });
  connect(RadioGroup1, &QButtonGroup::idClicked, this, [this](int id) {
    takeFields();
    handle([this, id] { ParametersRadioClick(view_, id); });
  });
  Code->installEventFilter(this);

  ParametersCreate(view_);
  applyView();

  ParametersServices& p = parametersServices();
  p.hideParameters = [this] { hide(); };
  startScreenServices().showParametersWindow = [this] {
    show();
    raise();
    activateWindow();
  };
  ui::StyleWindow(this);
}

TForm2::~TForm2() {
  ParametersServices& p = parametersServices();
  p.hideParameters = nullptr;
  startScreenServices().showParametersWindow = nullptr;
}

void TForm2::takeFields() {
  view_.date = Date->text();
  view_.name = Nom->text();
  view_.code = Code->text();
}

void TForm2::applyView() {
  Date->setText(view_.date);
  Nom->setText(view_.name);
  Code->setText(view_.code);
  if (QAbstractButton* b = RadioGroup1->button(view_.radioItem)) b->setChecked(true);
}

void TForm2::handle(const std::function<void()>& routine) {
  busy_ = true;
  struct Refresh {
    TForm2* form;
    ~Refresh() {
      form->applyView();
      form->busy_ = false;
    }
  } refresh{this};
  routine();
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

void TForm2::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    handle(QuitProgram);
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (auto* b = qobject_cast<QPushButton*>(focusWidget()))
      b->click();
    else
      OK->click();
    return;
  }
  QWidget::keyPressEvent(event);
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
  // Leaving the code field for another field asks at once about an existing
  // tournament; going to a button leaves the question to that button.
  if (watched == Code && !busy_ && isVisible() && ui::LeavesForAnotherField(event)) {
    takeFields();
    handle([this] { ParametersCodeLeft(view_); });
  }
  return QWidget::eventFilter(watched, event);
}
