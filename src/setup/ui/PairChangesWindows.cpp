#include "setup/ui/PairChangesWindows.h"

#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/ui/WindowStyle.h"
#include "setup/ui/PairChangesHelpWindow.h"
#include "setup/ui/PairGrids.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

TForm28::TForm28(QWidget* parent) : PairGridsWindow(parent, Qt::Window) {
  setObjectName(forms::PairChanges);
  setWindowTitle(QStringLiteral("Modification des paires"));
  NS = ui::MakePairGrid(QStringLiteral("NS"), this);
  EW = ui::MakePairGrid(QStringLiteral("EW"), this);
  Joueurs = ui::MakePlayersList(this);
  nsHeading = ui::MakeBoldLabel(QStringLiteral("Paires N/S"), this);
  ewHeading = ui::MakeBoldLabel(QStringLiteral("Paires E/W"), this);
  chosenPair = new QLabel(this);
  chosenPair->setObjectName(QStringLiteral("Edit3"));
  chosenPair->hide();
  okButton = ui::MakeButton(QStringLiteral("Button1"), QStringLiteral("&OK"), this);
  okButton->setDefault(true);
  playersButton = ui::MakeButton(QStringLiteral("Button3"), QStringLiteral("Ajouter/Modifier les joueurs"), this);
  printButton = ui::MakeButton(QStringLiteral("BitBtn1"), QStringLiteral("Imprimer les paires"), this);
  helpButton = ui::MakeButton(QStringLiteral("BitBtn4"), QStringLiteral("?"), this);
  helpButton->setMaximumWidth(40);

  auto* grids = new QGridLayout;
  grids->addWidget(nsHeading, 0, 0);
  grids->addWidget(ewHeading, 0, 1);
  auto* playersHead = new QHBoxLayout;
  playersHead->addWidget(ui::MakeBoldLabel(QStringLiteral("Liste des joueurs"), this));
  playersHead->addStretch();
  playersHead->addWidget(helpButton);
  grids->addLayout(playersHead, 0, 2);
  grids->addWidget(NS, 1, 0);
  grids->addWidget(EW, 1, 1);
  auto* players = new QVBoxLayout;
  players->addWidget(Joueurs);
  players->addWidget(chosenPair);
  players->addWidget(playersButton);
  grids->addLayout(players, 1, 2);
  auto* okRow = new QHBoxLayout;
  okRow->addWidget(okButton);
  okRow->addWidget(new QLabel(QStringLiteral("ALT + O ou RETURN/ENTER"), this));
  okRow->addStretch();
  okRow->addWidget(printButton);
  okRow->addWidget(new QLabel(QStringLiteral("( Ou création d'un PDF )"), this));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grids, 1);
  layout->addLayout(okRow);

  connect(okButton, &QPushButton::clicked, this, [] { PairChangesOk(); });
  connect(printButton, &QPushButton::clicked, this, [this] {
    PrintPairChanges();
    redraw();
  });
  connect(helpButton, &QPushButton::clicked, this, [this] {
    if (!help_) help_ = new TForm57(this);
    help_->show();
    help_->raise();
  });
  connect(playersButton, &QPushButton::clicked, this, [this] {
    AddOrChangePlayers();
    redraw();
  });
  for (QTableWidget* grid : {NS, EW}) {
    const PairsSide side = grid == NS ? PairsSide::NorthSouth : PairsSide::EastWest;
    connect(grid, &QTableWidget::cellClicked, this, [this, side](int r, int c) {
      if (c >= 1) PairsModifyGridClick(side, c, r + 1);
      focusPlayers();
    });
    connect(grid, &QTableWidget::cellDoubleClicked, this, [grid](int r, int c) {
      if (TableDevicesMode) {
        ShowAlert(QStringLiteral("On ne peut pas modifier manuellement avec BridgeMates ou tablettes!"));
        return;
      }
      if (c < 1 || r + 1 > ResultsPerBoard) return;
      // The editor opens empty over the cell.
      {
        const QSignalBlocker block(grid);
        grid->item(r, c)->setText(QString());
      }
      grid->editItem(grid->item(r, c));
    });
    connect(grid, &QTableWidget::cellChanged, this, [this, side](int r, int c) { cellEdited(side, r, c); });
  }

  FlowWindows& windows = flowWindows();
  windows.bringPairChangesForward = [this] { bringForward(); };
  windows.hidePairChanges = [this] { hide(); };
  windows.refreshPairChanges = [this] { redraw(); };
  windows.showPairChanges = ShowPairChanges;
  resize(1000, minimumSizeHint().height());
  ui::StyleWindow(this);
}

