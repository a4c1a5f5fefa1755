// What the menu does after every change of results on the largest tournament
// the program holds (21 tables, 64 boards, every result entered, played with
// tablets): frequencies, ranking, the ranking files for the tablets and the
// whole file set with the session file; and the board files on top of it.
// Every pass follows a new result, as the tables send them.
#include "core/Globals.h"
#include "core/TournamentFiles.h"
#include "scoring/Frequencies.h"
#include "scoring/Ranking.h"
#include "scoring/ResultFiles.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

constexpr int kTables = 21;
constexpr int kBoards = 64;
constexpr int kBoardsPerRound = 8;

void LayOut(const QString& folder) {
  testing_support::resetGlobals();
  DataFolder = folder + QStringLiteral("/data/");
  TabletSharedFolder = folder + QStringLiteral("/Quillmarke");
  QDir().mkpath(DataFolder);
  QDir().mkpath(TabletSharedFolder);
  TournamentCode = QStringLiteral("BENCH");
  TournamentName = QStringLiteral("Tournoi du lundi");
  TableDevicesMode = TabletsMode = true;
  TableCount = ResultsPerBoard = kTables;
  PairCount = PairSlotCount = 2 * kTables;
  MitchellNumbering = true;
  for (int k = 1; k <= kTables; ++k) {
    PairNumbers[k] = k;
    PairNumbers[kTables + k] = -k;
    Player1Names[k] = QStringLiteral("Nord%1").arg(k);
    Player2Names[k] = QStringLiteral("Sud%1").arg(k);
    Player1Names[kTables + k] = QStringLiteral("Est%1").arg(k);
    Player2Names[kTables + k] = QStringLiteral("Ouest%1").arg(k);
  }
  for (int s = 1; s <= PairCount; ++s) PairLabels[s] = Player1Names[s] + QStringLiteral(" - ") + Player2Names[s];
  BoardCount = DealCount = kBoards;
  BoardsPerTable = kBoardsPerRound;
  ResultSlotCount = kBoards * kTables;
  RoundCount = RoundsScheduled = RoundsPlayed = kBoards / kBoardsPerRound;
  const int scores[] = {420, 450, 400, -50, 170, 140, -100, 620, 650, -200, 110, 1430, -500, 130, 0, 300, 90, -420};
  unsigned seed = 12345;
  for (int b = 1; b <= kBoards; ++b) {
    const int round = (b - 1) / kBoardsPerRound + 1;
    for (int t = 1; t <= kTables; ++t) {
      const int s = (b - 1) * kTables + t;
      seed = seed * 1103515245u + 12345u;
      TestSlots().nsPair[s] = t;
      TestSlots().ewPair[s] = kTables + (t - 1 + round - 1) % kTables + 1;
      TestSlots().round[s] = round;
      TestSlots().table[s] = t;
      TestSlots().board[s] = b;
      TestSlots().score[s] = scores[(seed >> 16) % (sizeof scores / sizeof scores[0])];
      TestSlots().contract[s] = QStringLiteral("4PS=");
      TestSlots().declarer[s] = QStringLiteral("S");
      TestSlots().lead[s] = QStringLiteral("AC");
    }
  }
  AutoVentilation = true;
  Interactive = false;
}

void Run(benchmark::State& state, bool boardFiles) {
  QTemporaryDir folder;
  LayOut(folder.path());
  // Each pass follows one more result: a score changes on one board.
  const int changing = 5 * kTables + 3;
  const int scores[2] = {ResultScore[changing], ResultScore[changing] == 420 ? 450 : 420};
  int pass = 0;
  for (auto _ : state) {
    TestSlots().score[changing] = scores[++pass % 2];
    RecomputeResults();
    WriteResultFiles();
    if (boardFiles) WriteBoardFiles(true);
    SaveTournamentAll();
  }
  if (!FrequenciesComputed || RankingOrder[1] == 0 || !QFile::exists(DataFolder + QStringLiteral("BENCH.SEA")))
    state.SkipWithError("the results were not computed and saved");
  testing_support::resetGlobals();
}

// The computation and every file it saves; under 10 ms.
void BM_RecomputeAndSaveResults(benchmark::State& state) { Run(state, false); }
void BM_RecomputeAndSaveWithBoardFiles(benchmark::State& state) { Run(state, true); }

}  // namespace

BENCHMARK(BM_RecomputeAndSaveResults)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecomputeAndSaveWithBoardFiles)->Unit(benchmark::kMillisecond);
