#include "scoring/ui/PrintedPairRecapsWindow.h"

TForm42::TForm42(QWidget* parent) : HintedChoiceDialog(parent, Note::None) {
  setObjectName(QStringLiteral("TForm42"));
}
