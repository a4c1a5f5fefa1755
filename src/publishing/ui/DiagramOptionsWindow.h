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

  QLabel* title;
  QLabel* pbnFolder;
  QGroupBox* RadioGroup2;
  QButtonGroup* Items;
  QLabel* nameLabel;
  QLineEdit* Edit2;
  QLabel* namePlace;  // where the named file is looked for
  QPushButton* Button8;
  QLabel* helpLink;
  QLabel* dealer4Hint;
  QPushButton* Button1;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showNameField(bool visible);
  void nameFieldLeft();
  QString shownName_;
};
