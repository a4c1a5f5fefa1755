#pragma once
// TForm2 "Paramètres": the date, name and code of a new tournament, shown by
// the start screen's new-tournament button. OK goes on to the pairs entry;
// "Retour au menu" goes back to the start screen; the quit button and Esc run
// the quit routine.
#include "setup/Parameters.h"
#include "setup/ui/ParameterFields.h"

class QButtonGroup;
class QPushButton;

class TForm2 : public setup_ui::ParametersForm {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* parent = nullptr);
  ~TForm2() override;

  const ParametersView& view() const { return view_; }

  QButtonGroup* RadioGroup1;
  QPushButton* OK;
  QPushButton* Button1;
  QPushButton* BitBtn2;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void applyView() override;
  void codeLeft() override;

 private:
  ParametersView view_;
  bool centred_ = false;
};
