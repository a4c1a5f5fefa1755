#pragma once
// "Récapitulatif par paires": one pair's recap beside the menu, without
// blocking. Its button, Enter, Esc and the key O close it and ask the next
// pair.
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TForm43 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm43(QWidget* parent = nullptr);
  // Shows the window in front with an empty memo.
  void open();
  void fill(const QStringList& lines);

  QPlainTextEdit* Memo1;
  QLabel* Label1;
  QLabel* Label2;
  QPushButton* Button1;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void next();
};

// Makes the recaps shown on screen use the one viewer.
void InstallRecapViewer();
