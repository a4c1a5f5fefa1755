#pragma once
// "Etuis": the boards per table of a standard Mitchell. "&OK" (Enter)
// answers the text typed; Esc acts as the quit button.
#include "core/Interaction.h"
#include "setup/ui/MovementDialogs.h"

class QLineEdit;

class TForm7 : public setup_ui::QuitOnEscapeDialog {
  Q_OBJECT
 public:
  explicit TForm7(QWidget* parent = nullptr);
  QString ask(const ui::TextQuestion& question);

  QLineEdit* Edit1;
  QPushButton* Button1;
};
