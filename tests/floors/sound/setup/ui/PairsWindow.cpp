#include "setup/ui/PairsWindow.h"
#include "core/State.h"
