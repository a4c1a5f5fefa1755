#include "setup/ui/PairChangesWindows.h"

#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/ui/WindowStyle.h"
#include "setup/ui/PairChangesHelpWindow.h"
#include "setup/ui/PairGrids.h"

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

TForm28::TForm28(QWidget* parent)
    : PairGridsWindow(QStringLiteral("Désolé, vous ne pouvez pas quitter le programme de cette façon. Retournez au "
                                     "menu principal pour le faire..."),
                      parent, Qt::Window) {
  setObjectName(forms::PairChanges);
  setWindowTitle(QStringLiteral("Modification des paires"));
  NS = ui::MakePairGrid(QStringLiteral("NS"), this);
  EW = ui::MakePairGrid(QStringLiteral("EW"), this);
  Joueurs = ui::MakePlayersList(this);
  chosenPair = new QLabel(this);
  chosenPair->setObjectName(QStringLiteral("Edit3"));
  chosenPair->hide();
  okButton = ui::MakeButton(QStringLiteral("Button1"), QStringLiteral("&OK"), this);
  okButton->setDefault(true);
  playersButton = ui::MakeButton(QStringLiteral("Button3"), QStringLiteral("Ajouter/Modifier les joueurs"), this);
  printButton = ui::MakeButton(QStringLiteral("BitBtn1"), QStringLiteral("Imprimer les paires"), this);
  helpButton = ui::MakeButton(QStringLiteral("BitBtn4"), QStringLiteral("?"), this);
  helpButton->setMaximumWidth(40);

  auto* okRow = new QHBoxLayout;
  okRow->addWidget(okButton);
  okRow->addWidget(new QLabel(QStringLiteral("ALT + O ou RETURN/ENTER"), this));
  okRow->addStretch();
  okRow->addWidget(printButton);
  okRow->addWidget(new QLabel(QStringLiteral("( Ou création d'un PDF )"), this));
  layOut(nullptr, nullptr, helpButton, chosenPair, okRow);

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
  }
  takeTypedCells();

  FlowWindows& windows = flowWindows();
  windows.bringPairChangesForward = [this] { bringForward(); };
  windows.hidePairChanges = [this] { hide(); };
  windows.refreshPairChanges = [this] { redraw(); };
  windows.showPairChanges = ShowPairChanges;
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

void TForm28::drawPairs() {
  const QStringList headings = PairChangesHeadings();
  nsHeading->setText(headings.value(0));
  ewHeading->setText(headings.value(1));
  drawGrid(NS, PairsSide::NorthSouth);
  drawGrid(EW, PairsSide::EastWest);
  chosenPair->setText(PairChoiceText);
  chosenPair->setVisible(!PairChoiceText.isEmpty());
}

void TForm28::cellTyped(PairsSide side, int column, int pairRow, const QString& typed) {
  PairsModifyCellTyped(side, column, pairRow, typed);
  redraw();
  focusPlayers();
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
