#pragma once
// "Question": the information line of the printed results, offered in Edit1.
// "&OK", Enter, Esc and the close box all take the text as it stands.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TForm19 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm19(QWidget* parent = nullptr);
  QString ask(const QString& offered);

  QLabel* Label1;
  QLabel* Label2;
  QLineEdit* Edit1;
  QPushButton* Button1;

 protected:
  void reject() override;
};
