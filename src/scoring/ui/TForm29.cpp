#include "scoring/ui/TForm29.h"

TForm29::TForm29(QWidget* parent) : HintedChoiceDialog(parent, Note::Pdf) {
  setObjectName(QStringLiteral("TForm29"));
}
