#include "scoring/ui/SheetGrids.h"

#include <QHeaderView>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShowEvent>
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

void MarkSettledLines(QTableWidget* grid, int lines, int column, QLabel* note,
                      const std::function<bool(int)>& settledOf) {
  bool any = false;
  for (int line = 1; line <= lines; ++line) {
    const bool settled = settledOf(line);
    any = any || settled;
    if (QTableWidgetItem* item = grid->item(line, column))
      item->setForeground(settled ? QBrush(QColor(Qt::blue)) : QBrush());
  }
  note->setText(any ? SettledLinesNote() : QString());
  note->setVisible(any);
}

}  // namespace ui

namespace scoring_ui {

SheetEntryWindow::SheetEntryWindow(bool (*settles)(QChar, QString&), QWidget* parent)
    : QDialog(parent), settles_(settles) {}

void SheetEntryWindow::makeEntryField(QWidget* parent, QLabel* status) {
  Edit1 = new QLineEdit(parent);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->installEventFilter(this);
  Edit1->hide();
  Edit1->setEnabled(false);
  status_ = status;
}

QLabel* SheetEntryWindow::addOptionLabel(QWidget* box, int option) {
  QLabel* value = ui::MakeOptionLabel(box, this, option);
  value->setObjectName(QStringLiteral("Option%1").arg(option + 1));
  OptionLabels << value;
  return value;
}

void SheetEntryWindow::showOptions(const QStringList& options, const QString& status) {
  for (int i = 0; i < OptionLabels.size(); ++i) OptionLabels[i]->setText(options.value(i));
  status_->setText(status);
}

void SheetEntryWindow::openField(const QString& text) {
  fieldOpen_ = true;
  Edit1->setEnabled(true);
  Edit1->setText(text);
  Edit1->show();
  // A click on the window, which would take the keyboard, leaves it to the field.
  setFocusProxy(Edit1);
  Edit1->setFocus();
  status_->show();
}

void SheetEntryWindow::closeField() {
  fieldOpen_ = false;
  setFocusProxy(nullptr);
  Edit1->clear();
  Edit1->setEnabled(false);
  Edit1->hide();
  status_->hide();
  setFocus();
}

void SheetEntryWindow::validateField() {
  const QString text = Edit1->text();
  closeField();
  storeTyped(text);
  refresh();
}

void SheetEntryWindow::switchOption(int option) {
  toggleOption(option);
  refresh();
}

void SheetEntryWindow::keyPressEvent(QKeyEvent* event) {
  if (fieldOpen_) return;
  const SheetKey key = SheetKeyFor(event->key(), event->text(), event->modifiers() & Qt::KeypadModifier);
  if (key == SheetKey::None) {
    QDialog::keyPressEvent(event);
    return;
  }
  if (toggleKey(key)) {
    refresh();
    return;
  }
  sheetKey(key, event->text());
}

bool SheetEntryWindow::fieldKey(const QKeyEvent* key) {
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    validateField();
    return true;
  }
  if (key->key() == Qt::Key_Escape) {
    closeField();
    refresh();
    return true;
  }
  if (typesNumber() && !key->text().isEmpty()) {
    QString text = Edit1->text();
    if (settles_(key->text().at(0), text)) {
      Edit1->setText(text);
      validateField();
      return true;
    }
  }
  // The line stays put while its result is being typed.
  switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_F1:
    case Qt::Key_F2:
    case Qt::Key_F3:
    case Qt::Key_F4:
    case Qt::Key_F5: return true;
    default: return false;
  }
}

bool SheetEntryWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Edit1 && event->type() == QEvent::KeyPress) return fieldKey(static_cast<QKeyEvent*>(event));
  if (event->type() == QEvent::MouseButtonDblClick && !fieldOpen_) {
    if (labelDoubleClicked(watched)) return true;
    const QVariant option = watched->property("option");
    if (option.isValid()) {
      switchOption(option.toInt());
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void SheetEntryWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!fieldOpen_) setFocus();
}

void SheetEntryWindow::reject() {
  if (fieldOpen_) closeField();
  ScoreSheet::close();  // saves the results files
  QDialog::reject();
}

}  // namespace scoring_ui
