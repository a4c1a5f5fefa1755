#include "setup/ui/PairGrids.h"

#include "core/Globals.h"
#include "core/Questions.h"
#include "setup/PairsEntry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTableWidget>

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

PairGridsWindow::PairGridsWindow(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {}

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
