#include "flows/ui/StartScreenWindow.h"

#include "core/ErrorReports.h"
#include "core/Fatal.h"
#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/ui/WindowStyle.h"
#include "flows/Quit.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QSysInfo>
#include <QVBoxLayout>

namespace {

QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  return l;
}

QPushButton* makeSpeedButton(const QString& name, const QString& text, QWidget* parent) {
  QPushButton* b = ui::MakeButton(name, text, parent);
  b->setMinimumHeight(36);
  return b;
}

// Sets a check box without running its click handler.
void SetCheckedState(QCheckBox* box, bool checked) {
  const QSignalBlocker block(box);
  box->setChecked(checked);
}

void SetItemState(QButtonGroup* group, int item) {
  const QSignalBlocker block(group);
  if (QAbstractButton* b = group->button(item)) {
    const QSignalBlocker blockButton(b);
    b->setChecked(true);
  }
}

// The system the program runs on, as its version line names it.
QString systemName() {
  return QSysInfo::productType() == QLatin1String("windows") ? QStringLiteral("Windows") : QSysInfo::prettyProductName();
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
  setObjectName(forms::StartScreen);
  buildControls();
  FlowWindows& s = flowWindows();
  s.hideStartScreen = [this] { hide(); };
  s.showStartScreen = [this] { show(); };
  // An error in the creation is explained and the screen still comes up; the
  // stops of the players-file check end the program here.
  try {
    StartScreenCreate(view_);
  } catch (const FatalStopError&) {
    s.hideStartScreen = nullptr;
    s.showStartScreen = nullptr;
    throw;
  } catch (...) {
    ReportEscapedError(std::current_exception());
  }
  label3_->setText(QStringLiteral("Maximum %1 paires").arg(kMaxPairs));
  label4_->setText(QStringLiteral("Maximum %1 boards").arg(kMaxBoards));
  label5_->setText(QStringLiteral("Version ") + VersionText + QStringLiteral(" pour ") + systemName());
  applyView();
  ui::StyleWindow(this, {.font = QStringLiteral("Comic Sans MS")});
}

TForm1::~TForm1() {
  FlowWindows& s = flowWindows();
  s.hideStartScreen = nullptr;
  s.showStartScreen = nullptr;
}

