#include "setup/ui/PairsEntryHelpWindow.h"

#include "core/FormNames.h"

TForm84::TForm84(QWidget* parent)
    : HelpDialog(forms::PairsEntryHelp, QStringLiteral("Aide"), QStringLiteral("&OK"), {}, parent) {
  setText(PairsHelpText(false));
}
