#pragma once
// "Aide pour l'entame": how to give the opening lead; "OK" closes it.
#include <QDialog>

class TForm99 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm99(QWidget* parent = nullptr);
};
