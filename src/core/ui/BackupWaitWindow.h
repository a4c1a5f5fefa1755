#pragma once
// TForm110 "Attente": "Backup en cours..." shown, without waiting, while the
// quit copies the tournament into the backup folder, with the hourglass. It
// is the notice window of form forms::BackupWait while it exists.
#include <QDialog>

class TForm110 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm110(QWidget* parent = nullptr);
  ~TForm110() override;

  void showWaiting(bool shown);

 private:
  bool waiting_ = false;
};
