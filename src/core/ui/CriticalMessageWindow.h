#pragma once
// "Message critique": the critical message of a referee call, shown without
// waiting and brought to the front; "OK" closes it.
#include <QWidget>

class QPlainTextEdit;
class QPushButton;

class TForm114 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm114(QWidget* parent = nullptr);
  // Replaces the text, shows the window and brings it to the front.
  void showText(const QString& text);

  QPlainTextEdit* Memo1;
  QPushButton* Button1;
};
