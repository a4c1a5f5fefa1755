// What could be made on an evening's 36 deals: the program's double-dummy
// tables and pars (checks, batches, par texts) against the solver called
// alone on the same deals (its batched tables, then its par for the dealer),
// on 2 threads and on all cores; the program's goal is within 1.1× of the
// solver alone.
#include "publishing/DoubleDummy.h"
#include "setup/PairLookups.h"

#include <benchmark/benchmark.h>

#include <dds/dll.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <cstring>
#include <memory>
#include <random>
#include <thread>
#include <vector>

namespace {

constexpr int kDeals = 36;
constexpr int kTablesPerCall = 32;

// 36 deals shuffled from a fixed seed, as a dealing program would give them.
const QList<DealToSolve>& Deals() {
  static const QList<DealToSolve> deals = [] {
    QList<DealToSolve> list;
    std::mt19937 random(20261208);
    const char ranks[] = "AKQJT98765432";
    for (int board = 1; board <= kDeals; ++board) {
      std::array<int, 52> cards{};
      for (int c = 0; c < 52; ++c) cards[c] = c;
      std::shuffle(cards.begin(), cards.end(), random);
      std::array<std::array<QString, 4>, 4> hands;  // [seat][suit]
      for (int i = 0; i < 52; ++i) hands[i / 13][cards[i] / 13] += QLatin1Char(ranks[cards[i] % 13]);
      QStringList text;
      for (auto& hand : hands) {
        for (QString& suit : hand) std::sort(suit.begin(), suit.end(), [&](QChar a, QChar b) {
            return std::strchr(ranks, a.toLatin1()) < std::strchr(ranks, b.toLatin1());
          });
        text << hand[0] + '.' + hand[1] + '.' + hand[2] + '.' + hand[3];
      }
      list << DealToSolve{QStringLiteral("N:") + text.join(' '), (board - 1) % 4, BoardVulnerability(board)};
    }
    return list;
  }();
  return deals;
}

int Threads(const benchmark::State& state) {
  return state.range(0) > 0 ? static_cast<int>(state.range(0)) : static_cast<int>(std::thread::hardware_concurrency());
}

// The solver alone: its batched tables, then its par for each deal's dealer.
void SolveAlone(benchmark::State& state) {
  const QList<DealToSolve>& deals = Deals();
  static const int vulnerability[4] = {0, 2, 3, 1};  // the solver's codes for none, N/S, E/W, both
  int trumpFilter[DDS_STRAINS] = {0, 0, 0, 0, 0};
  for (int start = 0; start < kDeals; start += kTablesPerCall) {
    const int count = std::min(kTablesPerCall, kDeals - start);
    auto batch = std::make_unique<ddTableDealsPBN>();
    auto results = std::make_unique<ddTablesRes>();
    auto pars = std::make_unique<allParResults>();
    batch->noOfTables = count;
    for (int k = 0; k < count; ++k) std::strcpy(batch->deals[k].cards, deals[start + k].deal.toLatin1().constData());
    if (CalcAllTablesPBN(batch.get(), -1, trumpFilter, results.get(), pars.get()) != RETURN_NO_FAULT)
      state.SkipWithError("the solver refused a deal");
    for (int k = 0; k < count; ++k) {
      parResultsDealer par{};
      DealerPar(&results->results[k], &par, deals[start + k].dealer, vulnerability[deals[start + k].vulnerability]);
      benchmark::DoNotOptimize(par);
    }
  }
}

// The program's tables and pars of the same deals.
void SolveAsTheProgramDoes(benchmark::State& state) {
  const QList<DealAnalysis> analyses = SolveDeals(Deals());
  if (!std::all_of(analyses.begin(), analyses.end(), [](const DealAnalysis& a) { return a.solved(); }))
    state.SkipWithError("a deal has no table");
  benchmark::DoNotOptimize(analyses);
}

double Seconds(const std::function<void()>& run) {
  const auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Each iteration runs the solver alone and the program in turn (which goes
// first alternates), so that both meet the same load of a shared machine;
// the counters give the medians of the times and of the ratios.
void BM_HandRecordsAgainstTheSolverAlone(benchmark::State& state) {
  SetSolverThreads(Threads(state));
  std::vector<double> alone, program, ratios;
  bool programFirst = false;
  for (auto _ : state) {
    double a = 0, p = 0;
    if (programFirst) p = Seconds([&] { SolveAsTheProgramDoes(state); });
    a = Seconds([&] { SolveAlone(state); });
    if (!programFirst) p = Seconds([&] { SolveAsTheProgramDoes(state); });
    programFirst = !programFirst;
    alone.push_back(a);
    program.push_back(p);
    ratios.push_back(p / a);
  }
  const auto median = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
  };
  state.counters["threads"] = Threads(state);
  state.counters["alone_s"] = median(alone);
  state.counters["program_s"] = median(program);
  state.counters["ratio"] = median(ratios);
}
BENCHMARK(BM_HandRecordsAgainstTheSolverAlone)->Arg(2)->Arg(0)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
