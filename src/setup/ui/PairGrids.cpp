#include "setup/ui/PairGrids.h"

#include "core/Globals.h"
#include "core/Messages.h"
#include "core/Questions.h"
#include "core/ui/WindowStyle.h"
#include "setup/PairsEntry.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ui {

QTableWidget* MakePairGrid(const QString& name, QWidget* parent) {
  auto* grid = new QTableWidget(kMaxTables, 3, parent);
  grid->setObjectName(name);
  grid->setHorizontalHeaderLabels({QStringLiteral("N°"), QStringLiteral("Joueur 1"), QStringLiteral("Joueur 2")});
  grid->verticalHeader()->hide();
  grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  grid->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  const QSignalBlocker block(grid);
  for (int r = 0; r < kMaxTables; ++r) {
    auto* number = new QTableWidgetItem;
    number->setFlags(Qt::ItemIsEnabled);
    number->setBackground(QColor(Qt::yellow));
    number->setTextAlignment(Qt::AlignCenter);
    grid->setItem(r, 0, number);
    for (int c = 1; c <= 2; ++c) grid->setItem(r, c, new QTableWidgetItem);
  }
  const int rowHeight = grid->fontMetrics().height() + 6;
  grid->verticalHeader()->setDefaultSectionSize(rowHeight);
  grid->setMinimumWidth(320);
  return grid;
}

QListWidget* MakePlayersList(QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setObjectName(QStringLiteral("Joueurs"));
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->installEventFilter(parent);
  list->setMinimumWidth(220);
  QObject::connect(list, &QListWidget::itemSelectionChanged, parent, [list] {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    PairsGridCellText = selected.isEmpty() ? QString() : selected.first()->text();
  });
  return list;
}

void FillPlayersList(QListWidget* list) {
  const QSignalBlocker block(list);
  list->clear();
  list->addItems(PlayersListBoxLines());
  list->setCurrentRow(-1);
  list->clearSelection();
}

void FocusPlayersList(QListWidget* list) {
  list->setFocus();
  const QSignalBlocker block(list);
  list->setCurrentRow(-1);
  list->clearSelection();
}

void SearchPlayersList(QListWidget* list, QElapsedTimer& lastKey, const QString& text) {
  // After a pause of the keyboard the letters start a new search.
  if (!lastKey.isValid() || lastKey.elapsed() > QApplication::keyboardInputInterval()) TypedSearchText.clear();
  lastKey.start();
  TypedSearchText += text;
  const int found = FindListEntry(PlayersListBoxLines(), TypedSearchText);
  if (found >= 0) {
    list->setCurrentRow(found, QItemSelectionModel::ClearAndSelect);
    list->scrollToItem(list->item(found));
  } else {
    list->clearSelection();
  }
}

QString SearchKeyText(const QKeyEvent* event) {
  const QString text = event->text();
  if (text.isEmpty() || !text.at(0).isPrint() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
    return {};
  return text;
}

QLabel* MakeBoldLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  QFont f = label->font();
  f.setBold(true);
  label->setFont(f);
  return label;
}

}  // namespace ui

namespace setup_ui {

PairGridsWindow::PairGridsWindow(const QString& closeRefusal, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), closeRefusal_(closeRefusal) {}

void PairGridsWindow::layOut(QWidget* nsButton, QWidget* ewButton, QWidget* help, QWidget* chosenPair,
                             QLayout* bottom) {
  nsHeading = ui::MakeBoldLabel(QStringLiteral("Paires N/S"), this);
  ewHeading = ui::MakeBoldLabel(QStringLiteral("Paires E/W"), this);
  const auto heading = [](QLabel* title, QWidget* button) {
    auto* row = new QHBoxLayout;
    row->addWidget(title);
    row->addStretch();
    if (button) row->addWidget(button);
    return row;
  };
  auto* grids = new QGridLayout;
  grids->addLayout(heading(nsHeading, nsButton), 0, 0);
  grids->addLayout(heading(ewHeading, ewButton), 0, 1);
  grids->addLayout(heading(ui::MakeBoldLabel(QStringLiteral("Liste des joueurs"), this), help), 0, 2);
  grids->addWidget(NS, 1, 0);
  grids->addWidget(EW, 1, 1);
  auto* players = new QVBoxLayout;
  players->addWidget(Joueurs);
  players->addWidget(chosenPair);
  players->addWidget(playersButton);
  grids->addLayout(players, 1, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grids, 1);
  layout->addLayout(bottom);
  resize(1000, minimumSizeHint().height());
  ui::StyleWindow(this);
}

void PairGridsWindow::redraw() {
  redrawing_ = true;
  drawPairs();
  ui::FillPlayersList(Joueurs);
  PairsGridCellText.clear();
  redrawing_ = false;
}

void PairGridsWindow::takeTypedCells() {
  connect(NS, &QTableWidget::cellChanged, this, [this](int r, int c) { cellEdited(PairsSide::NorthSouth, r, c); });
  connect(EW, &QTableWidget::cellChanged, this, [this](int r, int c) { cellEdited(PairsSide::EastWest, r, c); });
}

void PairGridsWindow::cellEdited(PairsSide side, int row, int column) {
  if (redrawing_ || column < 1 || column > 2) return;
  QTableWidget* grid = side == PairsSide::NorthSouth ? NS : EW;
  const QString typed = grid->item(row, column)->text();
  if (takenSilently(side, column, row + 1, typed)) {
    cellTyped(side, column, row + 1, typed);
    return;
  }
  // Once the cell's editor has closed: a refusal's message would otherwise
  // open while the grid still commits the editor's text.
  QMetaObject::invokeMethod(
      this, [this, side, column, row, typed] { cellTyped(side, column, row + 1, typed); }, Qt::QueuedConnection);
}

void PairGridsWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (event->spontaneous()) return;
  playersButton->setVisible(ClubMode);
  prepareShow();
  redraw();
  focusPlayers();
}

void PairGridsWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  ShowAlert(closeRefusal_);
}

void PairGridsWindow::bringForward() {
  show();
  raise();
  activateWindow();
  redraw();
  focusPlayers();
}

void PairGridsWindow::focusPlayers() { ui::FocusPlayersList(Joueurs); }

void PairGridsWindow::searchPlayers(const QString& text) { ui::SearchPlayersList(Joueurs, lastKey_, text); }

bool PairGridsWindow::searchOrChoosePair(const QKeyEvent* event, const std::function<void()>& choosePair) {
  const QString text = ui::SearchKeyText(event);
  if (text.isEmpty()) return false;
  if (IsPairChooserKey(text)) {
    choosePair();
    Joueurs->setFocus();
    return true;
  }
  searchPlayers(text);
  return true;
}

void PairGridsWindow::mouseReleaseEvent(QMouseEvent* event) {
  QWidget::mouseReleaseEvent(event);
  PairsGridCellText.clear();
  focusPlayers();
}

bool PairGridsWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Joueurs && event->type() == QEvent::KeyPress && listKey(static_cast<QKeyEvent*>(event))) return true;
  return QWidget::eventFilter(watched, event);
}

}  // namespace setup_ui
