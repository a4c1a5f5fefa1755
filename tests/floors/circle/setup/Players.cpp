#include "setup/Players.h"
#include "setup/Pairs.h"
