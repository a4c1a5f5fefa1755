#pragma once
// "Nombre de paires": the number of pairs of the quick creation, typed in
// Edit1 or chosen in the drop-down (3 to 42), which closes the window at
// once. Enter or "&OK" answer the text; Esc answers nothing.
#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TForm11 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm11(QWidget* parent = nullptr);
  std::optional<QString> ask();

  QLabel* Label1;
  QLineEdit* Edit1;
  QComboBox* ComboBox1;
  QPushButton* Button1;
};
