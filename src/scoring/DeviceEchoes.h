#pragma once
// What the entry of results tells the BridgeMates database: corrected rows.
// They act only with BridgeMates; until that exchange is in place they do
// nothing. (The tablets' result lines are devices/TabletLines.h.)
#include "devices/TabletLines.h"

#include <QString>

// The result of slot sent to the BridgeMates database as corrected.
void AppendChangedResult(int slot);
// The result of slot sent to the BridgeMates database as not played.
void AppendNotPlayedResult(int slot);
// An adjusted score ("Arbitral score (60%-40%)") for slot, to the BridgeMates.
void AppendArbitralScore(int slot, const QString& remark);
