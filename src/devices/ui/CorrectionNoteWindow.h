#pragma once
// "Information": the yellow note shown beside the other windows when a
// correction goes to the BridgeMates; "&OK", Enter and Esc close it.
#include <QWidget>

class QLabel;
class QPushButton;

class TForm109 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm109(QWidget* parent = nullptr);
  // Replaces the text, shows the window and brings it to the front.
  void showText(const QString& text);

  QLabel* Memo1;
  QPushButton* Button1;
};
