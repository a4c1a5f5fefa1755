#pragma once
// "Choix du tournoi ": a list with heading lines set by the caller. "&OK"
// (default, Enter) or a double-click answers the highlighted line's position
// + 1 (0 when none); Esc and the close box answer 0. The caller's current
// line is highlighted when the window opens.
#include "core/Interaction.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class QVBoxLayout;

class TForm83 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm83(QWidget* parent = nullptr);
  // Shows the list modally. The answer counts in choice.lines as given, even
  // when the window shows them sorted.
  int ask(const ui::ListChoice& choice);

  QVBoxLayout* Headings;
  QListWidget* ListBox1;
  QPushButton* Button1;
  QLabel* Hint;

 private:
  int selectedAnswer() const;
};
