#pragma once
// TForm85 "Choix du diagramme": the PBN files of the PBN folder, sorted.
// "&OK" (default) or a double-click answers the selected line's position + 1
// (0 when none); "Autre choix..." answers kOtherPbnFile; Esc answers 0.
#include "core/Interaction.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

class TForm85 : public QDialog {
  Q_OBJECT

 public:
  TForm85();
  int ask(const ui::ListChoice& choice);

  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* folderLabel;
  QListWidget* ListBox1;
  QPushButton* otherChoiceButton;
  QPushButton* okButton;

 protected:

 private:
  int selectedAnswer() const;
};
