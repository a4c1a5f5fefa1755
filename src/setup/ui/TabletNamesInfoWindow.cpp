#include "setup/ui/TabletNamesInfoWindow.h"

#include "core/FormNames.h"
#include "setup/PairsEntry.h"

TForm67::TForm67(QWidget* parent)
    : HelpDialog(forms::TabletNamesInfo, kPairsInfoCaption, QStringLiteral("&OK ou ESC"), &SetPairsEntryInfoHidden, parent) {}
