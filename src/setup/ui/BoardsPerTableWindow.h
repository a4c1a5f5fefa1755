#pragma once
// "Nombre de boards par table": the boards per table of a movement file.
// "&OK" (Enter) or a double-click answers the selected line's position + 1,
// only for an offered (non-empty) line; the quit button and Esc quit.
#include "core/Interaction.h"
#include "setup/ui/MovementDialogs.h"

class QListWidget;

class TForm10 : public setup_ui::QuitOnEscapeDialog {
  Q_OBJECT
 public:
  explicit TForm10(QWidget* parent = nullptr);
  int ask(const ui::ListChoice& choice);

  QLabel* Label1;
  QListWidget* ListBox1;
  QPushButton* Button1;
  QPushButton* BitBtn1;

 private:
  void answer();
};
