#include "scoring/ui/SheetGrids.h"

#include <QHeaderView>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableWidget>
#include <QVariant>

namespace ui {

const QStringList& SheetOptionNames() {
  static const QStringList names = {QStringLiteral("Test de cohérence: "), QStringLiteral("Nombres:"),
                                    QStringLiteral("Classement:"), QStringLiteral("Introduction par nombres"),
                                    QStringLiteral("Saut de ligne après le dernier résultat")};
  return names;
}

QLabel* MakeOptionLabel(QWidget* parent, QObject* filter, int option, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->installEventFilter(filter);
  label->setProperty("option", option);
  return label;
}

QTableWidget* MakeSheetGrid(QWidget* parent, const QString& name, int columns) {
  auto* grid = new QTableWidget(parent);
  grid->setObjectName(name);
  grid->setColumnCount(columns);
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->setFocusPolicy(Qt::NoFocus);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::NoSelection);
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  return grid;
}

void SetSheetCell(QTableWidget* grid, int row, int column, const QString& text, const QColor& background) {
  QTableWidgetItem* item = grid->item(row, column);
  if (!item) {
    item = new QTableWidgetItem;
    item->setTextAlignment(Qt::AlignCenter);
    grid->setItem(row, column, item);
  }
  item->setText(text);
  item->setBackground(background.isValid() ? QBrush(background) : QBrush());
}

void OpenEntryField(QLineEdit* field, QLabel* status, const QString& text) {
  field->setEnabled(true);
  field->setText(text);
  field->show();
  field->setFocus();
  status->show();
}

void CloseEntryField(QLineEdit* field, QLabel* status, QWidget* window) {
  field->clear();
  field->setEnabled(false);
  field->hide();
  status->hide();
  window->setFocus();
}

bool TakeEntryFieldKey(const QKeyEvent* key, QLineEdit* field, bool numbers, bool (*settles)(QChar, QString&),
                       const std::function<void()>& validate, const std::function<void()>& close) {
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    validate();
    return true;
  }
  if (key->key() == Qt::Key_Escape) {
    close();
    return true;
  }
  if (numbers && !key->text().isEmpty()) {
    QString text = field->text();
    if (settles(key->text().at(0), text)) {
      field->setText(text);
      validate();
      return true;
    }
  }
  return false;
}

bool SwitchOptionOfLabel(const QObject* watched, const std::function<void(int)>& switchOption) {
  const QVariant option = watched->property("option");
  if (!option.isValid()) return false;
  switchOption(option.toInt());
  return true;
}

}  // namespace ui
