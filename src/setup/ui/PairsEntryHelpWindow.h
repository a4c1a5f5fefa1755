#pragma once
// "Aide" of the pair-names entry, shown beside it.
#include "setup/ui/HelpDialog.h"

class TForm84 : public HelpDialog {
  Q_OBJECT
 public:
  explicit TForm84(QWidget* parent = nullptr);
};
