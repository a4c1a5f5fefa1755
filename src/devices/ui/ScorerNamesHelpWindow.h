#pragma once
// "Aide": how the players' names are cut for the scorers. Shown without
// waiting; Enter or "OK" close it.
#include <QDialog>

class QLabel;
class QPushButton;

class TForm105 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm105(QWidget* parent = nullptr);
  QLabel* Memo1;
  QLabel* Memo2;  // shown in club mode only
  QPushButton* Button1;

 protected:
  void showEvent(QShowEvent* event) override;
};
