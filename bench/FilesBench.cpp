// Saving and reloading the result files of the largest tournament: 64 boards
// of 21 tables (1344 result slots), with leads and declarers.
#include "ReferenceData.h"
#include "core/Globals.h"
#include "core/TournamentFiles.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {

const char* const kContracts[] = {"4PN=", "3SS+1", "2CXE-2", "PASSE", "6KO=", "AJU.", "1TN+2", "MOY."};

// A full Mitchell: 21 tables, 64 boards, every board played at every table,
// half of the results already in.
void SetUpLargestTournament(const QString& folder) {
  testing_support::resetGlobals();
  DataFolder = folder + "/";
  TournamentCode = "BENCH";
  TableDevicesMode = true;  // ".SPECS" is written and read as well
  TableCount = ResultsPerBoard = kMaxTables;
  PairCount = PairSlotCount = kMaxPairs;
  BoardCount = DealCount = kMaxBoards;
  ResultSlotCount = BoardCount * ResultsPerBoard;
  for (int s = 1; s <= ResultSlotCount; ++s) {
    const int table = (s - 1) % ResultsPerBoard + 1;
    TestSlots().nsPair[s] = table;
    TestSlots().ewPair[s] = ResultsPerBoard + (table + s) % ResultsPerBoard + 1;
    TestSlots().table[s] = table;
    TestSlots().board[s] = (s - 1) / ResultsPerBoard + 1;
    TestSlots().round[s] = (TestSlots().board[s] - 1) / 3 + 1;
    if (s % 2 == 0) {
      TestSlots().score[s] = kScoreNone;
    } else {
      TestSlots().score[s] = (s % 7 - 3) * 110;
      TestSlots().contract[s] = kContracts[s % 8];
      TestSlots().lead[s] = "AP";
      TestSlots().declarer[s] = "N";
    }
  }
}

// Every save in a folder of 2000 other files: with nothing changed since the
// last one, or with one result changed (".VAR" and ".SPECS" rewritten).
void Save(benchmark::State& state, bool change) {
  QTemporaryDir dir;
  SetUpLargestTournament(dir.path());
  bench::FillWithOtherTournaments(DataFolder, 2000);
  SaveResults();
  int n = 0;
  for (auto _ : state) {
    if (change) {
      TestSlots().score[1] = (++n % 2) ? 420 : 450;
      TestSlots().lead[1] = (n % 2) ? QStringLiteral("AP") : QStringLiteral("RC");
    }
    SaveResults();
  }
  state.SetItemsProcessed(state.iterations() * ResultSlotCount);
  testing_support::resetGlobals();
}

void BM_SaveResultsUnchanged2000Files(benchmark::State& state) { Save(state, false); }
void BM_SaveResultsOneChange2000Files(benchmark::State& state) { Save(state, true); }
BENCHMARK(BM_SaveResultsUnchanged2000Files)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_SaveResultsOneChange2000Files)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_LoadResults(benchmark::State& state) {
  QTemporaryDir dir;
  SetUpLargestTournament(dir.path());
  SaveResults();
  for (auto _ : state) LoadResults();
  state.SetItemsProcessed(state.iterations() * ResultSlotCount);
  if (ResultContract[1] != QLatin1String(kContracts[1])) state.SkipWithError("results did not read back");
  testing_support::resetGlobals();
}
BENCHMARK(BM_LoadResults)->Unit(benchmark::kMicrosecond);

}  // namespace
