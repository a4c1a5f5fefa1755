#include "scoring/ui/TForm23.h"

TForm23::TForm23(QWidget* parent) : HintedChoiceDialog(parent, Note::None) {
  setObjectName(QStringLiteral("TForm23"));
}
