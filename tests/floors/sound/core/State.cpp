#include "core/State.h"
