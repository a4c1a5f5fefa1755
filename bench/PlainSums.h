#pragma once
// The yardstick of the recompute: the same sums as a full recompute of the
// reference's data set (each result's matchpoints against the others of its
// board, its percentages, each pair's average), written plainly on arrays
// laid out for them, with no ranking, no files and no special cases.
#include "ReferenceData.h"

#include <array>
#include <vector>

namespace bench {

inline constexpr int kPairs = 2 * kTables;

// The deals board by board: kTables results for each board.
struct PlainDeals {
  std::vector<int> ns, ew, score;
};
PlainDeals PlainDealsOf(const std::vector<Deal>& deals);

using PairAverages = std::array<double, kPairs + 1>;  // index 0 unused
void PlainSums(const PlainDeals& deals, PairAverages& averages);

}  // namespace bench
