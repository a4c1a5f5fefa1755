#include "scoring/Imps.h"

#include "ScoringFixture.h"
#include "support/TestSlots.h"

#include <QStringList>

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

// The victory-point scale as the printed card gives it, one card per number
// of boards: the IMP margins of each line, then the points of the winner and
// of the loser. Every margin of every line, from both sides of the match.
TEST_F(ImpsTest, EveryMarginOfThePrintedScale) {
  const struct {
    int boards;
    const char* card;
  } cards[] = {
      {8, "0-1 15-15, 2-5 16-14, 6-8 17-13, 9-11 18-12, 12-14 19-11, 15-17 20-10, 18-20 21-9, 21-23 22-8, "
          "24-26 23-7, 27-29 24-6, 30-33 25-5, 34-37 25-4, 38-41 25-3, 42-45 25-2, 46-50 25-1, 51+ 25-0"},
      {12, "0-1 15-15, 2-6 16-14, 7-9 17-13, 10-12 18-12, 13-16 19-11, 17-20 20-10, 21-24 21-9, 25-28 22-8, "
           "29-32 23-7, 33-36 24-6, 37-40 25-5, 41-45 25-4, 46-50 25-3, 51-55 25-2, 56-61 25-1, 62+ 25-0"},
      {14, "0-2 15-15, 3-7 16-14, 8-10 17-13, 11-14 18-12, 15-18 19-11, 19-22 20-10, 23-26 21-9, 27-30 22-8, "
           "31-34 23-7, 35-38 24-6, 39-43 25-5, 44-48 25-4, 49-54 25-3, 55-60 25-2, 61-66 25-1, 67+ 25-0"},
      {16, "0-2 15-15, 3-7 16-14, 8-11 17-13, 12-15 18-12, 16-19 19-11, 20-23 20-10, 24-27 21-9, 28-31 22-8, "
           "32-36 23-7, 37-41 24-6, 42-46 25-5, 47-52 25-4, 53-58 25-3, 59-64 25-2, 65-71 25-1, 72+ 25-0"},
      {20, "0-2 15-15, 3-8 16-14, 9-12 17-13, 13-16 18-12, 17-21 19-11, 22-26 20-10, 27-31 21-9, 32-36 22-8, "
           "37-41 23-7, 42-47 24-6, 48-53 25-5, 54-59 25-4, 60-65 25-3, 66-72 25-2, 73-79 25-1, 80+ 25-0"},
      {24, "0-3 15-15, 4-9 16-14, 10-14 17-13, 15-19 18-12, 20-24 19-11, 25-29 20-10, 30-34 21-9, 35-39 22-8, "
           "40-45 23-7, 46-51 24-6, 52-57 25-5, 58-64 25-4, 65-71 25-3, 72-79 25-2, 80-87 25-1, 88+ 25-0"},
      {28, "0-3 15-15, 4-10 16-14, 11-15 17-13, 16-20 18-12, 21-25 19-11, 26-31 20-10, 32-37 21-9, 38-43 22-8, "
           "44-49 23-7, 50-55 24-6, 56-61 25-5, 62-68 25-4, 69-76 25-3, 77-85 25-2, 86-94 25-1, 95+ 25-0"},
      {32, "0-3 15-15, 4-10 16-14, 11-16 17-13, 17-22 18-12, 23-28 19-11, 29-34 20-10, 35-40 21-9, 41-46 22-8, "
           "47-52 23-7, 53-58 24-6, 59-65 25-5, 66-73 25-4, 74-82 25-3, 83-91 25-2, 92-100 25-1, 101+ 25-0"},
      {36, "0-3 15-15, 4-11 16-14, 12-17 17-13, 18-23 18-12, 24-29 19-11, 30-36 20-10, 37-43 21-9, 44-50 22-8, "
           "51-57 23-7, 58-64 24-6, 65-71 25-5, 72-79 25-4, 80-88 25-3, 89-97 25-2, 98-106 25-1, 107+ 25-0"},
      {40, "0-3 15-15, 4-11 16-14, 12-18 17-13, 19-25 18-12, 26-32 19-11, 33-39 20-10, 40-46 21-9, 47-53 22-8, "
           "54-60 23-7, 61-68 24-6, 69-76 25-5, 77-84 25-4, 85-93 25-3, 94-102 25-2, 103-112 25-1, 113+ 25-0"},
      {48, "0-4 15-15, 5-12 16-14, 13-20 17-13, 21-28 18-12, 29-36 19-11, 37-44 20-10, 45-52 21-9, 53-60 22-8, "
           "61-68 23-7, 69-76 24-6, 77-84 25-5, 85-93 25-4, 94-102 25-3, 103-112 25-2, 113-123 25-1, 124+ 25-0"},
  };
  for (const auto& card : cards) {
    int expectedLow = 0;  // the lines follow one another without gap
    for (const QString& line : QString::fromLatin1(card.card).split(QStringLiteral(", "))) {
      const QStringList parts = line.split(QLatin1Char(' '));
      ASSERT_EQ(parts.size(), 2) << line.toStdString();
      const QStringList margins = parts[0].split(QLatin1Char('-'));
      const QStringList points = parts[1].split(QLatin1Char('-'));
      const int low = margins[0].chopped(margins[0].endsWith(QLatin1Char('+')) ? 1 : 0).toInt();
      const bool open = parts[0].endsWith(QLatin1Char('+'));
      const int high = open ? low + 200 : margins[1].toInt();
      const int winner = points[0].toInt();
      const int loser = points[1].toInt();
      EXPECT_EQ(low, expectedLow) << card.boards << ": " << line.toStdString();
      expectedLow = high + 1;
      for (int m = low; m <= high; ++m) {
        EXPECT_EQ(VictoryPointsFromImps(m, card.boards), winner) << card.boards << " boards, " << m;
        if (m > 0) {
          EXPECT_EQ(VictoryPointsFromImps(-m, card.boards), loser) << card.boards << " boards, -" << m;
        }
      }
    }
  }
}

TEST_F(ImpsTest, ButlerDatumDropsTheExtremes) {
  layOut(7, 4, 2);
  scores(1, {420, 420, 450, -100, 170});
  TestSlots().swapped[slot(1, 2)] = 1;
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
