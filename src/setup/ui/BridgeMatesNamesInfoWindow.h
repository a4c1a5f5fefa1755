#pragma once
// "Info sur l'introduction des noms des paires" with BridgeMates: "Ne plus
// afficher" writes or deletes "MSG1.TXT".
#include "setup/ui/HelpDialog.h"

class TForm86 : public HelpDialog {
  Q_OBJECT
 public:
  explicit TForm86(QWidget* parent = nullptr);
};
