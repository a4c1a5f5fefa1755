#include "scoring/ui/PairRecapsOutputWindow.h"

TForm29::TForm29(QWidget* parent) : HintedChoiceDialog(parent, Note::Pdf) {
  setObjectName(QStringLiteral("TForm29"));
}
