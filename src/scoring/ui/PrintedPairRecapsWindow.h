#pragma once
// Printed pair recaps: one pair at a time (1) or all pairs (2); "Esc/Echap = Rien" and Esc answer 0.
#include "scoring/ui/ChoiceDialog.h"

class TForm42 : public scoring_ui::HintedChoiceDialog {
  Q_OBJECT
 public:
  explicit TForm42(QWidget* parent = nullptr);
};
