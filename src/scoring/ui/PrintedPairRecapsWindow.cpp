#include "scoring/ui/PrintedPairRecapsWindow.h"

#include "core/FormNames.h"

TForm42::TForm42(QWidget* parent) : HintedChoiceDialog(parent, Note::None) {
  setObjectName(forms::PrintedPairRecaps);
}
