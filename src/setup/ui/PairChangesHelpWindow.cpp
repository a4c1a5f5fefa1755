#include "setup/ui/PairChangesHelpWindow.h"

TForm57::TForm57(QWidget* parent)
    : HelpDialog(QStringLiteral("TForm57"), QStringLiteral("Aide"), QStringLiteral("&OK"), {}, parent) {
  setText(PairsHelpText(true));
}
