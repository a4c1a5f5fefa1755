#include "scoring/ui/AdjustmentsPrintingWindow.h"

TForm21::TForm21(QWidget* parent) : ChoiceDialog(parent) { setObjectName(QStringLiteral("TForm21")); }
