#pragma once
// "Attention": the warning list of the computations. The button, Esc, Enter
// and the key "O" close it.
#include <QDialog>

class QPlainTextEdit;
class QPushButton;

class TForm22 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm22(QWidget* parent = nullptr);
  void setText(const QString& text);

  QPlainTextEdit* Memo1;
  QPushButton* Button1;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};
