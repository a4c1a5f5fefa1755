#pragma once
// Frequency sheets: complete ("\&Complètes", 1) or simplified ("\&Simplifiées", 2); Esc answers 0. A note says a PDF may be made.
#include "scoring/ui/ChoiceDialog.h"

class TForm24 : public scoring_ui::HintedChoiceDialog {
  Q_OBJECT
 public:
  explicit TForm24(QWidget* parent = nullptr);
};
