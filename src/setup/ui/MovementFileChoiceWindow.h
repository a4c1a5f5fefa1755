#pragma once
// "Choix du mouvement": the movement files that fit the pairs, the caller's
// current line highlighted. "&OK", Enter or a double-click answer the
// highlighted line's position + 1 (0 when none);
// Panel1 (club mode) answers -1; the quit button quits the program. The
// window is sized to the lines it offers.
#include "core/Interaction.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

class TForm65 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm65(QWidget* parent = nullptr);
  int ask(const ui::ListChoice& choice);

  QLabel* Label1;
  QListWidget* ListBox1;
  QPushButton* Button1;
  QPushButton* Panel1;
  QPushButton* BitBtn1;

 private:
  int selected() const;
  // The list as wide as its longest line and as high as its lines (3 to 20),
  // the window sized to it.
  void fitListToLines();
};
