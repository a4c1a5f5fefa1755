#pragma once
// Frequency sheets: one board at a time ("\&Une à la fois", 1) or all of them ("\&Toutes", 2); Esc answers 0.
#include "scoring/ui/ChoiceDialog.h"

class TForm23 : public scoring_ui::HintedChoiceDialog {
  Q_OBJECT
 public:
  explicit TForm23(QWidget* parent = nullptr);
};
