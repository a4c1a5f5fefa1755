// The full recompute (frequencies and ranking) of the largest tournament, on
// the reference's data set: in an empty results folder, in a club's folder
// of 2000 other files, and followed by the save of the results.
#include "PlainSums.h"
#include "ReferenceData.h"
#include "core/Globals.h"
#include "core/TournamentFiles.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

void Check(benchmark::State& state) {
  if (!FrequenciesComputed || RankingOrder[1] == 0) state.SkipWithError("the computation did not complete");
  testing_support::resetGlobals();
}

// Each recompute is timed on its own and the median kept, as the reference
// does: the machines are shared, and a median leaves out the runs another
// program interrupted.
void Run(benchmark::State& state, bool imps, int otherFiles, bool quarterIn = false) {
  QTemporaryDir folder;
  bench::LayOutReferenceTournament(folder.path() + QLatin1Char('/'));
  bench::FillWithOtherTournaments(DataFolder, otherFiles);
  if (quarterIn) bench::KeepAQuarterOfResults();
  ImpScoring = imps;
  std::vector<double> times;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    bench::Recompute();
    times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
  }
  std::nth_element(times.begin(), times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2), times.end());
  state.counters["median_us"] = times[times.size() / 2];
  Check(state);
}

void BM_RecomputeMatchpoints(benchmark::State& state) { Run(state, false, 0); }
void BM_RecomputeMatchpoints2000Files(benchmark::State& state) { Run(state, false, 2000); }
void BM_RecomputeButler(benchmark::State& state) { Run(state, true, 0); }
// Mid-evening: a quarter of the results in, the others still owed, so that
// every board goes through the test of the slots that owe a result.
void BM_RecomputeMatchpointsQuarterIn(benchmark::State& state) { Run(state, false, 0, true); }
void BM_RecomputeButler2000Files(benchmark::State& state) { Run(state, true, 2000); }

// The yardstick: the same sums written plainly.
void BM_PlainSums(benchmark::State& state) {
  const bench::PlainDeals deals = bench::PlainDealsOf(bench::ReferenceDeals());
  bench::PairAverages averages{};
  for (auto _ : state) {
    bench::PlainSums(deals, averages);
    benchmark::DoNotOptimize(averages);
  }
}

// One result changes, the ranking is recomputed and the results saved, as
// after each result typed on a club night.
void BM_RecomputeAndSave2000Files(benchmark::State& state) {
  QTemporaryDir folder;
  bench::LayOutReferenceTournament(folder.path() + QLatin1Char('/'));
  bench::FillWithOtherTournaments(DataFolder, 2000);
  SaveResults();
  int n = 0;
  for (auto _ : state) {
    TestSlots().score[1] = (++n % 2) ? 420 : 450;
    bench::Recompute();
    SaveResults();
  }
  Check(state);
}

}  // namespace

BENCHMARK(BM_PlainSums)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecomputeMatchpoints)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecomputeMatchpoints2000Files)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecomputeMatchpointsQuarterIn)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecomputeButler)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecomputeButler2000Files)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecomputeAndSave2000Files)->Unit(benchmark::kMicrosecond)->UseRealTime();
