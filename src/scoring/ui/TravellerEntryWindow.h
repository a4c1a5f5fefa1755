#pragma once
// "Introduction/Visualisation des feuilles de marque": the traveller of one
// board, one line per table, results typed by keyboard and stored at once.
// The window draws the ScoreSheet and passes it the keys.
#include "scoring/ScoreSheet.h"
#include "scoring/ui/SheetGrids.h"

class QCheckBox;
class QLabel;
class QTableWidget;

class TForm56 : public scoring_ui::SheetEntryWindowOf<ScoreSheet> {
  Q_OBJECT
 public:
  explicit TForm56(QWidget* parent = nullptr);

  ScoreSheet& sheet() override { return sheet_; }
  // Draws the board, the current line, the labels and the options again.
  void refresh() override;

  QLabel* LabelBoard;
  QLabel* LabelVulnerability;
  QTableWidget* t;
  QLabel* LabelStatus;
  QLabel* LabelSettled;  // what the blue results mean, when a line is settled
  QCheckBox* CheckBox1;

 protected:
  void sheetKey(SheetKey key, const QString& text) override;
  void storeTyped(const QString& text) override { sheet_.validate(text, column_); }
  bool typesNumber() const override { return column_ != EntryColumn::Result; }
  bool labelDoubleClicked(const QObject* label) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Opens the field over the current line's cell of `column`.
  void openFieldAt(EntryColumn column, const QString& text);
  void sizeGrid();

  ScoreSheet sheet_;
  EntryColumn column_ = EntryColumn::None;  // of the field opened last
};

// Shows the traveller entry modally from board 1 (the tournament menu's
// score-sheet button).
void ShowTravellerEntry();
