#pragma once
// "Question": a text typed by the director, the offered text in the field.
// "&OK" (default) answers the field; Esc and the close box cancel.
#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

class TForm40 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm40(QWidget* parent = nullptr);
  std::optional<QString> ask(const QString& caption, const QString& question, const QString& offered);

  QLabel* Label1;
  QLineEdit* Edit1;
  QPushButton* Button1;
};
