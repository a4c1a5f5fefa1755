#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "setup/PairLookups.h"
#include "support/TestState.h"

#include <climits>

class PairLookupsTest : public testing_support::TalvaronTest {
 protected:
  // 7 tables: N/S pairs 1..7 in slots 1..7, E/W pairs 1..7 (-1..-7) in slots 8..14.
  void SetUp() override {
    TalvaronTest::SetUp();
    ResultsPerBoard = TableCount = 7;
    PairCount = PairSlotCount = 14;
    for (int k = 1; k <= 7; ++k) {
      PairNumbers[k] = k;
      PairNumbers[7 + k] = -k;
      PairLabels[k] = QStringLiteral("NS %1").arg(k);
      PairLabels[7 + k] = QStringLiteral("EW %1").arg(k);
    }
  }
};

TEST_F(PairLookupsTest, VulnerabilityFollowsTheSixteenBoardCycle) {
  const int expected[16] = {0, 1, 2, 3, 1, 2, 3, 0, 2, 3, 0, 1, 3, 0, 1, 2};
  for (int b = 1; b <= 16; ++b) {
    EXPECT_EQ(BoardVulnerability(b), expected[b - 1]) << b;
    EXPECT_EQ(BoardVulnerability(b + 16), expected[b - 1]) << b + 16;
    EXPECT_EQ(BoardVulnerability(b + 48), expected[b - 1]) << b + 48;
  }
  // Any number a device sends, down to the lowest, is a board of the cycle.
  EXPECT_EQ(BoardVulnerability(INT_MIN), expected[15]);
  EXPECT_EQ(VulnerabilityText(1), QStringLiteral("Personne"));
  EXPECT_EQ(VulnerabilityText(2), QStringLiteral("N/S"));
  EXPECT_EQ(VulnerabilityText(3), QStringLiteral("E/W"));
  EXPECT_EQ(VulnerabilityText(4), QStringLiteral("Tous"));
  EXPECT_TRUE(DeclarerVulnerable(2, QLatin1Char('S')));
  EXPECT_FALSE(DeclarerVulnerable(2, QLatin1Char('O')));
  EXPECT_TRUE(DeclarerVulnerable(3, QLatin1Char('O')));
  // A board number outside the tournament still gives a vulnerability.
  EXPECT_GE(BoardVulnerability(0), 0);
  EXPECT_LE(BoardVulnerability(-5), 3);
}

TEST_F(PairLookupsTest, IndexFindsEastWestPairsByTheirResultNumber) {
  EXPECT_EQ(INDEX(3), 3);
  EXPECT_EQ(INDEX(10), 10);  // E/W 3 is held as -3 in slot 10
  EXPECT_EQ(FindPairSlot(15), 0);
  EXPECT_EQ(FindPairSlot(0), 0);
}

TEST_F(PairLookupsTest, IndexOfAnUnknownPairStopsAfterThreeBeepsAndOneMore) {
  ui::ScriptedInteraction ui;
  EXPECT_THROW(INDEX(15), FatalStopError);
  const QString message = QStringLiteral("Désolé, gros problème dans INDEX (15)! Le programme s'arrête. Il faut avertir Teo VARNAL...");
  EXPECT_EQ(ui.messages, QStringList{message});
  EXPECT_EQ(ui.beeps, 4);
  EXPECT_EQ(ui.pausedMs, 300);
}

TEST_F(PairLookupsTest, ByeTests) {
  PairLabels[12] = QStringLiteral(" bye ");  // E/W 5
  EXPECT_TRUE(IsByeSlot(12));
  EXPECT_FALSE(IsByeSlot(0));
  EXPECT_FALSE(IsByeSlot(43));
  EXPECT_TRUE(IsByePair(12));
  EXPECT_FALSE(IsByePair(5));
  EXPECT_FALSE(IsByePair(0));
  EXPECT_FALSE(IsByeEwPair(5));  // without Mitchell numbering 5 is N/S 5
  MitchellNumbering = true;
  EXPECT_TRUE(IsByeEwPair(5));
  EXPECT_TRUE(IsByeEwPair(12));
}

TEST_F(PairLookupsTest, PairNumberAsShown) {
  EXPECT_EQ(PairNumberText(10), QStringLiteral("3"));
  EXPECT_EQ(PairNumberText(7), QStringLiteral("7"));
  IsHowell = true;
  EXPECT_EQ(PairNumberText(10), QStringLiteral("10"));
}
