#pragma once
// Pair recaps: shown ("\&Afficher", 1) or printed ("\&Imprimer", 2); Esc answers 0. A note says a PDF may be made.
#include "scoring/ui/ChoiceDialog.h"

class TForm29 : public scoring_ui::HintedChoiceDialog {
  Q_OBJECT
 public:
  explicit TForm29(QWidget* parent = nullptr);
};
