#pragma once
#include "core/ResultSlots.h"
#include "support/TestSlots.h"

// The result slots as a test sets them up directly, past the owner's
// operations; the one place tests write a slot's array.
struct ResultSlotsFixture {
  static ResultSlotArrays& arrays() { return ResultSlots::arrays_; }
};
inline ResultSlotArrays& TestSlots() { return ResultSlotsFixture::arrays(); }
