#pragma once
#include "core/FormNames.h"
// "Message": the reminders of the skip in a Mitchell with an even number of
// tables, shown by the table-sheet round loop before the round that precedes
// the skip (TForm62) and after it (TForm63). A red title, the memo, and
// "OK (ESC)"; the button, Enter and Esc close it.
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class SkipReminder : public QDialog {
  Q_OBJECT
 public:
  SkipReminder(const QString& objectName, QWidget* parent = nullptr);
  void setLines(const QString& title, const QStringList& lines);

  QLabel* Label1;
  QPlainTextEdit* Memo1;
  QPushButton* Button1;

 protected:
  void showEvent(QShowEvent* event) override;
};

class TForm62 : public SkipReminder {
  Q_OBJECT
 public:
  explicit TForm62(QWidget* parent = nullptr) : SkipReminder(forms::SkipReminderBefore, parent) {}
};

class TForm63 : public SkipReminder {
  Q_OBJECT
 public:
  explicit TForm63(QWidget* parent = nullptr) : SkipReminder(forms::SkipReminderAfter, parent) {}
};
