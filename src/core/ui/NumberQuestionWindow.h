#pragma once
// "Réponse": a number typed by the director. "&OK" (default) with an empty
// field answers "0"; Esc and the close box cancel (the field then holds "0").
#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

class TForm25 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm25(QWidget* parent = nullptr);
  // Shows the question modally: the text of the field, or nothing when cancelled.
  std::optional<QString> ask(const QString& caption, const QString& question, const QString& offered);

  QLabel* Label1;
  QLineEdit* Edit1;
  QPushButton* Button1;
  QLabel* Label2;

 public slots:
  void reject() override;

 private:
  void okClick();
};
