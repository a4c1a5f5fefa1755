#pragma once
// The full recompute against its yardstick (the same sums written plainly)
// and against the reference scorer, in interleaved rounds of one run: the
// machines are shared, and figures taken minutes apart do not compare.

namespace bench {

// Runs the rounds and prints, for each kind of recompute, the medians over
// the rounds of its time and of its ratios to the yardstick and to the
// reference. Returns false when a recompute does not give the yardstick's
// averages.
bool CompareRecomputes(int rounds);

}  // namespace bench
