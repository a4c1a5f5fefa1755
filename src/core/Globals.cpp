#include "core/Globals.h"

void ResetGlobals() {
#define TALVARON_RESET_GLOBAL(Name, Initial, ...) Name = __VA_ARGS__{Initial};
  TALVARON_GLOBALS(TALVARON_RESET_GLOBAL)
#undef TALVARON_RESET_GLOBAL
  ResultSlots::Reset();
}
