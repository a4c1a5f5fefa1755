#pragma once
// TForm28 "Modification des paires": the names of the pairs corrected while
// play goes on, beside the menu; and TForm38 "Nom des équipes", the team
// names of a Patton. Thin layers over setup/PairChanges.
#include "setup/PairChanges.h"
#include "setup/ui/PairGrids.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class TForm57;

class TForm28 : public setup_ui::PairGridsWindow {
  Q_OBJECT
 public:
  explicit TForm28(QWidget* parent = nullptr);
  ~TForm28() override;

  QLabel* chosenPair;  // from "PAIRES.TXT"
  QPushButton* okButton;
  QPushButton* printButton;
  QPushButton* helpButton;

 protected:
  void drawPairs() override;
  void cellTyped(PairsSide side, int column, int pairRow, const QString& typed) override;
  bool listKey(QKeyEvent* event) override;

 private:
  void drawGrid(QTableWidget* grid, PairsSide side);

  TForm57* help_ = nullptr;
};

class TForm38 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm38(QWidget* parent = nullptr);
  ~TForm38() override;
  QPlainTextEdit* Memo1;
  QPushButton* okButton;

 protected:
  void showEvent(QShowEvent* event) override;
};
