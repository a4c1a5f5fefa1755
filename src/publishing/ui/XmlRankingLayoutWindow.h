#pragma once
// "Affichage": merged or separate rankings of a Mitchell in the XML file,
// and whether to remember the choice. Its answer is the item chosen + 1,
// plus 10 when "Sauver votre choix" is ticked.
#include "core/Interaction.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QRadioButton;

class TForm79 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm79(QWidget* parent = nullptr);
  int ask(const ui::Choice& choice);

 private:
  QGroupBox* group_ = nullptr;
  QRadioButton* items_[2] = {};
  QCheckBox* save_ = nullptr;
};
