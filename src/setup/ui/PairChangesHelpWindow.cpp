#include "setup/ui/PairChangesHelpWindow.h"

#include "core/FormNames.h"

TForm57::TForm57(QWidget* parent)
    : HelpDialog(forms::PairChangesHelp, QStringLiteral("Aide"), QStringLiteral("&OK"), {}, parent) {
  setText(PairsHelpText(true));
}
