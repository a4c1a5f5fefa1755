#pragma once
// "Arbitre": the director and the scorer shown on the web page, and the
// layout of a Mitchell's ranking (merged or separate N/S and E/W lists).
// Its answer is the item chosen + 1; the fields go back to Form77Fields.
#include "core/Interaction.h"

#include <QDialog>

class QLineEdit;
class QGroupBox;
class QRadioButton;
class QPushButton;

class TForm77 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm77(QWidget* parent = nullptr);
  int ask(const ui::Choice& choice);

 private:
  QLineEdit* edit1_ = nullptr;
  QLineEdit* edit2_ = nullptr;
  QGroupBox* group_ = nullptr;
  QRadioButton* items_[2] = {};
  QPushButton* ok_ = nullptr;
};
