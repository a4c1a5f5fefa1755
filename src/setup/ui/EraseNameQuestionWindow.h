#pragma once
// "Message": the question before a click erases a name. "OUI=ENTER" answers
// 1, "NON = ESC" and Esc 0; the answer is raised by 10 when the box
// "Mémoriser "Click = Effacer"" is ticked.
#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

class TForm70 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm70(QWidget* parent = nullptr);
  int ask(const QString& text);

  QLabel* Label1;
  QCheckBox* CheckBox1;
  QPushButton* Button1;
  QPushButton* Button2;

 private:
  int answer_ = 0;
};
