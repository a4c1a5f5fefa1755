#pragma once
// TForm108 "Avertissement": a tournament played today and not complete is
// being reloaded; "Je suis d'accord" (Enter) answers 1, "Retour au menu"
// (Esc, the close box) 2. Answers the questions of form forms::UnfinishedTournamentWarning.
#include "core/Interaction.h"

#include <QDialog>

class QLabel;
class QPushButton;

class TForm108 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm108(QWidget* parent = nullptr);
  ~TForm108() override;

  int ask(const ui::Choice& choice);

 private:
  QLabel* label_ = nullptr;
  QPushButton* agree_ = nullptr;
  QPushButton* back_ = nullptr;
};
