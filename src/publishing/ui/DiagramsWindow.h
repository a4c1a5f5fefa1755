#pragma once
// TForm64 "Diagrammes": the deal diagrams under the movement title, with its
// own taskbar button. "OK" and Esc answer 0, "Imprimer au format TEXTE" 1,
// "Imprimer au format WYSIWYG" 2; each closes the window.
#include <QDialog>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TForm64 : public QDialog {
  Q_OBJECT

 public:
  TForm64();
  // Shows the diagrams modally and answers the button's code.
  int ask(const QString& title, const QStringList& diagrams);

  QLabel* Label1;
  QPlainTextEdit* Memo1;
  QPushButton* Button1;
  QPushButton* Button2;
  QPushButton* Button3;
  QLabel* Label2;
  QLabel* Label3;
};
