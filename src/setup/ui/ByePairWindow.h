#pragma once
// "Choix de la paire BYE": where the absent pair of an odd number of pairs
// goes (direction, highest number or a number typed) and whether the choice
// is kept for the next tournaments. "OK", Enter and the close box answer
// what the window shows.
#include "setup/Pairs.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TForm71 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm71(QWidget* parent = nullptr);
  ByeWindowState ask(const ByeWindowState& offered);

  QRadioButton* NorthSouth;
  QRadioButton* EastWest;
  QCheckBox* CheckBox1;
  QLineEdit* Edit1;
  QCheckBox* CheckBox2;
  QPushButton* Button1;

 private:
  ByeWindowState state() const;
};
