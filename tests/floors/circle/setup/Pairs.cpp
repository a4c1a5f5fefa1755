#include "setup/Pairs.h"
#include "setup/Players.h"
