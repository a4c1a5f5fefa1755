// Frequencies and results of the largest tournament the program holds:
// 21 tables, 64 boards, every result entered, computed silently.
#include "core/Globals.h"
#include "scoring/Frequencies.h"
#include "scoring/Ranking.h"
#include "support/TestState.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {

constexpr int kTables = 21;
constexpr int kBoards = 64;
constexpr int kBoardsPerRound = 8;

void LayOutLargestTournament(const QString& dataFolder) {
  testing_support::resetGlobals();
  DataFolder = dataFolder;
  TournamentCode = QStringLiteral("BENCH");
  TableCount = ResultsPerBoard = kTables;
  PairCount = PairSlotCount = 2 * kTables;
  MitchellNumbering = true;
  for (int k = 1; k <= kTables; ++k) {
    PairNumbers[k] = k;
    PairNumbers[kTables + k] = -k;
    PairLabels[k] = QStringLiteral("Nord%1 - Sud%1").arg(k);
    PairLabels[kTables + k] = QStringLiteral("Est%1 - Ouest%1").arg(k);
  }
  BoardCount = kBoards;
  BoardsPerTable = kBoardsPerRound;
  ResultSlotCount = kBoards * kTables;
  RoundCount = RoundsScheduled = RoundsPlayed = kBoards / kBoardsPerRound;
  // Realistic scores, spread so that every board has ties and both signs.
  const int scores[] = {420, 450, 400, -50, 170, 140, -100, 620, 650, -200, 110, 1430, -500, 130, 0, 300, 90, -420};
  unsigned seed = 12345;
  for (int b = 1; b <= kBoards; ++b) {
    const int round = (b - 1) / kBoardsPerRound + 1;
    for (int t = 1; t <= kTables; ++t) {
      const int s = (b - 1) * kTables + t;
      seed = seed * 1103515245u + 12345u;
      ResultNsPair[s] = t;
      ResultEwPair[s] = kTables + (t - 1 + round - 1) % kTables + 1;
      ResultRound[s] = round;
      ResultTable[s] = t;
      ResultBoard[s] = b;
      ResultScore[s] = scores[(seed >> 16) % (sizeof scores / sizeof scores[0])];
      ResultContract[s] = QString::number(ResultScore[s]);
    }
  }
  Interactive = false;
}

void Run(benchmark::State& state, bool imps) {
  QTemporaryDir folder;
  LayOutLargestTournament(folder.path() + QLatin1Char('/'));
  ImpScoring = imps;
  AutoVentilation = !imps;
  for (auto _ : state) {
    ComputeFrequencies();
    ComputeResults();
    benchmark::DoNotOptimize(PairFinalScore[RankingOrder[1]]);
  }
  if (!FrequenciesComputed || RankingOrder[1] == 0) state.SkipWithError("the computation did not complete");
  testing_support::resetGlobals();
}

void BM_ScoringMatchpoints(benchmark::State& state) { Run(state, false); }
void BM_ScoringButler(benchmark::State& state) { Run(state, true); }

}  // namespace

BENCHMARK(BM_ScoringMatchpoints)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScoringButler)->Unit(benchmark::kMicrosecond);
