#pragma once
// TForm106 "Aide": how the diagrams are read from PBN files. OK, Enter and
// Esc close it.
#include <QDialog>

class QPlainTextEdit;
class QPushButton;

class TForm106 : public QDialog {
  Q_OBJECT

 public:
  TForm106();

  QPlainTextEdit* Memo1;
  QPushButton* Button1;
};