void TForm1::buildControls() {
  setWindowTitle(QStringLiteral("Talvaron"));
  ui::SetCreamBackground(this);

  auto* central = new QWidget(this);
  setCentralWidget(central);
  auto* layout = new QVBoxLayout(central);

  label1_ = makeLabel(QStringLiteral("Label1"), QStringLiteral("Programme de calcul des résultats de tournois"), central);
  label1_->setFont(ui::FontFor(QStringLiteral("Comic Sans MS"), std::max(QApplication::font().pointSize(), 9) + 6, true));
  label2_ = makeLabel(QStringLiteral("Label2"), QStringLiteral("Version pour une seule série de paires"), central);
  label3_ = makeLabel(QStringLiteral("Label3"), QString(), central);
  label4_ = makeLabel(QStringLiteral("Label4"), QString(), central);
  label5_ = makeLabel(QStringLiteral("label5"), QString(), central);
  label9_ = makeLabel(QStringLiteral("Label9"), QStringLiteral("(Bralmet)"), central);
  for (QLabel* l : {label1_, label2_, label3_, label4_, label5_, label9_}) {
    l->setAlignment(Qt::AlignHCenter);
    layout->addWidget(l);
  }

  auto* body = new QHBoxLayout;
  layout->addLayout(body);
  auto* buttons = new QVBoxLayout;
  body->addLayout(buttons);
  speedButton1_ = makeSpeedButton(QStringLiteral("SpeedButton1"), QStringLiteral("Débuter un &nouveau tournoi"), central);
  speedButton2_ = makeSpeedButton(QStringLiteral("SpeedButton2"), QStringLiteral("&Reprendre un ancien tournoi"), central);
  speedButton3_ = makeSpeedButton(QStringLiteral("SpeedButton3"), view_.federationButtonCaption, central);
  for (QPushButton* b : {speedButton1_, speedButton2_, speedButton3_}) {
    buttons->addWidget(b);
    b->installEventFilter(this);
  }
  auto* quitRow = new QHBoxLayout;
  bitBtn2_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QString(), central);
  bitBtn2_->setObjectName(QStringLiteral("BitBtn2"));
  bitBtn2_->setIconSize(QSize(32, 32));
  bitBtn2_->setToolTip(QStringLiteral("Quitter"));
  label6_ = makeLabel(QStringLiteral("Label6"), QStringLiteral("ou Esc/Echap"), central);
  quitRow->addWidget(bitBtn2_);
  quitRow->addWidget(label6_);
  quitRow->addStretch();
  buttons->addLayout(quitRow);
  buttons->addStretch();

  auto* options = new QVBoxLayout;
  body->addLayout(options);
  bridgeBox_ = new QCheckBox(QStringLiteral("Utilisation des dispositifs aux tables"), central);
  bridgeBox_->setObjectName(QStringLiteral("BridgeBox"));
  options->addWidget(bridgeBox_);
  auto* boxesRow = new QHBoxLayout;
  auto* boxes = new QVBoxLayout;
  checkBox2_ = new QCheckBox(QStringLiteral("Les joueurs introduisent les diagrammes"), central);
  checkBox2_->setObjectName(QStringLiteral("CheckBox2"));
  checkBox3_ = new QCheckBox(QStringLiteral("Les joueurs introduisent leurs noms"), central);
  checkBox3_->setObjectName(QStringLiteral("CheckBox3"));
  boxes->addWidget(checkBox2_);
  boxes->addWidget(checkBox3_);
  boxesRow->addLayout(boxes);
  memo1_ = new QPlainTextEdit(central);
  memo1_->setObjectName(QStringLiteral("Memo1"));
  memo1_->setReadOnly(true);
  memo1_->setPlainText(QStringLiteral("<- Option inactive\npour la version FFB.\nDoit être définie\ndans FFBClubNet."));
  memo1_->setMaximumHeight(80);
  boxesRow->addWidget(memo1_);
  options->addLayout(boxesRow);

  auto makeGroup = [&](const QString& name, const QString& caption, const QStringList& items, QButtonGroup*& group) {
    auto* box = new QGroupBox(caption, central);
    box->setObjectName(name);
    auto* l = new QVBoxLayout(box);
    group = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
      auto* r = new QRadioButton(items[i], box);
      r->setObjectName(name + QStringLiteral("Item%1").arg(i));
      group->addButton(r, i);
      l->addWidget(r);
    }
    options->addWidget(box);
    return box;
  };
  radioGroup1_ = makeGroup(QStringLiteral("RadioGroup1"), QStringLiteral("Tournoi :"),
                           {QStringLiteral("Standard"), QStringLiteral("FFB")}, radioGroup1Buttons_);
  radioGroup2_ = makeGroup(QStringLiteral("RadioGroup2"), QStringLiteral("Dispositifs :"),
                           {QStringLiteral("Tablettes-SmartPhones"), QStringLiteral("BridgeMates")}, radioGroup2Buttons_);
  options->addStretch();

  QMenu* file = menuBar()->addMenu(QStringLiteral("Fichier"));
  QAction* about1 = file->addAction(QStringLiteral("A propos de..."));
  about1->setObjectName(QStringLiteral("Aproposde1"));
  QAction* options1 = file->addAction(QStringLiteral("Réglages et paramètres"));
  options1->setObjectName(QStringLiteral("Options1"));
  clubPlayersAction_ = file->addAction(QStringLiteral("Créer ou modifier des joueurs (Bralmet)"));
  clubPlayersAction_->setObjectName(QStringLiteral("Joueurs"));
  QMenu* edit = menuBar()->addMenu(QStringLiteral("Edition"));
  // The folders' paths can be long: the line wraps rather than widen the
  // window, and can be selected to copy a path.
  status_ = makeLabel(QStringLiteral("StatusLabel"), QString(), this);
  status_->setWordWrap(true);
  status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  status_->setContentsMargins(8, 2, 8, 4);  // not against the window's edge
  statusBar()->addWidget(status_, 1);
  statusBar()->setSizeGripEnabled(false);
  for (const char* t : {"Annuler", "Copier", "Couper", "Coller", "Tout sélectionner"})
    edit->addAction(QString::fromUtf8(t))->setEnabled(false);
  QMenu* help = menuBar()->addMenu(QStringLiteral("Aide"));
  QAction* about2 = help->addAction(QStringLiteral("A propos de..."));
  about2->setObjectName(QStringLiteral("Aproposde2"));

  connect(speedButton1_, &QPushButton::clicked, this, [this] {
    paintCaption(speedButton1_, false);
    handle(NewTournamentClick);
  });
  connect(speedButton2_, &QPushButton::clicked, this, [this] {
    paintCaption(speedButton2_, false);
    handle(ResumeTournamentClick);
  });
  connect(speedButton3_, &QPushButton::clicked, this, [this] {
    paintCaption(speedButton3_, false);
    handle(FederationTournamentClick);
  });
  connect(bitBtn2_, &QPushButton::clicked, this, [this] { handle(QuitProgram); });
  auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(esc, &QShortcut::activated, this, [this] { handle(QuitProgram); });
  connect(bridgeBox_, &QCheckBox::clicked, this, [this](bool c) { handle([&] { BridgeBoxClick(view_, c); }); });
  connect(checkBox2_, &QCheckBox::clicked, this, [this](bool c) { handle([&] { CheckBox2Click(view_, c); }); });
  connect(checkBox3_, &QCheckBox::clicked, this, [this](bool c) { handle([&] { CheckBox3Click(view_, c); }); });
  connect(radioGroup1Buttons_, &QButtonGroup::idClicked, this, [this](int id) {
    if (id != view_.radioGroup1Item) handle([&] { RadioGroup1Click(view_, id); });
  });
  connect(radioGroup2Buttons_, &QButtonGroup::idClicked, this, [this](int id) {
    if (id != view_.radioGroup2Item) handle([&] { RadioGroup2Click(view_, id); });
  });
  connect(about1, &QAction::triggered, this, [this] { handle(AboutClick); });
  connect(about2, &QAction::triggered, this, [this] { handle(AboutClick); });
  connect(options1, &QAction::triggered, this, [this] {
    handle([this] {
      OptionsClick();
      // The club box of the options shows or hides the club's label and entry.
      view_.clubLabelVisible = view_.clubPlayersMenuVisible = ClubMode;
    });
  });
  connect(clubPlayersAction_, &QAction::triggered, this, [this] { handle(ClubPlayersClick); });
}

