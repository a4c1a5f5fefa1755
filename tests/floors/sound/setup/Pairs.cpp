#include "setup/Pairs.h"
