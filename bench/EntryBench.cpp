// Storing one result typed on the traveller in the largest tournament: the
// slot, the results files saved and the counters, as the window does it.
#include "core/Globals.h"
#include "scoring/ScoreSheet.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {

// 21 tables of a Mitchell, 64 boards, half of the results in, leads kept.
void SetUpLargestTournament(const QString& folder) {
  testing_support::resetGlobals();
  DataFolder = folder + "/";
  TournamentCode = "BENCH";
  TableDevicesMode = true;
  MitchellNumbering = true;
  TableCount = ResultsPerBoard = kMaxTables;
  PairCount = PairSlotCount = kMaxPairs;
  for (int k = 1; k <= kMaxTables; ++k) {
    PairNumbers[k] = k;
    PairNumbers[kMaxTables + k] = -k;
    PairLabels[k] = PairLabels[kMaxTables + k] = "Nom - Prenom";
  }
  BoardCount = DealCount = kMaxBoards;
  RoundCount = RoundsScheduled = RoundsPlayed = (kMaxBoards + 2) / 3;
  ResultSlotCount = BoardCount * ResultsPerBoard;
  for (int s = 1; s <= ResultSlotCount; ++s) {
    const int table = (s - 1) % ResultsPerBoard + 1;
    TestSlots().nsPair[s] = table;
    TestSlots().ewPair[s] = ResultsPerBoard + (table + s) % ResultsPerBoard + 1;
    TestSlots().table[s] = table;
    TestSlots().board[s] = (s - 1) / ResultsPerBoard + 1;
    TestSlots().round[s] = (TestSlots().board[s] - 1) / 3 + 1;
    TestSlots().score[s] = s % 2 == 0 ? kScoreNone : 420;
    TestSlots().contract[s] = s % 2 == 0 ? "" : "4PN=";
    TestSlots().lead[s] = "AP";
    TestSlots().declarer[s] = "N";
  }
}

void BM_StoreOneResult(benchmark::State& state) {
  QTemporaryDir dir;
  SetUpLargestTournament(dir.path());
  ScoreSheet sheet;
  sheet.layOut(kMaxBoards);
  const int first = (kMaxBoards - 1) * ResultsPerBoard + 1;
  int line = 1;
  for (auto _ : state) {
    state.PauseTiming();
    TestSlots().score[first + line - 1] = kScoreNone;
    sheet.setCurrentLine(line);
    line = line % ResultsPerBoard + 1;
    state.ResumeTiming();
    if (!sheet.readyForResult() || !sheet.storePassedOut()) state.SkipWithError("result not stored");
  }
  testing_support::resetGlobals();
}
BENCHMARK(BM_StoreOneResult)->Unit(benchmark::kMillisecond);

}  // namespace
