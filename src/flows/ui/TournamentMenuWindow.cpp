#include "flows/ui/TournamentMenuWindow.h"

#include "core/DeviceFiles.h"
#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/ui/WindowStyle.h"
#include "devices/TablesServer.h"
#include "flows/Quit.h"
#include "flows/StartScreen.h"
#include "flows/TournamentMenu.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileSystemWatcher>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QPlainTextEdit* makeNotice(const QString& name, const QString& text, const QColor& back, const QColor& fore,
                           QWidget* parent) {
  auto* memo = new QPlainTextEdit(parent);
  memo->setObjectName(name);
  memo->setReadOnly(true);
  memo->setPlainText(text);
  memo->setFocusPolicy(Qt::NoFocus);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QPalette pal = memo->palette();
  pal.setColor(QPalette::Base, back);
  pal.setColor(QPalette::Text, fore);
  memo->setPalette(pal);
  memo->setMaximumHeight(80);
  memo->document()->setDefaultTextOption(QTextOption(Qt::AlignHCenter));
  return memo;
}

// The picture drawn pale, as a greyed field's text.
QPixmap greyed(const QImage& image) {
  if (image.isNull()) return {};
  QPixmap pale(image.size());
  pale.fill(Qt::white);
  QPainter painter(&pale);
  painter.setOpacity(0.3);
  painter.drawImage(0, 0, image);
  return pale;
}

}  // namespace

