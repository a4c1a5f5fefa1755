#pragma once
// "Affichage": separate ("&Séparés", default, 1) or merged ("&Fusionnés", 2)
// lists in the results window; Esc answers 0.
#include "scoring/ui/ChoiceDialog.h"

class TForm16 : public scoring_ui::HintedChoiceDialog {
  Q_OBJECT
 public:
  explicit TForm16(QWidget* parent = nullptr);
};
