#pragma once
// "Type de Mitchell": skip at half-time (Button1, default, answer 1) or a
// relay table (Button2, answer 2); CheckBox1 "Mémoriser ce choix" is left in
// MitchellTypeRemembered. Esc and the quit button quit the program.
#include "core/Interaction.h"
#include "setup/ui/MovementDialogs.h"

class QCheckBox;

class TForm8 : public setup_ui::QuitOnEscapeDialog {
  Q_OBJECT
 public:
  explicit TForm8(QWidget* parent = nullptr);
  int ask(const ui::Choice& choice);

  QPushButton* Button1;
  QPushButton* Button2;
  QCheckBox* CheckBox1;
  QLabel* Label6;
  QLabel* Label7;
  QPushButton* BitBtn1;
};
