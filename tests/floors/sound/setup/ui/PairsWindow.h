#pragma once
#include "setup/Pairs.h"
