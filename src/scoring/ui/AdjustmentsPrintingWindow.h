#pragma once
// "Question": whether to print the adjustments and penalties. "&Oui" answers
// 1; "ESC/Echap = &Non" and Esc answer 2.
#include "scoring/ui/ChoiceDialog.h"

class TForm21 : public scoring_ui::ChoiceDialog {
  Q_OBJECT
 public:
  explicit TForm21(QWidget* parent = nullptr);
};
