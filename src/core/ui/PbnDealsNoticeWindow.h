#pragma once
// "Info": the reminder of the deals read from a PBN file, with the box
// "Dorénavant, ne plus afficher" that writes or deletes its marker file.
// "OK (ENTER/ESC)", Enter and Esc close it.
#include <QDialog>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

class TForm88 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm88(QWidget* parent = nullptr);
  void setText(const QString& text);

  QPlainTextEdit* Memo1;
  QCheckBox* CheckBox1;
  QPushButton* Button1;

 protected:
  void showEvent(QShowEvent* event) override;
};
