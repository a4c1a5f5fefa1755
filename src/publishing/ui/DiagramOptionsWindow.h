#pragma once
// TForm107 "Options des diagrammes": how the PBN file of a session is found
// (each change written at once), the fixed file name of option 4, the PBN
// folder window (TForm92) and the help (TForm106).
#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TForm107 : public QDialog {
  Q_OBJECT

 public:
  TForm107();

  QLabel* Label1;     // the title
  QLabel* Label2;     // the PBN folder
  QGroupBox* RadioGroup2;
  QButtonGroup* Items;
  QLabel* Label5;     // name field's label
  QLineEdit* Edit2;
  QLabel* Label6;     // where the named file is looked for
  QPushButton* Button8;
  QLabel* Label8;     // "Aide?"
  QLabel* Label9;     // the Dealer4 hint
  QPushButton* Button1;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showNameField(bool visible);
  void nameFieldLeft();
  QString shownName_;
};
