#pragma once
// "Mot de passe": the tablets' password. Shows the current one, takes the
// new one in Edit1; Enter (OK) gives it, Esc changes nothing.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TForm94 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm94(QWidget* parent = nullptr);
  // The password shown as the old one ("Mot de passe vide..." when empty).
  void setCurrentPassword(const QString& password);
  QString typedPassword() const;

  QLabel* Label3;
  QLineEdit* Edit1;
  QPushButton* Button1;
  QPlainTextEdit* Memo1;

 protected:
  void showEvent(QShowEvent* event) override;
};
