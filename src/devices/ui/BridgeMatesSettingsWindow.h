#pragma once
// "Paramètres pour BridgeMates": the scorers' settings. Only "OK" (or Enter)
// closes it, once the settings pass their checks; they are then saved.
#include "devices/BridgeMatesControl.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TForm104;
class TForm105;

class TForm93 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm93(QWidget* parent = nullptr);

  QCheckBox* CheckBox1;
  QCheckBox* CheckBox2;
  QCheckBox* CheckBox3;
  QCheckBox* CheckBox4;
  QGroupBox* RadioGroup1;
  QRadioButton* RadioItems[3];
  QLineEdit* Edit1;
  QPushButton* Button1;
  QLabel* Label5;  // "Aide?" beside the names setting
  QLabel* Label7;  // "<--- Aide?" beside the boxes

  void Button1Click();
  void Label5Click();
  void Label7Click();

 public slots:
  void reject() override;  // Esc does not close it

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void applyView(const BridgeMatesParamsView& view);
  BridgeMatesParamsView readView() const;
  TForm104* help104_ = nullptr;
  TForm105* help105_ = nullptr;
};
