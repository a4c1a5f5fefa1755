#pragma once
// STAND-IN, to be deleted when the pair checks of the pairs entry are merged:
// the movement choice needs CheckPairs and PairTableCounts. This header and
// StandInPairChecks.cpp go; the includes then name the real header.

// PairCount := CountPairs, PairSlotCount := PairCount rounded up to even,
// ResultsPerBoard := PairSlotCount / 2; "Ce programme accepte au minimum 4
// paires!" and false below 4 pair slots.
bool PairTableCounts();
// The checks made before a movement is chosen: counts, as many N/S as E/W,
// at most one BYE (ByePresent, ByePairNumber). ok false after the message.
void CheckPairs(bool& ok);
