#include "flows/Menu.h"
