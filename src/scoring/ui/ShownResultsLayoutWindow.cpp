#include "scoring/ui/ShownResultsLayoutWindow.h"

#include "core/FormNames.h"

TForm16::TForm16(QWidget* parent) : HintedChoiceDialog(parent) {
  setObjectName(forms::ShownResultsLayout);
}
