#pragma once
// "Message": the program's message window. A memo shows the text (one line
// per CR LF); "OK = ESC/Echap", Esc or Enter close it.
#include <QDialog>

class QPlainTextEdit;
class QPushButton;

class TForm26 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm26(QWidget* parent = nullptr);
  void setText(const QString& text);
  QString text() const;

  // Shows text modally; returns when the window is closed.
  static void showText(const QString& text);

  QPlainTextEdit* Memo1;
  QPushButton* Button1;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
};
