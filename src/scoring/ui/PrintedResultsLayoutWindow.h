#pragma once
// "Impression": separate ("&Séparés", default, 1) or merged ("&Fusionnés", 2)
// lists in the printed results; Esc answers 0.
#include "scoring/ui/ChoiceDialog.h"

class QLabel;

class TForm18 : public scoring_ui::ChoiceDialog {
  Q_OBJECT
 public:
  explicit TForm18(QWidget* parent = nullptr);

 protected:
  void prepare(const ui::Choice& choice) override;

 private:
  QLabel* hint_ = nullptr;
};
