#include "setup/ui/PairsEntryHelpWindow.h"

TForm84::TForm84(QWidget* parent)
    : HelpDialog(QStringLiteral("TForm84"), QStringLiteral("Aide"), QStringLiteral("&OK"), {}, parent) {
  setText(PairsHelpText(false));
}