TForm5::TForm5(QWidget* parent) : QWidget(parent) {
  setObjectName(forms::TournamentMenu);
  setWindowTitle(QStringLiteral("Menu du tournoi"));
  setFont(QFont(QStringLiteral("Comic Sans MS")));
  setMouseTracking(true);

  auto* layout = new QVBoxLayout(this);
  auto* counters = new QGridLayout;
  layout->addLayout(counters);
  auto* label5 = new QLabel(QStringLiteral("Nombre de résultats:"), this);
  label5->setObjectName(QStringLiteral("Label5"));
  resultsCounter = new QLabel(this);
  resultsCounter->setObjectName(QStringLiteral("Label1"));
  auto* label3 = new QLabel(QStringLiteral("Nombre de joueurs"), this);
  label3->setObjectName(QStringLiteral("Label3"));
  playersCounter = new QLabel(this);
  playersCounter->setObjectName(QStringLiteral("Label4"));
  deviceLine = new QLabel(this);
  deviceLine->setObjectName(QStringLiteral("Label10"));
  counters->addWidget(label5, 0, 0);
  counters->addWidget(resultsCounter, 0, 1);
  counters->addWidget(label3, 1, 0);
  counters->addWidget(playersCounter, 1, 1);
  counters->addWidget(deviceLine, 2, 0, 1, 2);
  tablesAddress = new QLabel(this);
  tablesAddress->setObjectName(QStringLiteral("Label13"));
  tablesAddress->setTextInteractionFlags(Qt::TextSelectableByMouse);
  tablesCode = new QLabel(this);
  tablesCode->setObjectName(QStringLiteral("Image1"));
  tablesAccess = new QLabel(this);
  tablesAccess->setObjectName(QStringLiteral("Label14"));
  tablesAccess->setTextInteractionFlags(Qt::TextSelectableByMouse);
  tablesOthers = new QLabel(this);
  tablesOthers->setObjectName(QStringLiteral("Label15"));
  tablesOthers->setTextInteractionFlags(Qt::TextSelectableByMouse);
  tablesAlarm = new QLabel(this);
  tablesAlarm->setObjectName(QStringLiteral("Label16"));
  tablesAlarm->setWordWrap(true);
  tablesAlarm->setAutoFillBackground(true);
  QPalette red = tablesAlarm->palette();
  red.setColor(QPalette::Window, QColor(Qt::red));
  red.setColor(QPalette::WindowText, QColor(Qt::white));
  tablesAlarm->setPalette(red);
  tablesNews = new QLabel(this);
  tablesNews->setObjectName(QStringLiteral("Label17"));
  tablesHolders = new QLabel(this);
  tablesHolders->setObjectName(QStringLiteral("Label18"));
  tablesNews->setWordWrap(true);
  counters->addWidget(tablesAddress, 3, 0, 1, 2);
  counters->addWidget(tablesAccess, 4, 0, 1, 2);
  counters->addWidget(tablesOthers, 5, 0, 1, 2);
  // The alarm and the news share one place, kept through a tablets
  // evening: the red line comes and goes without moving the buttons.
  counters->addWidget(tablesAlarm, 6, 0, 1, 3, Qt::AlignTop);
  counters->addWidget(tablesNews, 6, 0, 1, 3, Qt::AlignTop);
  counters->addWidget(tablesHolders, 7, 0, 1, 3);
  counters->addWidget(tablesCode, 0, 2, 6, 1, Qt::AlignRight | Qt::AlignTop);

  // The notices and the cream field share one place, kept when none shows:
  // one shown at a time.
  auto* notices = new QGridLayout;
  runningNotice = makeNotice(QStringLiteral("Memo1"), QStringLiteral("Récupération\nautomatique\nen cours..."), QColor(Qt::green),
                     QColor(Qt::black), this);
  stoppedNotice = makeNotice(QStringLiteral("Memo2"), QStringLiteral("Attention!\nRécupération\ninterrompue..."), QColor(Qt::red),
                     QColor(Qt::white), this);
  creamField = new QLineEdit(this);
  creamField->setObjectName(QStringLiteral("Edit1"));
  creamField->setReadOnly(true);
  creamField->setFrame(false);
  creamField->setFocusPolicy(Qt::NoFocus);
  QPalette cream = creamField->palette();
  cream.setColor(QPalette::Base, QColor(0xFF, 0xFB, 0xF0));
  creamField->setPalette(cream);
  for (QWidget* w : {static_cast<QWidget*>(runningNotice), static_cast<QWidget*>(stoppedNotice), static_cast<QWidget*>(creamField)}) {
    QSizePolicy kept = w->sizePolicy();
    kept.setRetainSizeWhenHidden(true);
    w->setSizePolicy(kept);
    notices->addWidget(w, 0, 0);
  }
  creamField->setMinimumHeight(runningNotice->maximumHeight());
  layout->addLayout(notices);
  analysisProgress = new QProgressBar(this);
  analysisProgress->setObjectName(QStringLiteral("AnalysisProgress"));
  analysisProgress->setFormat(QStringLiteral("Levées au double mort : %v donnes sur %m"));
  analysisProgress->hide();
  layout->addWidget(analysisProgress);

  auto* grid = new QGridLayout;
  layout->addLayout(grid);
  auto* enter = new QLabel(QStringLiteral("ENTER ->"), this);
  enter->setObjectName(QStringLiteral("Label2"));
  Button3 = addButton(QStringLiteral("Button3"), QStringLiteral("Introduction/Visualisation des feuilles de &marque"),
                      TravellersClick);
  grid->addWidget(enter, 0, 0, Qt::AlignRight);
  grid->addWidget(Button3, 0, 1, 1, 2);
  const struct {
    const char* name;
    const char* caption;
    void (*routine)();
  } buttons[] = {
      {"Button1", "Introduction des feuilles de &table", TableSheetsClick},
      {"Button4", "Voir/Modifier/Imprimer les noms des &paires", PairNamesClick},
      {"Button6", "Calcul des &fréquences", FrequenciesClick},
      {"Button9", "Calcul des &résultats", ResultsClick},
      {"Button7", "Ajustements et pénalités", AdjustmentsClick},
      {"Button8", "Impression des marques et fréquences", BoardPrintoutClick},
      {"Button10", "&Affichage / Impression des résultats", ResultsDisplayClick},
      {"Button12", "Voir ou imprimer les récapitulatifs par paires", PairRecapsClick},
      {"Button2", "Envoyer les récapitulatifs par Mail", MailRecapsClick},
      {"Button13", "&Sauvetage de sécurité (backup)", BackupClick},
      {"Button16", "Tournoi en plusieurs séances", SeveralSessionsClick},
      {"Button17", "Modification des réglages et des paramètres", OptionsMenuClick},
      {"Button19", "Voir ou imprimer le schéma du mouvement", MovementClick},
      {"Button20", "Sauver les résultats pour FFBClubNet", FederationSaveClick},
      {"Button22", "Voir ou imprimer les diagrammes des étuis", DiagramsClick},
      {"Button25", "Sauver les résultats en format WEB", WebClick},
      {"Button26", "B r i d g e W e b s", BridgeWebsClick},
      {"Button11", "Ajouter des tablettes", AddTabletsClick},
  };
  int row = 1;
  int column = 1;
  for (const auto& b : buttons) {
    grid->addWidget(addButton(QLatin1String(b.name), QString::fromUtf8(b.caption), b.routine), row, column);
    if (++column > 2) {
      column = 1;
      ++row;
    }
  }
  ++row;
  pauseButton = addButton(QStringLiteral("Button15"), QStringLiteral("<- Pause"), PauseButtonClick);
  pauseHelp = new QLabel(QStringLiteral("<a href=\"?\">?</a>"), this);
  pauseHelp->setObjectName(QStringLiteral("Label7"));
  connect(pauseHelp, &QLabel::linkActivated, this, [this] { handle(PauseHelpClick); });
  grid->addWidget(pauseButton, row, 1);
  grid->addWidget(pauseHelp, row, 2, Qt::AlignLeft);

  auto* bottom = new QHBoxLayout;
  layout->addLayout(bottom);
  BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QString(), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn2->setToolTip(QStringLiteral("Quitter"));
  connect(BitBtn2, &QPushButton::clicked, this, [this] { handle(QuitProgram); });
  auto* label12 = new QLabel(QStringLiteral("ou Esc/Echap"), this);
  label12->setObjectName(QStringLiteral("Label12"));
  versionLabel = new QLabel(this);
  versionLabel->setObjectName(QStringLiteral("Label6"));
  bottom->addWidget(BitBtn2);
  bottom->addWidget(label12);
  bottom->addStretch();
  bottom->addWidget(versionLabel);

  collectionTimer = new QTimer(this);
  collectionTimer->setObjectName(QStringLiteral("Timer1"));
  connect(collectionTimer, &QTimer::timeout, this, [this] { handle(CollectionTick); });
  // Every change of a burst (a file written, renamed, removed) comes before
  // the one collection it wakes.
  tableFolders = new QFileSystemWatcher(this);
  wake = new QTimer(this);
  wake->setSingleShot(true);
  wake->setInterval(0);
  connect(tableFolders, &QFileSystemWatcher::directoryChanged, wake, [this] {
    if (!wake->isActive()) wake->start();
  });
  connect(wake, &QTimer::timeout, this, [this] { handle(CollectionWake); });

  for (QPushButton* b : findChildren<QPushButton*>()) b->installEventFilter(this);

  flowWindows().refreshMenu = [this] { applyView(); };
  flowWindows().showTournamentMenu = [this] { showMenu(); };
  flowWindows().hideTournamentMenu = [this] { hide(); };
  flowWindows().showAnalysisProgress = [this](int done, int total) {
    analysisProgress->setVisible(total > 0);
    analysisProgress->setRange(0, std::max(total, 1));
    analysisProgress->setValue(done);
  };
  applyView();
  ui::StyleWindow(this, {.enterButton = Button3,
                         .onEnter = [this] { Button3->click(); },
                         .onEscape = [this] { handle(QuitProgram); }});
}

