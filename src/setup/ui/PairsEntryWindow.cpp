#include "setup/ui/PairsEntryWindow.h"

#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/PlayerNames.h"
#include "core/Texts.h"
#include "core/ui/WindowStyle.h"
#include "setup/ui/PairGrids.h"
#include "setup/ui/PairsEntryHelpWindow.h"

#include <QAction>
#include <QCursor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableWidget>

namespace {

QPushButton* makeIconButton(const QString& name, QStyle::StandardPixmap icon, const QString& tip, QWidget* parent) {
  auto* b = new QPushButton(parent->style()->standardIcon(icon), QString(), parent);
  b->setObjectName(name);
  b->setToolTip(tip);
  b->setIconSize(QSize(24, 24));
  return b;
}

}  // namespace

TForm4::TForm4(QWidget* parent)
    : PairGridsWindow(QStringLiteral("Désolé, vous ne pouvez pas quitter le programme de cette façon. Utilisez plutôt "
                                     "le bouton \"STOP\"..."),
                      parent) {
  setObjectName(forms::PairsEntry);
  setWindowTitle(QStringLiteral("Introduction des paires"));

  NS = makeGrid(QStringLiteral("NS"));
  EW = makeGrid(QStringLiteral("EW"));
  Joueurs = ui::MakePlayersList(this);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setReadOnly(true);
  Edit1->setFocusPolicy(Qt::NoFocus);
  Edit1->hide();

  okButton = ui::MakeButton(QStringLiteral("Button1"), QStringLiteral("&OK (Fin)"), this);
  QFont big = okButton->font();
  big.setBold(true);
  big.setPointSize(big.pointSize() + 2);
  okButton->setFont(big);
  actionsButton = ui::MakeButton(QStringLiteral("Button2"), QStringLiteral("Ensemble des actions possibles..."), this);
  playersButton = ui::MakeButton(QStringLiteral("Button3"), QStringLiteral("Ajouter/Modifier les joueurs"), this);
  printButton = ui::MakeButton(QStringLiteral("BitBtn1"), QStringLiteral("Imprimer les paires"), this);
  printButton->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
  stopButton = makeIconButton(QStringLiteral("BitBtn2"), QStyle::SP_BrowserStop, QStringLiteral("STOP"), this);
  clearNsButton = makeIconButton(QStringLiteral("BitBtn3"), QStyle::SP_TrashIcon, QStringLiteral("Effacer les paires N/S"), this);
  clearEwButton = makeIconButton(QStringLiteral("BitBtn5"), QStyle::SP_TrashIcon, QStringLiteral("Effacer les paires E/W"), this);
  helpButton = ui::MakeButton(QStringLiteral("BitBtn4"), QStringLiteral("?"), this);
  helpButton->setToolTip(QStringLiteral("Aide"));
  helpButton->setMaximumWidth(40);
  // A framed note sized to its three lines, never clipped.
  auto* memo = new QLabel(QStringLiteral("<-- Cliquez ici\nlorsque vous avez fini\nd'introduire les paires"), this);
  memo->setFrameShape(QFrame::StyledPanel);
  memo->setMargin(2);

  PopupMenu2 = new QMenu(this);
  PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
  const auto addEntry = [this](const QString& name, const QString& text, void (*routine)()) {
    QAction* action = PopupMenu2->addAction(text);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, [this, routine] { handle(routine); });
  };
  addEntry(QStringLiteral("Creationrapide1"), QStringLiteral("Création rapide d'un ensemble de paires"), &QuickCreatePairs);
  addEntry(QStringLiteral("Recharger1"), QStringLiteral("Recharger un fichier de paires"), &ReloadPairsIntoGrids);
  addEntry(QStringLiteral("Sauvetage1"), QStringLiteral("Sauvetage de sécurité des paires"), &SavePairsBackup);
  addEntry(QStringLiteral("Imprimerlespaires1"), QStringLiteral("Imprimer les paires"), &PrintPairs);
  addEntry(QStringLiteral("Tirage1"), QStringLiteral("Tirage au sort des paires"), &DrawPairsIntoGrids);
  addEntry(QStringLiteral("Verifier1"), QStringLiteral("Vérifier si les paires sont en ordre"), &CheckPairsEntry);
  addEntry(QStringLiteral("Options1"), QStringLiteral("Options générales du tournoi"), &PairsGeneralOptions);

  auto* okRow = new QHBoxLayout;
  okRow->addWidget(okButton);
  okRow->addWidget(new QLabel(QStringLiteral("= Alt + O"), this));
  okRow->addWidget(memo);
  okRow->addStretch();
  okRow->addWidget(printButton);
  okRow->addWidget(new QLabel(QStringLiteral("( Ou création d'un PDF )"), this));
  okRow->addStretch();
  okRow->addWidget(actionsButton);
  okRow->addStretch();
  okRow->addWidget(stopButton);
  okRow->addWidget(new QLabel(QStringLiteral("= ESC"), this));
  layOut(clearNsButton, clearEwButton, helpButton, Edit1, okRow);

  connect(okButton, &QPushButton::clicked, this, [this] { handle(&PairsEntryOk); });
  connect(printButton, &QPushButton::clicked, this, [this] { handle(&PrintPairs); });
  connect(stopButton, &QPushButton::clicked, this, [this] { handle(&PairsEntryStop); });
  connect(actionsButton, &QPushButton::clicked, this, [this] { PopupMenu2->popup(QCursor::pos()); });
  connect(clearNsButton, &QPushButton::clicked, this, [this] { handle(&ClearNorthSouthPairs); });
  connect(clearEwButton, &QPushButton::clicked, this, [this] { handle(&ClearEastWestPairs); });
  connect(helpButton, &QPushButton::clicked, this, [this] {
    if (!help_) help_ = new TForm84(this);
    help_->setWindowFlag(Qt::Window);
    help_->show();
    help_->raise();
  });
  connect(playersButton, &QPushButton::clicked, this, [this] {
    handle(&AddOrChangePlayers);
    okButton->setFocus();
  });
  connect(NS, &QTableWidget::cellClicked, this, [this](int r, int c) { gridClicked(PairsSide::NorthSouth, r, c); });
  connect(EW, &QTableWidget::cellClicked, this, [this](int r, int c) { gridClicked(PairsSide::EastWest, r, c); });
  takeTypedCells();
  connect(NS, &QTableWidget::cellDoubleClicked, this, [this] {
    if (BridgeMatesMode) handle([] { ShowAlert(QStringLiteral("Impossible")); });
  });

  FlowWindows& windows = flowWindows();
  windows.showPairsEntry = [this] { bringForward(); };
  windows.refreshPairsEntry = [this] { redraw(); };
  windows.hidePairsEntry = [this] { hide(); };
}

