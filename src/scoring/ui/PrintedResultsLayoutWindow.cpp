#include "scoring/ui/PrintedResultsLayoutWindow.h"

#include "core/FormNames.h"

TForm18::TForm18(QWidget* parent) : HintedChoiceDialog(parent) {
  setObjectName(forms::PrintedResultsLayout);
}
