#pragma once
// "Question": the yes/no window. "OUI" (default, Enter) answers 6; "NON",
// Esc, the close box and any other key close it with 7, which the window
// holds from the moment it opens. Asked with no as its default, it answers
// only O ("OUI", 6), N, Enter and Esc (7) and the buttons themselves; any
// other key is ignored and Tab goes from one button to the other.
#include <QDialog>

class QLabel;
class QPushButton;

class TForm91 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm91(QWidget* parent = nullptr);
  // Shows the question modally and returns 6 (yes) or 7 (no).
  int ask(const QString& question, bool defaultNo = false);
  int answer() const { return answer_; }

  QLabel* Label1;
  QPushButton* yesButton;
  QPushButton* noButton;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool handleKey(QKeyEvent* event);
  void answerWith(int code);
  int answer_ = 7;
  bool defaultNo_ = false;
};