void TForm1::handle(const std::function<void()>& routine) {
  struct Refresh {
    TForm1* form;
    ~Refresh() { form->applyView(); }
  } refresh{this};
  routine();
}

void TForm1::applyView() {
  setWindowTitle(ui::WithClubName(QStringLiteral("Talvaron")));
  label9_->setVisible(view_.clubLabelVisible);
  clubPlayersAction_->setVisible(view_.clubPlayersMenuVisible);
  SetCheckedState(bridgeBox_, view_.bridgeBoxChecked);
  SetCheckedState(checkBox2_, view_.checkBox2Checked);
  checkBox2_->setEnabled(view_.checkBox2Enabled);
  SetCheckedState(checkBox3_, view_.checkBox3Checked);
  checkBox3_->setEnabled(view_.checkBox3Enabled);
  SetItemState(radioGroup1Buttons_, view_.radioGroup1Item);
  radioGroup1_->setEnabled(view_.radioGroup1Enabled);
  radioGroup1Buttons_->button(1)->setEnabled(view_.radioGroup1FfbEnabled);
  SetItemState(radioGroup2Buttons_, view_.radioGroup2Item);
  radioGroup2_->setEnabled(view_.radioGroup2Enabled);
  memo1_->setVisible(view_.memo1Visible);
  memo1_->setEnabled(view_.memo1Enabled);
  speedButton1_->setVisible(view_.newButtonVisible);
  speedButton3_->setVisible(view_.federationButtonVisible);
  speedButton3_->setText(view_.federationButtonCaption);
  status_->setText(StartScreenStatus(view_));
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (event->spontaneous()) return;
  handle([this] { StartScreenShow(view_); });
}

void TForm1::closeEvent(QCloseEvent* event) {
  // The close box asks the quit confirmation; the quit itself ends the program.
  event->ignore();
  handle(QuitProgram);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (auto* b = qobject_cast<QPushButton*>(watched)) {
    if (event->type() == QEvent::Enter) paintCaption(b, true);
    if (event->type() == QEvent::Leave) paintCaption(b, false);
  }
  return QMainWindow::eventFilter(watched, event);
}

void TForm1::paintCaption(QPushButton* button, bool hot) {
  QPalette pal = button->palette();
  pal.setColor(QPalette::ButtonText, hot ? QColor(Qt::red) : palette().color(QPalette::WindowText));
  button->setPalette(pal);
}
