#pragma once
// TForm90 "Message pour l'arbitre": the Arrow Switch reminder, shown beside
// the tournament menu without waiting. "OK (Enter)" closes it.
#include <QDialog>

class QPlainTextEdit;
class QPushButton;

class TForm90 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm90(QWidget* parent = nullptr);
  ~TForm90() override;

  QPlainTextEdit* Memo1;
  QPushButton* Button1;

 protected:
  void showEvent(QShowEvent* event) override;
};
