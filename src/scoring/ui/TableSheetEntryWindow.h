#pragma once
// "Introduction des feuilles de table": one table's sheet for a round at the
// left, the traveller of the current line's board at the right, results
// typed by keyboard and stored at once. The window draws the TableSheet and
// passes it the keys.
#include "scoring/TableSheet.h"
#include "scoring/ui/SheetGrids.h"

class QLabel;
class QPushButton;
class QTableWidget;

class TForm58 : public scoring_ui::SheetEntryWindowOf<TableSheet> {
  Q_OBJECT
 public:
  explicit TForm58(TableSheet& sheet, QWidget* parent = nullptr);

  TableSheet& sheet() override { return sheet_; }
  // Draws the sheet, the board grid, the labels and the options again.
  void refresh() override;

  QLabel* boardLabel;
  QLabel* vulnerabilityLabel;
  QLabel* tableLabel;
  QLabel* roundLabel;
  QLabel* nsLabel;
  QLabel* ewLabel;
  QLabel* statusLabel;
  QLabel* settledLabel;  // what the blue results mean, when a line is settled
  QTableWidget* sheetGrid;
  QTableWidget* boardGrid;
  QPushButton* menuButton;

 protected:
  void sheetKey(SheetKey key, const QString& text) override;
  void storeTyped(const QString& text) override { sheet_.validate(text); }
  bool typesNumber() const override;
  bool labelDoubleClicked(const QObject* label) override;

 private:
  void otherKey(SheetKey key, const QString& text);
  void saveAndClose();

  TableSheet& sheet_;
};

// Shows the sheets of the round laid out in sheet, modally.
void ShowTableSheet(TableSheet& sheet);
