#include "scoring/ui/TForm21.h"

TForm21::TForm21(QWidget* parent) : ChoiceDialog(parent) { setObjectName(QStringLiteral("TForm21")); }
