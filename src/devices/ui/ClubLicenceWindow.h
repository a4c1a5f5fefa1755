#pragma once
// "Licence": the club's federation number, asked once. OK refuses an empty
// field (the window stays); Esc gives no answer (the caller runs the quit
// routine).
#include <QDialog>

#include <optional>

class QLineEdit;
class QPushButton;

class TForm72 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm72(QWidget* parent = nullptr);
  // Shows the window modally: the number given, nothing after Esc.
  std::optional<QString> ask();

  QLineEdit* Edit1;
  QPushButton* Button1;

 private:
  void button1Click();
  QString number_;
};
