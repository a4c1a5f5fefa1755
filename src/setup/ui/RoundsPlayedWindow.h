#pragma once
// "Tours?": the rounds really played. "&OK" (Enter) answers the text typed;
// the state of CheckBox1 is left in RoundsQuestionSilenced; Esc acts as the
// quit button.
#include "core/Interaction.h"
#include "setup/ui/MovementDialogs.h"

class QCheckBox;
class QLineEdit;

class TForm6 : public setup_ui::QuitOnEscapeDialog {
  Q_OBJECT
 public:
  explicit TForm6(QWidget* parent = nullptr);
  QString ask(const ui::TextQuestion& question);

  QLabel* Label1;
  QLabel* Label2;
  QLineEdit* Edit1;
  QPushButton* Button1;
  QCheckBox* CheckBox1;
};
