#pragma once
// "Sauts de page": whether the printed results break the page between the
// N/S and the E/W lists ("never" answers 2, "always" 1, Esc 0). Either
// button, with "Mémoriser ce choix..." checked, keeps the answer in
// "SautAutomatique.TXT"; unchecked, it deletes that file.
#include "scoring/ui/ChoiceDialog.h"

class QCheckBox;
class QPlainTextEdit;

class TForm113 : public scoring_ui::ChoiceDialog {
  Q_OBJECT
 public:
  explicit TForm113(QWidget* parent = nullptr);
  void done(int code) override;

  QCheckBox* CheckBox1;
  QPlainTextEdit* Memo1;

 protected:
  void prepare(const ui::Choice& choice) override;
};
