#include "setup/ui/TabletNamesInfoWindow.h"

#include "setup/PairsEntry.h"

TForm67::TForm67(QWidget* parent)
    : HelpDialog(QStringLiteral("TForm67"), kPairsInfoCaption, QStringLiteral("&OK ou ESC"), &SetPairsEntryInfoHidden, parent) {}
