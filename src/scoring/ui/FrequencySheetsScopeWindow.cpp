#include "scoring/ui/FrequencySheetsScopeWindow.h"

TForm23::TForm23(QWidget* parent) : HintedChoiceDialog(parent, Note::None) {
  setObjectName(QStringLiteral("TForm23"));
}
