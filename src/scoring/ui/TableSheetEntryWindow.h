#pragma once
// "Introduction des feuilles de table": one table's sheet for a round at the
// left, the traveller of the current line's board at the right, results
// typed by keyboard and stored at once. The window draws the TableSheet and
// passes it the keys.
#include "scoring/TableSheet.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class TForm58 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm58(TableSheet& sheet, QWidget* parent = nullptr);

  TableSheet& sheet() { return sheet_; }
  // Draws the sheet, the board grid, the labels and the options again.
  void refresh();

  QLabel* boardLabel;
  QLabel* vulnerabilityLabel;
  QLabel* tableLabel;
  QLabel* roundLabel;
  QLabel* nsLabel;
  QLabel* ewLabel;
  QLabel* statusLabel;
  QTableWidget* sheetGrid;
  QTableWidget* boardGrid;
  QLineEdit* Edit1;
  QPushButton* menuButton;
  QList<QLabel*> OptionLabels;  // coherence, times ten, order, entry mode, line skip

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void reject() override;

 private:
  void otherKey(SheetKey key, const QString& text);
  void openField(const QString& text);
  void closeField();
  void validateField();
  void switchOption(int option);
  void saveAndClose();

  TableSheet& sheet_;
  bool fieldOpen_ = false;
};

// Shows the sheets of the round laid out in sheet, modally.
void ShowTableSheet(TableSheet& sheet);
