#pragma once
// TForm81 "Paramètres du tournoi": the date, name and code of a tournament
// whose pairs file was reloaded before it was ever started. Its OK takes the
// name and the code; the date typed goes back to the caller. Answers the
// questions of form forms::ReloadedTournamentParameters while it exists.
#include <QDialog>

#include <optional>

class QLineEdit;
class QPushButton;

class TForm81 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm81(QWidget* parent = nullptr);
  ~TForm81() override;

  // Shows the window modally; the date typed once OK was accepted.
  std::optional<QString> ask();

  QLineEdit* dateField;
  QLineEdit* nameField;
  QLineEdit* codeField;
  QPushButton* Button1;

 protected:
  void showEvent(QShowEvent* event) override;
};
