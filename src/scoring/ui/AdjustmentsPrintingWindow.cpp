#include "scoring/ui/AdjustmentsPrintingWindow.h"

#include "core/FormNames.h"

TForm21::TForm21(QWidget* parent) : ChoiceDialog(parent) { setObjectName(forms::AdjustmentsPrinting); }
