#pragma once
// "Message": what to do before the first use of the scorers, when the control
// program has never run here. "OK", Enter and Esc close it.
#include <QDialog>

class QLabel;
class QPushButton;

class TForm97 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm97(QWidget* parent = nullptr);
  void setText(const QString& text);
  QLabel* Memo1;
  QPushButton* Button1;

 protected:
  void showEvent(QShowEvent* event) override;
};
