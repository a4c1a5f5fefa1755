#pragma once
// What the entry of results tells the table devices: the corrections sent to
// the BridgeMates (devices/BridgeMatesCorrections.h) and the tablets' result
// lines (devices/TabletLines.h).
#include "devices/BridgeMatesCorrections.h"
#include "devices/TabletLines.h"
