#pragma once
// TForm4 "Introduction des paires": the N/S and E/W grids, the list of the
// players still free, the pop-up menu of actions, OK (the start of the
// tournament) and the stop button. A thin layer over setup/PairsEntry: every
// action runs its routine, then the grids and the list are redrawn.
#include "setup/PairsEntry.h"
#include "setup/ui/PairGrids.h"

#include <functional>

class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class TForm84;

class TForm4 : public setup_ui::PairGridsWindow {
  Q_OBJECT
 public:
  explicit TForm4(QWidget* parent = nullptr);
  ~TForm4() override;

  QLineEdit* Edit1;
  QPushButton* okButton;
  QPushButton* actionsButton;
  QPushButton* printButton;
  QPushButton* stopButton;
  QPushButton* clearNsButton;
  QPushButton* helpButton;
  QPushButton* clearEwButton;
  QMenu* PopupMenu2;
  TForm84* help() const { return help_; }

 protected:
  void drawPairs() override;
  void prepareShow() override;
  void cellTyped(PairsSide side, int column, int pairRow, const QString& typed) override;
  bool takenSilently(PairsSide side, int column, int pairRow, const QString& typed) const override;
  bool listKey(QKeyEvent* event) override;

 private:
  QTableWidget* makeGrid(const QString& name);
  void drawGrid(QTableWidget* grid, const PairsGrid& data);
  void handle(const std::function<void()>& routine);
  void gridClicked(PairsSide side, int row, int column);

  TForm84* help_ = nullptr;
};
