#include "scoring/Imps.h"

#include "ScoringFixture.h"

class ImpsTest : public ScoringTest {};

TEST_F(ImpsTest, ImpScaleAtEveryBoundary) {
  // The WBF scale as printed: lowest and highest difference of each step.
  const int ranges[25][2] = {{0, 10},      {20, 40},      {50, 80},      {90, 120},     {130, 160},
                             {170, 210},   {220, 260},    {270, 310},    {320, 360},    {370, 420},
                             {430, 490},   {500, 590},    {600, 740},    {750, 890},    {900, 1090},
                             {1100, 1290}, {1300, 1490},  {1500, 1740},  {1750, 1990},  {2000, 2240},
                             {2250, 2490}, {2500, 2990},  {3000, 3490},  {3500, 3990},  {4000, 7600}};
  for (int imps = 0; imps <= 24; ++imps)
    for (int d : ranges[imps]) {
      EXPECT_EQ(ImpsFromDifference(d), imps) << d;
      EXPECT_EQ(ImpsFromDifference(-d), -imps) << -d;
    }
  EXPECT_EQ(ImpsFromDifference(11), 1);  // a typed score need not end in 0
}

TEST_F(ImpsTest, VictoryPointsRowsAndColumns) {
  // 8 boards per match.
  EXPECT_EQ(VictoryPointsFromImps(0, 8), 15);
  EXPECT_EQ(VictoryPointsFromImps(1, 8), 15);
  EXPECT_EQ(VictoryPointsFromImps(2, 8), 16);
  EXPECT_EQ(VictoryPointsFromImps(30, 8), 25);
  EXPECT_EQ(VictoryPointsFromImps(-30, 8), 5);
  EXPECT_EQ(VictoryPointsFromImps(-50, 8), 1);
  EXPECT_EQ(VictoryPointsFromImps(-51, 8), 0);
  EXPECT_EQ(VictoryPointsFromImps(51, 8), 25);
  // The row is the last one not above the boards per match.
  EXPECT_EQ(VictoryPointsFromImps(9, 10), VictoryPointsFromImps(9, 8));
  EXPECT_EQ(VictoryPointsFromImps(-60, 15), 2);  // row 14: 54 < 60 <= 60
  EXPECT_EQ(VictoryPointsFromImps(-61, 15), 1);  // row 14: 61 <= 66
  EXPECT_EQ(VictoryPointsFromImps(123, 64), 25);
  EXPECT_EQ(VictoryPointsFromImps(-123, 48), 1);
  EXPECT_EQ(VictoryPointsFromImps(-124, 48), 0);
  // Below 8 boards per match the IMPs are kept.
  EXPECT_EQ(VictoryPointsFromImps(-17, 6), -17);
  EXPECT_EQ(VictoryPointsFromImps(17, 0), 17);
  BoardsPerTable = 12;
  EXPECT_EQ(VictoryPointsFromImps(6), 16);
  EXPECT_EQ(VictoryPointsFromImps(7), 17);
}

TEST_F(ImpsTest, EveryRowAtEveryThreshold) {
  const struct {
    int boards;
    int t[15];
  } rows[] = {{8, {1, 5, 8, 11, 14, 17, 20, 23, 26, 29, 33, 37, 41, 45, 50}},
              {12, {1, 6, 9, 12, 16, 20, 24, 28, 32, 36, 40, 45, 50, 55, 61}},
              {14, {2, 7, 10, 14, 18, 22, 26, 30, 34, 38, 43, 48, 54, 60, 66}},
              {16, {2, 7, 11, 15, 19, 23, 27, 31, 36, 41, 46, 52, 58, 64, 71}},
              {20, {2, 8, 12, 16, 21, 26, 31, 36, 41, 47, 53, 59, 65, 72, 79}},
              {24, {3, 9, 14, 19, 24, 29, 34, 39, 45, 51, 57, 64, 71, 79, 87}},
              {28, {3, 10, 15, 20, 25, 31, 37, 43, 49, 55, 61, 68, 76, 85, 94}},
              {32, {3, 10, 16, 22, 28, 34, 40, 46, 52, 58, 65, 73, 82, 91, 100}},
              {36, {3, 11, 17, 23, 29, 36, 43, 50, 57, 64, 71, 79, 88, 97, 106}},
              {40, {3, 11, 18, 25, 32, 39, 46, 53, 60, 68, 76, 84, 93, 102, 112}},
              {48, {4, 12, 20, 28, 36, 44, 52, 60, 68, 76, 84, 93, 102, 112, 123}}};
  for (const auto& row : rows)
    for (int k = 0; k < 15; ++k) {
      const int win = std::min(15 + k, 25);
      EXPECT_EQ(VictoryPointsFromImps(row.t[k], row.boards), win) << row.boards << " " << row.t[k];
      EXPECT_EQ(VictoryPointsFromImps(-row.t[k], row.boards), 15 - k) << row.boards << " -" << row.t[k];
      const int next = k < 14 ? std::min(16 + k, 25) : 25;
      EXPECT_EQ(VictoryPointsFromImps(row.t[k] + 1, row.boards), next) << row.boards << " " << row.t[k] + 1;
      EXPECT_EQ(VictoryPointsFromImps(-row.t[k] - 1, row.boards), 14 - k) << row.boards << " -" << row.t[k] + 1;
    }
}

