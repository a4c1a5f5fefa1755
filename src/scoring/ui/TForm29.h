#pragma once
// Pair recaps: shown ("\&Afficher", 1) or printed ("\&Imprimer", 2); Esc answers 0. A note says a PDF may be made.
#include "scoring/ui/ChoiceDialog.h"

class QLabel;

class TForm29 : public scoring_ui::ChoiceDialog {
  Q_OBJECT
 public:
  explicit TForm29(QWidget* parent = nullptr);

 protected:
  void prepare(const ui::Choice& choice) override;

 private:
  QLabel* hint_ = nullptr;
};
