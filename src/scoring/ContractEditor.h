#pragma once
// The contract editor of federation tournaments, a companion program started
// through the companion programs' layer.
#include "devices/Companions.h"
