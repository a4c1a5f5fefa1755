#pragma once
// TForm1, the start screen and main window: a new tournament, a resumed one
// or one prepared by FFBClubNet, with the device and entry choices. Closing
// it (close box, quit button, Esc) goes to the quit routine.
#include "flows/StartScreen.h"

#include <QMainWindow>

class QAction;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  // Runs the start screen's creation (which may end the program when the
  // players file is missing or doubled).
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  const StartScreenView& view() const { return view_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls();
  void applyView();
  // Runs a handler's routine, then shows what it changed, even when it fails.
  void handle(const std::function<void()>& routine);
  void paintCaption(QPushButton* button, bool hot);

  StartScreenView view_;

  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QLabel* label3_ = nullptr;
  QLabel* label4_ = nullptr;
  QLabel* label5_ = nullptr;
  QLabel* label6_ = nullptr;
  QLabel* label9_ = nullptr;
  QPushButton* speedButton1_ = nullptr;
  QPushButton* speedButton2_ = nullptr;
  QPushButton* speedButton3_ = nullptr;
  QPushButton* bitBtn2_ = nullptr;
  QCheckBox* bridgeBox_ = nullptr;
  QCheckBox* checkBox2_ = nullptr;
  QCheckBox* checkBox3_ = nullptr;
  QGroupBox* radioGroup1_ = nullptr;
  QGroupBox* radioGroup2_ = nullptr;
  QButtonGroup* radioGroup1Buttons_ = nullptr;
  QButtonGroup* radioGroup2Buttons_ = nullptr;
  QPlainTextEdit* memo1_ = nullptr;
  QAction* clubPlayersAction_ = nullptr;
  QLabel* status_ = nullptr;  // where the program folder and the results are
};
