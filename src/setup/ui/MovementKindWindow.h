#pragma once
// "Mouvement": the choice of the movement. Each button answers its code
// (Mitchell 1, proposed files 2, Appendix 4 and 5, file on disk 7, Patton
// 9, club movements 10, the same from now on 11); Esc and "(ESC/Echap) =
// Revenir aux paires" answer 0; the quit button quits the program.
#include "core/Interaction.h"

#include <QDialog>

class QLabel;
class QPushButton;

class TForm9 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm9(QWidget* parent = nullptr);
  // choice.extra: "appendix7", "appendix9" (buttons enabled), "club".
  int ask(const ui::Choice& choice);

  QPushButton* Button1;
  QPushButton* Button2;
  QPushButton* Button3;
  QPushButton* Button4;
  QPushButton* Button5;
  QPushButton* Button7;
  QPushButton* Button8;
  QPushButton* Button9;
  QPushButton* Panel1;
  QPushButton* Panel2;
  QPushButton* BitBtn2;
  QLabel* Label11;
  QLabel* Memo7;
};
