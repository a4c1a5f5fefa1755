#pragma once
// Printed pair recaps: one pair at a time (1) or all pairs (2); "Esc/Echap = Rien" and Esc answer 0.
#include "scoring/ui/ChoiceDialog.h"

class QLabel;

class TForm42 : public scoring_ui::ChoiceDialog {
  Q_OBJECT
 public:
  explicit TForm42(QWidget* parent = nullptr);

 protected:
  void prepare(const ui::Choice& choice) override;

 private:
  QLabel* hint_ = nullptr;
};
