#pragma once
// "Info sur l'introduction des noms des paires" with tablets: "Ne plus
// afficher" writes or deletes "MSG1.TXT".
#include "setup/ui/HelpDialog.h"

class TForm67 : public HelpDialog {
  Q_OBJECT
 public:
  explicit TForm67(QWidget* parent = nullptr);
};