TForm4::~TForm4() {
  FlowWindows& windows = flowWindows();
  windows.showPairsEntry = windows.refreshPairsEntry = windows.hidePairsEntry = nullptr;
}

QTableWidget* TForm4::makeGrid(const QString& name) {
  auto* grid = ui::MakePairGrid(name, this);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);  // the current row in silver
  grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  QPalette pal = grid->palette();
  pal.setColor(QPalette::Highlight, QColor(0xC0, 0xC0, 0xC0));
  pal.setColor(QPalette::HighlightedText, pal.color(QPalette::Text));
  grid->setPalette(pal);
  {
    const QSignalBlocker block(grid);
    for (int r = 0; r < kMaxTables; ++r) grid->item(r, 0)->setText(QString::number(r + 1));
  }
  // Every row in sight.
  const int rowHeight = grid->fontMetrics().height() + 6;
  grid->setMinimumHeight(grid->horizontalHeader()->sizeHint().height() + kMaxTables * rowHeight + 2 * grid->frameWidth());
  return grid;
}

void TForm4::drawGrid(QTableWidget* grid, const PairsGrid& data) {
  const QSignalBlocker block(grid);
  for (int r = 1; r <= kMaxTables; ++r) {
    grid->item(r - 1, 0)->setText(QString::number(r));
    for (int c = 1; c <= 2; ++c) grid->item(r - 1, c)->setText(data.cell(c, r));
  }
}

void TForm4::drawPairs() {
  drawGrid(NS, NsGrid);
  drawGrid(EW, EwGrid);
  Edit1->setText(PairChoiceText);
  Edit1->setVisible(!PairChoiceText.isEmpty());
}

void TForm4::handle(const std::function<void()>& routine) {
  struct Redraw {
    TForm4* form;
    ~Redraw() { form->redraw(); }
  } redraw{this};
  routine();
}

void TForm4::gridClicked(PairsSide side, int row, int column) {
  if (column < 1) return;
  handle([&] { PairsGridClick(side, column, row + 1); });
  focusPlayers();
}

// A refused name leaves the cell as it was.
void TForm4::cellTyped(PairsSide side, int column, int pairRow, const QString& typed) {
  if (!PairsGridCellTyped(side, column, pairRow, typed)) redraw();
}

bool TForm4::takenSilently(PairsSide, int, int, const QString& typed) const {
  return TypedPlayerNameRefusal(TrimText(typed)).isEmpty();
}

void TForm4::prepareShow() {
  NS->setEditTriggers(BridgeMatesMode ? QAbstractItemView::NoEditTriggers
                                      : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  PairChoiceText.clear();
}

bool TForm4::listKey(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      stopButton->click();
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_PageDown:
    case Qt::Key_PageUp:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return ui::SelectFromNothing(Joueurs, event->key());
    default:
      break;
  }
  // A chosen pair waits in Edit1 for the next grid click.
  return searchOrChoosePair(event, [this] { handle(&ChoosePairFromFile); });
}
