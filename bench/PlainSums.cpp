#include "PlainSums.h"

namespace bench {

PlainDeals PlainDealsOf(const std::vector<Deal>& deals) {
  PlainDeals plain;
  for (const Deal& d : deals) {
    plain.ns.push_back(d.ns);
    plain.ew.push_back(d.ew);
    plain.score.push_back(d.nsScore);
  }
  return plain;
}

// Compiled as the program's own comparison of scores is: vectors as wide as
// the processor has (and the vectorizer of -O3, see CMakeLists.txt).
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__)
__attribute__((target_clones("avx2", "default")))
#endif
void PlainSums(const PlainDeals& deals, PairAverages& averages) {
  double total[kPairs + 1] = {};
  int count[kPairs + 1] = {};
  const int boards = static_cast<int>(deals.score.size()) / kTables;
  for (int b = 0; b < boards; ++b) {
    const int* score = deals.score.data() + b * kTables;
    const int* ns = deals.ns.data() + b * kTables;
    const int* ew = deals.ew.data() + b * kTables;
    for (int i = 0; i < kTables; ++i) {
      // 2 for each score beaten, 1 for each tie, the result itself aside.
      int matchpoints = -1;
      for (int j = 0; j < kTables; ++j) matchpoints += (score[i] > score[j]) + (score[i] >= score[j]);
      const double percent = matchpoints * 100.0 / (2 * (kTables - 1));
      total[ns[i]] += percent;
      ++count[ns[i]];
      total[ew[i]] += 100.0 - percent;
      ++count[ew[i]];
    }
  }
  for (int p = 1; p <= kPairs; ++p) averages[static_cast<std::size_t>(p)] = count[p] > 0 ? total[p] / count[p] : 0;
}

}  // namespace bench
