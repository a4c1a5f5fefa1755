#pragma once
// "Introduction/Visualisation des feuilles de marque": the traveller of one
// board, one line per table, results typed by keyboard and stored at once.
// The window draws the ScoreSheet and passes it the keys.
#include "scoring/ScoreSheet.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QTableWidget;

class TForm56 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm56(QWidget* parent = nullptr);

  ScoreSheet& sheet() { return sheet_; }
  // Draws the board, the current line, the labels and the options again.
  void refresh();

  QLabel* LabelBoard;
  QLabel* LabelVulnerability;
  QTableWidget* t;
  QLineEdit* Edit1;
  QLabel* LabelStatus;
  QCheckBox* CheckBox1;
  QList<QLabel*> OptionLabels;  // coherence, times ten, order, entry mode, line skip

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void reject() override;

 private:
  void handleKey(SheetKey key, const QString& text);
  void openField(EntryColumn column, const QString& text);
  void closeField();
  void validateField();
  void switchOption(int option);
  void sizeGrid();

  ScoreSheet sheet_;
  EntryColumn column_ = EntryColumn::None;
};

// Shows the traveller entry modally from board 1 (the tournament menu's
// score-sheet button).
void ShowTravellerEntry();
