#pragma once
// The common part of the scoring's small question windows: a label, buttons
// that each give an answer code, a default button for Enter, a cancel code
// for Esc and the close box, and the buttons' underlined letters answering
// without Alt, as the director types them.
#include "core/Interaction.h"

#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;
class QHBoxLayout;
class QVBoxLayout;

namespace scoring_ui {

class ChoiceDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ChoiceDialog(QWidget* parent = nullptr);

  // Shows the question modally and returns the answer code.
  int ask(const ui::Choice& choice);

  QLabel* label() const { return label_; }
  QList<QPushButton*> buttons() const { return buttons_; }

 protected:
  // Lays the question out before it is shown; subclasses fill their own
  // controls from choice.extra.
  virtual void prepare(const ui::Choice& choice);
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override;

  QVBoxLayout* body_ = nullptr;  // controls between the label and the buttons

 private:
  QLabel* label_ = nullptr;
  QHBoxLayout* buttonRow_ = nullptr;
  QList<QPushButton*> buttons_;
  QList<int> codes_;
  int cancelCode_ = 0;
};

// A question with a hint under its label (choice.extra "hint", hidden when
// there is none) and, with Note::Pdf, the note that a PDF may be made.
class HintedChoiceDialog : public ChoiceDialog {
  Q_OBJECT
 public:
  enum class Note { None, Pdf };
  explicit HintedChoiceDialog(QWidget* parent = nullptr, Note note = Note::None);

 protected:
  void prepare(const ui::Choice& choice) override;

 private:
  QLabel* hint_ = nullptr;
};

// The letter after "&" in a caption, upper-cased; null when there is none.
QChar MnemonicLetter(const QString& caption);

}  // namespace scoring_ui
