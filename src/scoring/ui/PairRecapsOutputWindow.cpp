#include "scoring/ui/PairRecapsOutputWindow.h"

#include "core/FormNames.h"

TForm29::TForm29(QWidget* parent) : HintedChoiceDialog(parent, Note::Pdf) {
  setObjectName(forms::PairRecapsOutput);
}
