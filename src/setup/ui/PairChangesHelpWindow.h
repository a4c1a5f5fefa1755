#pragma once
// "Aide" of the pair changes during play.
#include "setup/ui/HelpDialog.h"

class TForm57 : public HelpDialog {
  Q_OBJECT
 public:
  explicit TForm57(QWidget* parent = nullptr);
};
