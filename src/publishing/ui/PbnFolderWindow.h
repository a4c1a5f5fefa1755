#pragma once
// TForm92 "Dossier des diagrammes des étuis (PBN)": the PBN folder.
// "Modifier" picks another one; "OK" (default) writes the folder shown and
// closes; "Ne rien changer" and Esc close without writing.
#include <QDialog>

class QLabel;
class QPushButton;

class TForm92 : public QDialog {
  Q_OBJECT

 public:
  TForm92();

  QLabel* Label1;
  QLabel* folderLabel;
  QPushButton* Button1;
  QPushButton* Button2;
  QPushButton* Button3;

 protected:
  void showEvent(QShowEvent* event) override;
};