TForm28::~TForm28() {
  FlowWindows& windows = flowWindows();
  windows.bringPairChangesForward = windows.hidePairChanges = windows.refreshPairChanges = nullptr;
  windows.showPairChanges = nullptr;
}

void TForm28::drawGrid(QTableWidget* grid, PairsSide side) {
  const QSignalBlocker block(grid);
  const PairsGrid& data = EditGridOf(side);
  const int rows = std::clamp(ResultsPerBoard, 0, kMaxTables);
  for (int r = 1; r <= kMaxTables; ++r) {
    grid->setRowHidden(r - 1, r > rows);
    grid->item(r - 1, 0)->setText(QString::number(PairChangesRowNumber(side, r)));
    for (int c = 1; c <= 2; ++c) grid->item(r - 1, c)->setText(data.cell(c, r));
  }
}

void TForm28::redraw() {
  redrawing_ = true;
  const QStringList headings = PairChangesHeadings();
  nsHeading->setText(headings.value(0));
  ewHeading->setText(headings.value(1));
  drawGrid(NS, PairsSide::NorthSouth);
  drawGrid(EW, PairsSide::EastWest);
  ui::FillPlayersList(Joueurs);
  PairsGridCellText.clear();
  chosenPair->setText(PairChoiceText);
  chosenPair->setVisible(!PairChoiceText.isEmpty());
  redrawing_ = false;
}

void TForm28::cellEdited(PairsSide side, int row, int column) {
  if (redrawing_ || column < 1 || column > 2) return;
  QTableWidget* grid = side == PairsSide::NorthSouth ? NS : EW;
  const QString typed = grid->item(row, column)->text();
  // Once the cell's editor has closed: a refusal's message would otherwise
  // open while the grid still commits the editor's text.
  QMetaObject::invokeMethod(
      this, [this, side, column, row, typed] {
        PairsModifyCellTyped(side, column, row + 1, typed);
        redraw();
        focusPlayers();
      },
      Qt::QueuedConnection);
}

void TForm28::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (event->spontaneous()) return;
  playersButton->setVisible(ClubMode);
  PairsGridCellText.clear();
  redraw();
  focusPlayers();
}

void TForm28::closeEvent(QCloseEvent* event) {
  event->ignore();
  ShowAlert(QStringLiteral("Désolé, vous ne pouvez pas quitter le programme de cette façon. Retournez au menu principal "
                           "pour le faire..."));
}

bool TForm28::listKey(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      return true;  // the window stays
    case Qt::Key_Return:
    case Qt::Key_Enter:
      okButton->click();
      return true;
    case Qt::Key_PageDown:
    case Qt::Key_PageUp:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Up:
    case Qt::Key_Down:
      return ui::SelectFromNothing(Joueurs, event->key());
    default:
      break;
  }
  return searchOrChoosePair(event, [this] {
    ChoosePairFromFile();
    redraw();
  });
}

TForm38::TForm38(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(forms::TeamNames);
  setWindowTitle(QStringLiteral("Nom des équipes"));
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setReadOnly(true);
  Memo1->setMinimumSize(420, 300);
  okButton = ui::MakeButton(QStringLiteral("Button1"), QStringLiteral("OK = ESC"), this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ui::MakeBoldLabel(QStringLiteral("Pour rappel, nom des équipes:"), this));
  layout->addWidget(Memo1);
  auto* bottom = new QHBoxLayout;
  auto* note = new QLabel(QStringLiteral("Cette fenêtre peut rester visible\ndurant tout le tournoi."), this);
  bottom->addWidget(note);
  bottom->addStretch();
  bottom->addWidget(okButton);
  layout->addLayout(bottom);
  connect(okButton, &QPushButton::clicked, this, &QWidget::hide);
  auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(esc, &QShortcut::activated, this, &QWidget::hide);
  FlowWindows& windows = flowWindows();
  windows.showTeamNames = [this] {
    show();
    raise();
  };
  windows.hideTeamNames = [this] { hide(); };
  ui::StyleWindow(this, {.cancelButton = okButton});
}

TForm38::~TForm38() {
  FlowWindows& windows = flowWindows();
  windows.showTeamNames = windows.hideTeamNames = nullptr;
}

void TForm38::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) Memo1->setPlainText(TeamNameLines().join(QLatin1Char('\n')));
  QWidget::showEvent(event);
}