TForm5::~TForm5() {
  flowWindows().refreshMenu = nullptr;
  flowWindows().showTournamentMenu = nullptr;
  flowWindows().hideTournamentMenu = nullptr;
  flowWindows().showAnalysisProgress = nullptr;
}

QPushButton* TForm5::addButton(const QString& name, const QString& caption, const std::function<void()>& routine) {
  auto* b = new QPushButton(caption, this);
  b->setObjectName(name);
  b->setAutoDefault(false);
  connect(b, &QPushButton::clicked, this, [this, routine] { handle(routine); });
  return b;
}

QPushButton* TForm5::button(const char* name) const { return findChild<QPushButton*>(QLatin1String(name)); }

void TForm5::handle(const std::function<void()>& routine) {
  struct Refresh {
    TForm5* form;
    ~Refresh() { form->applyView(); }
  } refresh{this};
  routine();
}

void TForm5::applyView() {
  const TournamentMenuView& v = menuView();
  setWindowTitle(ui::WithClubName(v.caption.isEmpty() ? QStringLiteral("Menu du tournoi") : v.caption));
  versionLabel->setText(v.versionText);
  deviceLine->setText(v.deviceCount.isEmpty() ? v.deviceText : v.deviceText + QStringLiteral(" : ") + v.deviceCount);
  deviceLine->setEnabled(!v.deviceTextGreyed);
  resultsCounter->setText(v.resultsCounter);
  const TablesServerStatus tables = CurrentTablesServerStatus();
  const bool served = !tables.address.isEmpty();
  // While the tables are not served the last address stays, greyed: the
  // director can still read it to a table, and nothing moves.
  const QString& address = served ? tables.address : tables.lastAddress;
  if (address != tablesAddress->property("address").toString() || served != tablesCode->property("served").toBool()) {
    tablesAddress->setProperty("address", address);
    tablesCode->setProperty("served", served);
    tablesAddress->setText(QStringLiteral("Tables : ouvrez ") + address);
    const QImage code = address.isEmpty() ? QImage() : QrCodeImage(address, 3);
    tablesCode->setPixmap(served ? QPixmap::fromImage(code) : greyed(code));
  }
  for (QLabel* label : {tablesAddress, tablesCode, tablesAccess, tablesOthers}) label->setEnabled(served);
  tablesAddress->setVisible(!address.isEmpty());
  tablesCode->setVisible(!address.isEmpty());
  tablesAccess->setText(tables.access);
  tablesAccess->setVisible(!address.isEmpty());
  tablesOthers->setText(QStringLiteral("Autres adresses de ce PC : ") + tables.otherAddresses.join(QStringLiteral("  ")));
  tablesOthers->setVisible(!tables.otherAddresses.isEmpty());
  for (QLabel* label : {tablesAlarm, tablesNews}) {
    QSizePolicy kept = label->sizePolicy();
    kept.setRetainSizeWhenHidden(tables.watched);
    label->setSizePolicy(kept);
    label->setMinimumHeight(tables.watched ? 3 * label->fontMetrics().lineSpacing() : 0);
  }
  tablesAlarm->setText(tables.alarm);
  tablesAlarm->setVisible(!tables.alarm.isEmpty());
  tablesNews->setText(tables.news);
  tablesNews->setVisible(tables.watched && tables.alarm.isEmpty());
  tablesHolders->setText(tables.holders.join(u'\n'));
  tablesHolders->setVisible(!tables.holders.isEmpty());
  playersCounter->setText(v.playersCounter);
  pauseButton->setText(v.pauseCaption);
  pauseButton->setVisible(v.pauseVisible);
  pauseHelp->setVisible(v.pauseVisible);
  // Never the green notice while the tables are not served.
  runningNotice->setVisible(v.runningNoticeVisible && tables.alarm.isEmpty());
  stoppedNotice->setVisible(v.stoppedNoticeVisible);
  creamField->setVisible(v.editVisible);
  button("Button11")->setVisible(v.addTabletsVisible);
  button("Button20")->setEnabled(v.federationSaveEnabled);
  button("Button16")->setVisible(v.cumulativeVisible);
  for (const char* name : {"Button1", "Button16", "Button12", "Button25", "Button26"})
    button(name)->setEnabled(!v.pattonDisabled);
  button("Button6")->setText(v.frequenciesCaption);
  button("Button9")->setText(v.resultsCaption);
  if (v.timerEnabled) {
    if (collectionTimer->interval() != v.timerInterval || !collectionTimer->isActive()) collectionTimer->start(v.timerInterval);
  } else {
    collectionTimer->stop();
  }
  watchTableFolders();
  if (isVisible()) repaint();
}

