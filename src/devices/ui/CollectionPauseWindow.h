#pragma once
// "Arrêt de la récupération des résultats": whether the director pauses the
// collection of the devices' results. "Oui" (Enter) answers 1, "Non" and Esc
// answer 2.
#include <QDialog>

class QLabel;
class QPushButton;

class TForm66 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm66(QWidget* parent = nullptr);
  // The answer given (1 yes, 2 no).
  int answer() const { return answer_; }

  QLabel* Memo1;
  QPushButton* Button1;
  QPushButton* Button2;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void close(int answer);
  int answer_ = 2;
};
