// The recompute after a change of results: the pass that adds up each pair's
// percentages as it gives them must rank exactly as the frequencies and the
// ranking run one after the other, with or without adjusted results, the
// adjustments file and the penalties file.
#include "core/ScriptedInteraction.h"
#include "scoring/Frequencies.h"
#include "scoring/Ranking.h"

#include "ScoringFixture.h"
#include "support/TestSlots.h"

#include <array>

class RecomputeTest : public ScoringTest {
 protected:
  // 3 tables, 2 boards of one round each: board 1 seats 1-4, 2-5, 3-6 and
  // board 2 seats 1-5, 2-6, 3-4. Board 1: 100 against 200 twice; board 2:
  // the same score three times.
  void SetUp() override {
    ScoringTest::SetUp();
    layOut(3, 2, 1);
    scores(1, {100, 200, 200});
    scores(2, {420, 420, 420});
  }
  using Averages = std::array<double, 7>;
  static Averages finalScores() {
    Averages a{};
    for (int p = 1; p <= 6; ++p) a[static_cast<std::size_t>(p)] = PairFinalScore[p];
    return a;
  }
  // Both ways on the same slots: the recompute, then the two halves on
  // their own, from the same starting slots.
  void expectBothWays(const Averages& expected) {
    struct Slots {
      int score[8];
      double ns[8], ew[8];
    } start{};
    for (int s = 1; s <= ResultSlotCount; ++s) {
      start.score[s] = ResultScore[s];
      start.ns[s] = ResultNsPercent[s];
      start.ew[s] = ResultEwPercent[s];
    }
    RecomputeResults();
    EXPECT_EQ(finalScores(), expected) << "in one pass";
    for (int s = 1; s <= ResultSlotCount; ++s) {
      TestSlots().score[s] = start.score[s];
      TestSlots().nsPercent[s] = start.ns[s];
      TestSlots().ewPercent[s] = start.ew[s];
    }
    for (int p = 1; p <= 6; ++p) PairFinalScore[p] = -1;
    ComputeFrequencies();
    ComputeResults();
    EXPECT_EQ(finalScores(), expected) << "in two halves";
  }
};

TEST_F(RecomputeTest, SumsOfThePassRankAsTheRankingsOwn) {
  // Board 1: 0 %, 75 %, 75 % N/S (100, 25, 25 E/W); board 2: 50 % each.
  expectBothWays({0, 25, 62.5, 62.5, 75, 37.5, 37.5});
}

TEST_F(RecomputeTest, AdjustedResultsAndBothFilesRankAsTheRankingsOwn) {
  // Board 2, table 3 (3 against 4) adjusted to 60 / 40: the two 420 left
  // tie at 50 %. The penalties file, spelled in other letters, takes 1.5
  // from pair 2 and gives 2 to pair 5.
  TestSlots().score[slot(2, 3)] = kScoreAdjusted;
  TestSlots().nsPercent[slot(2, 3)] = 60;
  TestSlots().ewPercent[slot(2, 3)] = 40;
  testing_support::writeBytes(DataFolder + QStringLiteral("test1.pen"), "2 -1.5\r\n5 2\r\n");
  expectBothWays({0, 25, 61, 67.5, 70, 39.5, 37.5});
  // The adjustments file gives slot 1 (1 against 4) 55 / 45.
  writeFile(".ADJ", "1 1 55 45\r\n");
  TestSlots().score[slot(1, 1)] = 100;
  expectBothWays({0, 52.5, 61, 67.5, 42.5, 39.5, 37.5});
}

TEST_F(RecomputeTest, AResultBeyondTheBoardsStillCountsForItsPairs) {
  // A slot past the last board keeps its pairs and score: the pass clears
  // its percentages, and it counts (0 %) for pairs 1 and 6.
  ResultSlotCount = 7;
  TestSlots().nsPair[7] = 1;
  TestSlots().ewPair[7] = 6;
  TestSlots().score[7] = 300;
  TestSlots().nsPercent[7] = 90;
  expectBothWays({0, 50.0 / 3, 62.5, 62.5, 75, 37.5, 25});
}

TEST_F(RecomputeTest, TheRankingAloneReadsTheSlotsAsTheyAreNow) {
  RecomputeResults();
  // A percentage changed by hand afterwards: the ranking run on its own
  // counts it, not what the last pass added up.
  TestSlots().nsPercent[slot(1, 1)] = 20;
  ComputeResults();
  EXPECT_DOUBLE_EQ(PairFinalScore[1], 35);
}

TEST_F(RecomputeTest, AStoppedPassLeavesNoOldPercentagesBehind) {
  ui::ScriptedInteraction ui;
  RecomputeResults();
  ASSERT_DOUBLE_EQ(ResultNsPercent[slot(2, 1)], 50);
  // Board 1 down to one result: the pass stops there, and neither that
  // result nor board 2 keeps the percentages of the pass before.
  TestSlots().score[slot(1, 2)] = kScoreNone;
  TestSlots().score[slot(1, 3)] = kScoreNone;
  ComputeFrequencies();
  EXPECT_FALSE(FrequenciesComputed);
  for (int s = 1; s <= 6; ++s) {
    EXPECT_DOUBLE_EQ(ResultNsPercent[s], 0) << "slot " << s;
    EXPECT_DOUBLE_EQ(ResultEwPercent[s], 0) << "slot " << s;
  }
  EXPECT_EQ(ResultMatchpoints[slot(2, 1)], 2);  // the matchpoints are given all the same
}

TEST_F(RecomputeTest, ASlotLeftWithoutItsResultLosesItsPercentages) {
  RecomputeResults();
  TestSlots().score[slot(1, 1)] = kScoreNone;
  RecomputeResults();
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(1, 1)], 0);
  EXPECT_EQ(ResultMatchpoints[slot(1, 1)], 0);
  // The two 200 tie on board 1 now: 50 % each.
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(1, 2)], 50);
  EXPECT_DOUBLE_EQ(PairFinalScore[4], 50);  // board 1 not played by 4: board 2 only
}

TEST_F(RecomputeTest, AScoreBeyondTheCodesCountsTheSameBothWays) {
  // Board 2, table 3 (3 against 4) holds 12000, a score a foreign ".VAR"
  // may give: it is no result the board compares (the two 420 tie at 50 %)
  // but it still counts, at 0 %, for pairs 3 and 4. Pair 3: (75 + 0) / 2;
  // pair 4: (100 + 0) / 2.
  scores(2, {420, 420, 12000});
  expectBothWays({0, 25, 62.5, 37.5, 50, 37.5, 37.5});
}
