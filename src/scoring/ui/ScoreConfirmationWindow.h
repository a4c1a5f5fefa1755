#pragma once
// "Résultat": the score of a contract just typed, to be confirmed. "&OK"
// (Enter) answers 1; "ESC/Echap= &Annuler" and Esc answer 0.
#include "scoring/ui/ChoiceDialog.h"

class TForm60 : public scoring_ui::ChoiceDialog {
  Q_OBJECT
 public:
  explicit TForm60(QWidget* parent = nullptr);

 protected:
  void prepare(const ui::Choice& choice) override;
};