void TForm5::watchTableFolders() {
  const QStringList wanted = CollectionWakeFolders();
  const QStringList watched = tableFolders->directories();
  QStringList gone;
  for (const QString& folder : watched)
    if (!wanted.contains(folder)) gone << folder;
  if (!gone.isEmpty()) tableFolders->removePaths(gone);
  // A folder not made yet (or removed with its evening) is tried again at
  // the next refresh.
  QStringList missing;
  for (const QString& folder : wanted)
    if (!watched.contains(folder) && QDir(folder).exists()) missing << folder;
  if (!missing.isEmpty()) tableFolders->addPaths(missing);
}

void TForm5::showMenu() {
  show();
  raise();
  activateWindow();
  Button3->setFocus();
}

void TForm5::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (event->spontaneous()) return;
  if (!centred_) {
    centred_ = true;
    adjustSize();
    ui::CentreOnScreen(this);
  }
  handle(TournamentMenuShow);
  Button3->setFocus();
}

void TForm5::closeEvent(QCloseEvent* event) {
  // The program ends only through the quit routine.
  event->ignore();
  handle(QuitProgram);
}

bool TForm5::eventFilter(QObject* watched, QEvent* event) {
  // Enter presses Button3 wherever the focus stands.
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape) {
      handle(QuitProgram);
      return true;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      Button3->click();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TForm5::mouseMoveEvent(QMouseEvent* event) {
  Button3->setFocus();
  QWidget::mouseMoveEvent(event);
}
