#include "ReferenceData.h"

#include "core/Globals.h"
#include "scoring/Ranking.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

#include <benchmark/benchmark.h>

#include <QFile>

#include <cmath>

namespace bench {

std::vector<Deal> ReferenceDeals() {
  // The reference's generator, in the same double arithmetic.
  static const int scores[] = {-1100, -800, -500, -200, -100, -50, 0,   90,  110, 140, 170,
                               400,   420,  430,  450,  460,  480, 620, 650, 680, 990, 1430};
  double seed = 12345;
  std::vector<Deal> deals;
  for (int b = 1; b <= kBoards; ++b) {
    for (int t = 1; t <= kTables; ++t) {
      seed = std::fmod(seed * 1103515245.0 + 12345.0, 2147483648.0);
      const int score = scores[static_cast<int>(std::floor(seed / 2147483648.0 * 22))];
      deals.push_back({b, t, kTables + (t + b) % kTables + 1, score});
    }
  }
  return deals;
}

void LayOutReferenceTournament(const QString& dataFolder) {
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
  BoardCount = DealCount = kBoards;
  BoardsPerTable = 4;
  ResultSlotCount = kBoards * kTables;
  RoundCount = RoundsScheduled = RoundsPlayed = kBoards / BoardsPerTable;
  int s = 0;
  for (const Deal& d : ReferenceDeals()) {
    ++s;
    TestSlots().nsPair[s] = d.ns;
    TestSlots().ewPair[s] = d.ew;
    TestSlots().board[s] = d.board;
    TestSlots().table[s] = d.ns;
    TestSlots().round[s] = (d.board - 1) / BoardsPerTable + 1;
    TestSlots().score[s] = d.nsScore;
    TestSlots().contract[s] = QString::number(d.nsScore);
  }
  Interactive = false;
}

void KeepAQuarterOfResults() {
  for (int s = 1; s <= ResultSlotCount; ++s) {
    if (s % 4 == 1) continue;
    TestSlots().score[s] = kScoreNone;
    TestSlots().contract[s].clear();
  }
}

void Recompute() {
  RecomputeResults();
  benchmark::DoNotOptimize(PairFinalScore[RankingOrder[1]]);
}

void FillWithOtherTournaments(const QString& folder, int count) {
  static const char* const extensions[] = {".DAT", ".PAI", ".VAR", ".MUL", ".DIA"};
  for (int i = 0; i < count; ++i) {
    QFile f(folder + QStringLiteral("T%1%2").arg(i / 5, 5, 10, QLatin1Char('0')).arg(QLatin1String(extensions[i % 5])));
    if (f.open(QIODevice::WriteOnly)) f.write("0\r\n");
  }
}

}  // namespace bench
