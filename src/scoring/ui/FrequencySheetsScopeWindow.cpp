#include "scoring/ui/FrequencySheetsScopeWindow.h"

#include "core/FormNames.h"

TForm23::TForm23(QWidget* parent) : HintedChoiceDialog(parent, Note::None) {
  setObjectName(forms::FrequencySheetsScope);
}
