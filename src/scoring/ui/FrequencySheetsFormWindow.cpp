#include "scoring/ui/FrequencySheetsFormWindow.h"

#include "core/FormNames.h"

TForm24::TForm24(QWidget* parent) : HintedChoiceDialog(parent, Note::Pdf) {
  setObjectName(forms::FrequencySheetsForm);
}
