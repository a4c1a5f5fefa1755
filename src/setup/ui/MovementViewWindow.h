#pragma once
// TForm73 "Mouvement": the movement view, shown beside the tournament menu
// without waiting, with its own taskbar button. "&Imprimer" prints it;
// "&OK (ESC/Echap)" and Esc close it.
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TForm73 : public QDialog {
  Q_OBJECT

 public:
  TForm73();
  ~TForm73() override;

  // Fills the window from MovementTitle and the rows built, and shows it.
  void showMovement();

  QLabel* Label1;
  QPlainTextEdit* Memo1;
  QPushButton* Button1;
  QPushButton* Button2;
  QLabel* Label2;

 public slots:
  void reject() override;
};
