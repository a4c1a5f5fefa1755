#pragma once
// TForm59 "Confirmation?": "Vraiment quitter le programme?" with "&OK" (1)
// and "&Annuler = ESC" (0). One beep when it comes up, the focus on "&OK".
// Answers the questions of form forms::QuitConfirmation while it exists.
#include "core/Interaction.h"

#include <QDialog>

class QLabel;
class QPushButton;

class TForm59 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm59(QWidget* parent = nullptr);
  ~TForm59() override;

  int ask(const ui::Choice& choice);

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QLabel* label_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};
