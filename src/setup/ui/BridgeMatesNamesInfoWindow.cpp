#include "setup/ui/BridgeMatesNamesInfoWindow.h"

#include "core/FormNames.h"
#include "setup/PairsEntry.h"

TForm86::TForm86(QWidget* parent)
    : HelpDialog(forms::BridgeMatesNamesInfo, kPairsInfoCaption, QStringLiteral("&OK ou ESC"), &SetPairsEntryInfoHidden, parent) {}
