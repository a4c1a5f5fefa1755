#pragma once
// The publishing's small question windows: "Avertissement" (TForm78, replace
// the files of the same date), "Message" (TForm80, start the upload program;
// TForm103, go on without Internet) and "Fonctions BridgeWebs" (TForm87).
// Their buttons are named Button1, Button2, ... in order.
#include "scoring/ui/ChoiceDialog.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

class PublishingDialog : public scoring_ui::ChoiceDialog {
  Q_OBJECT
 public:
  PublishingDialog(const QString& name, QWidget* parent);

 protected:
  void prepare(const ui::Choice& choice) override;
};

class TForm78 : public PublishingDialog {
  Q_OBJECT
 public:
  explicit TForm78(QWidget* parent = nullptr);

 protected:
  void prepare(const ui::Choice& choice) override;

 private:
  QLineEdit* edit1_ = nullptr;
};

class TForm80 : public PublishingDialog {
  Q_OBJECT
 public:
  explicit TForm80(QWidget* parent = nullptr);

 protected:
  void prepare(const ui::Choice& choice) override;

 private:
  QPlainTextEdit* memo_ = nullptr;
};

class TForm87 : public PublishingDialog {
  Q_OBJECT
 public:
  explicit TForm87(QWidget* parent = nullptr);
};

class TForm103 : public PublishingDialog {
  Q_OBJECT
 public:
  explicit TForm103(QWidget* parent = nullptr);
};

// Registers these windows, TForm77 and TForm79 with the window interaction,
// and opens web addresses with the desktop's browser.
void RegisterPublishingDialogs();
