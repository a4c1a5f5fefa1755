#pragma once
// TForm75 "Paramètres": the date, name and code of a federation tournament,
// shown by the start screen after the import with what the import found
// (movement, pairs, tables, BYE). OK starts the tournament; Esc and the close
// box run the quit routine.
#include "devices/FederationSetup.h"
#include "setup/ui/ParameterFields.h"

class QLabel;
class QPushButton;

class TForm75 : public setup_ui::ParametersForm {
  Q_OBJECT

 public:
  explicit TForm75(QWidget* parent = nullptr);
  ~TForm75() override;

  // Puts what the import found in place, then shows the window.
  void showSummary(const FederationSummary& summary);

  QLabel* TypeValue;
  QLabel* PairsValue;
  QLabel* TablesValue;
  QLabel* ByeValue;
  QLabel* PairsNote;
  QPushButton* OK;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void applyView() override;
  void codeLeft() override;

 private:
  FederationParametersView view_;
};
