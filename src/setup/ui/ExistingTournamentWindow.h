#pragma once
// TForm3 "Message": the question asked when a tournament of the code typed
// exists. Each button answers its code (ExistingTournamentAnswer); the quit
// button, Esc and the close box answer 0 (the quit routine). Answers the
// questions of form forms::ExistingTournament while it exists.
#include "core/Interaction.h"

#include <QDialog>

class QLabel;
class QPushButton;

class TForm3 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm3(QWidget* parent = nullptr);
  ~TForm3() override;

  int ask(const ui::Choice& choice);

  QLabel* heading;
  QPushButton* Button1;
  QPushButton* Button2;
  QPushButton* Button3;
  QPushButton* Button6;
  QPushButton* Button5;
  QPushButton* BitBtn2;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  int answer_ = 0;
};
