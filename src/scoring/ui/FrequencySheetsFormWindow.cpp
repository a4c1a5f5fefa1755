#include "scoring/ui/FrequencySheetsFormWindow.h"

TForm24::TForm24(QWidget* parent) : HintedChoiceDialog(parent, Note::Pdf) {
  setObjectName(QStringLiteral("TForm24"));
}
