#pragma once
// Frequencies: every result's matchpoints and percentages (or its Butler
// IMPs), the optional ventilation of incomplete boards, the director's
// adjustments of ".ADJ", and the check of the results still missing.
#include "core/SafeFiles.h"

#include <QString>

// Computes the frequencies of every board on the shared result arrays.
// FrequenciesComputed is set only when the pass completes: a pass stopped by
// the director (missing results) or by a board with a single result leaves
// it clear.
void ComputeFrequencies();
// The same in a recompute without windows: the files as share found them,
// and each pair's sums added up in share when they can be.
namespace scoring {
struct RecomputeShare;
}
void ComputeFrequencies(scoring::RecomputeShare* share);
// The frequencies of the collection, without any window (Interactive
// cleared): a board still in play is not ventilated, a board whose every
// result is in is computed as ComputeFrequencies computes it (ventilated
// with AutoVentilation), so that the desk, the files and the tables agree
// once the board is over. AutoVentilation is kept. share as above (may be null).
void ComputeFrequenciesSilently(scoring::RecomputeShare* share = nullptr);

// The top of a board on which n results are compared: 2 for each other
// result, 0 when none is compared.
constexpr int MatchpointTop(int n) { return n > 1 ? 2 * (n - 1) : 0; }
// The top of a board as its slots stand: MatchpointTop of the results
// counted in its matchpoints (those of a pair, below the average's code); 0
// for a board beyond the tournament.
int BoardTop(int board);
// What a result gives each of its pairs: the score from the N/S pair's side
// and each pair's matchpoints on its board's top (a swapped result credits
// each pair with its own).
struct TravellerFigures {
  int top = 0;
  int score = 0;
  double nsPoints = 0;
  double ewPoints = 0;
};
TravellerFigures SlotFigures(int slot);

// Lists the results still expected and, unless listOnly, asks whether to go
// on. Sets ResultsAvailable and returns it.
bool CheckMissingResults(bool listOnly);

// x 8 wide with 2 decimals, or 0 decimals in IMP scoring.
QString PrintNumberText(double x);
// Writes PrintNumberText(x) to the printout.
void WritePrintNumber(TextFile& printout, double x);
