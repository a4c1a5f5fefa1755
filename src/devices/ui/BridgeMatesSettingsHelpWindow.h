#pragma once
// "Aide pour les paramètres des BridgeMates": what each setting of TForm93
// does. Shown without waiting; Esc, Enter or "&OK" close it.
#include <QDialog>

class QPushButton;

class TForm104 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm104(QWidget* parent = nullptr);
  QPushButton* Button1;
};
