#pragma once
// "Choisissez": the list chooser with incremental search. Typed characters
// select the first line that begins with them; Left or Delete take back the
// last one (while two or more are typed). Enter, "&OK", a double-click or the
// close box answer the selected line's position + 1 (0 when none); Esc
// answers 0.
#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

class TForm82 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm82(QWidget* parent = nullptr);
  int ask(const QString& caption, const QStringList& lines);
  const QString& typedText() const { return typed_; }

  QListWidget* ListBox1;
  QPushButton* Button1;
  QLabel* Label1;

 public slots:
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  int selectedAnswer() const;
  void selectFirstMatch();
  QString typed_;
};
