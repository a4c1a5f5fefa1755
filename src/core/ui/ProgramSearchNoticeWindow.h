#pragma once
// "Message": a one-line notice shown without waiting while a program is
// searched for on the disk, hidden again when the search ends.
#include <QWidget>

class QLabel;

class TForm95 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm95(QWidget* parent = nullptr);
  // Shows the text centred and paints it at once (the caller then works
  // without returning to the event loop).
  void showText(const QString& text);

  QLabel* Label1;
};
