#pragma once
// "Entame": the opening lead, one rank and one suit, by keyboard or mouse in
// any order. ask() gives rank + suit, or "" when the lead is unknown.
#include <QDialog>
#include <QPoint>

class QLabel;
class QLineEdit;
class QPushButton;
class TForm99;

class TForm98 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm98(QWidget* parent = nullptr);
  ~TForm98() override;

  QString ask();
  // Puts text into a field, shown as chosen (red on yellow).
  void InsererTexte(QLineEdit* field, const QString& text);

  QLineEdit* rankField;
  QLineEdit* suitField;
  QPushButton* okButton;
  QPushButton* unknownButton;
  QLabel* LabelHelp;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void reject() override;

 private:
  void okClick();
  void showHelp();
  void closeHelp();
  TForm99* help_ = nullptr;
  QPoint sheetCorner_;  // the score sheet's top-left corner
};
