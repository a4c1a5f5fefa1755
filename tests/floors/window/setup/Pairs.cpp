#include "setup/Pairs.h"
#include "setup/ui/PairsWindow.h"
