#pragma once
// What the movement windows share: a dialog whose Esc and close box act as
// its quit button (the program's quit, which may be declined: the window
// then stays open).
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace setup_ui {

class QuitOnEscapeDialog : public QDialog {
  Q_OBJECT
 public:
  explicit QuitOnEscapeDialog(QWidget* parent = nullptr);

 protected:
  void reject() override;  // QuitProgram
  // A label of the window's text.
  QLabel* addLabel(const QString& name, const QString& text);
  // The quit button ("&Quitter"), which calls QuitProgram.
  QPushButton* addQuitButton(const QString& name);
  // The answer field (Edit1) and under it the centred "&OK" (Button1), which
  // accepts the window.
  void addAnswerField(QVBoxLayout* layout, QLineEdit*& edit, QPushButton*& ok);
  // Shows the window modally, centred, `offered` selected in the field;
  // returns the field's text when it closes.
  QString askAnswer(QLineEdit* edit, const QString& offered);
};

}  // namespace setup_ui
