#pragma once
// "Vérification des marques": the list of the results still missing, in a
// memo, with a label and one or two buttons ("&OK / ESC", or "&Non" and
// "&Oui / ESC" under "On continue quand même?").
#include "scoring/ui/ChoiceDialog.h"

class QPlainTextEdit;

class TForm15 : public scoring_ui::ChoiceDialog {
  Q_OBJECT
 public:
  explicit TForm15(QWidget* parent = nullptr);
  QPlainTextEdit* memo() const { return memo_; }

 protected:
  void prepare(const ui::Choice& choice) override;

 private:
  QPlainTextEdit* memo_ = nullptr;
};
