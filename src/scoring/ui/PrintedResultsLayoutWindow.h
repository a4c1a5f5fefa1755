#pragma once
// "Impression": separate ("&Séparés", default, 1) or merged ("&Fusionnés", 2)
// lists in the printed results; Esc answers 0.
#include "scoring/ui/ChoiceDialog.h"

class TForm18 : public scoring_ui::HintedChoiceDialog {
  Q_OBJECT
 public:
  explicit TForm18(QWidget* parent = nullptr);
};