TEST_F(ImpsTest, ButlerDatumDropsTheExtremes) {
  layOut(7, 4, 2);
  scores(1, {420, 420, 450, -100, 170});
  ResultSwapped[slot(1, 2)] = 1;
  scores(2, {620, 170});
  scores(3, {400, 400, 400, kScoreAverage, kScoreAdjusted});
  // Board 4: two results whose mean is 62.5, rounded to 62 then to 60.
  scores(4, {50, 75});
  ComputeButlerImps();

  // Board 1: datum 340 (mean of 420, 420, 170 = 336.67 -> 337 -> 340).
  EXPECT_EQ(BoardDatum(1), QStringLiteral("340"));
  EXPECT_EQ(ResultMatchpoints[slot(1, 3)], 110);
  EXPECT_EQ(ResultNsPercent[slot(1, 3)], 3);
  EXPECT_EQ(ResultEwPercent[slot(1, 3)], -3);
  EXPECT_EQ(ResultMatchpoints[slot(1, 4)], -440);
  EXPECT_EQ(ResultNsPercent[slot(1, 4)], -10);
  EXPECT_EQ(ResultNsPercent[slot(1, 1)], 2);  // +80
  EXPECT_EQ(ResultNsPercent[slot(1, 2)], -2);  // swapped: both negated
  EXPECT_EQ(ResultEwPercent[slot(1, 2)], 2);
  // Board 2: datum (620 + 170) / 2 = 395 -> 400.
  EXPECT_EQ(BoardDatum(2), QStringLiteral("400"));
  EXPECT_EQ(ResultNsPercent[slot(2, 1)], 6);
  EXPECT_EQ(ResultNsPercent[slot(2, 2)], -6);
  // Board 3: all equal; average and adjusted results stay at 0.
  EXPECT_EQ(BoardDatum(3), QStringLiteral("400"));
  for (int t = 1; t <= 5; ++t) EXPECT_EQ(ResultNsPercent[slot(3, t)], 0);
  EXPECT_EQ(ResultMatchpoints[slot(3, 4)], 0);
  EXPECT_EQ(BoardDatum(4), QStringLiteral("60"));
}

TEST_F(ImpsTest, DatumRoundsToTenPointsAwayFromZeroAtFive) {
  layOut(3, 4, 1);
  scores(1, {15, 15});
  scores(2, {-15, -15});
  scores(3, {14, 14});
  scores(4, {420, 430});  // mean 425
  ComputeButlerImps();
  EXPECT_EQ(BoardDatum(1), QStringLiteral("20"));
  EXPECT_EQ(BoardDatum(2), QStringLiteral("-20"));
  EXPECT_EQ(BoardDatum(3), QStringLiteral("10"));
  EXPECT_EQ(BoardDatum(4), QStringLiteral("430"));
}

TEST_F(ImpsTest, BoardWithoutResultHasNoDatum) {
  layOut(3, 2, 1);
  scores(1, {kScoreAverage, kScoreAdjusted});
  ComputeButlerImps();
  EXPECT_EQ(BoardDatum(1), QStringLiteral("9999"));
  EXPECT_EQ(BoardDatum(2), QStringLiteral("9999"));
}
