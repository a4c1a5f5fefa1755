#include "setup/ui/BridgeMatesNamesInfoWindow.h"

#include "setup/PairsEntry.h"

TForm86::TForm86(QWidget* parent)
    : HelpDialog(QStringLiteral("TForm86"), kPairsInfoCaption, QStringLiteral("&OK ou ESC"), &SetPairsEntryInfoHidden, parent) {}
