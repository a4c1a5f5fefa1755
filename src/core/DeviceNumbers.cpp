#include "core/DeviceNumbers.h"

#include "core/Globals.h"

int DeviceEwNumber(int ewPair) {
  return MitchellNumbering && ResultsPerBoard > 0 && ewPair > ResultsPerBoard ? ewPair - ResultsPerBoard : ewPair;
}

int ProgramEwNumber(int ewPair) {
  return MitchellNumbering && ewPair > 0 && ewPair <= ResultsPerBoard ? ewPair + ResultsPerBoard : ewPair;
}
