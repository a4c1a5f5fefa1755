// The ".ADJ" and ".PEN" files as a club's results folder holds them: among
// many other files, copied in with another case, or holding values out of
// all reason.
#include "core/ScriptedInteraction.h"
#include "scoring/Frequencies.h"
#include "scoring/Ranking.h"

#include "ScoringFixture.h"
#include "support/TestSlots.h"

#include <QFile>

#include <vector>

class AdjustmentFilesTest : public ScoringTest {
 protected:
  // Three boards of four tables, every result in, one per round.
  void SetUp() override {
    ScoringTest::SetUp();
    layOut(4, 3, 1);
    const int scores[] = {420, 450, -50, 170, 110, 140, -100, 620, 650, 400, -200, 90};
    for (int s = 1; s <= ResultSlotCount; ++s) TestSlots().score[s] = scores[s - 1];
  }
  std::vector<double> recompute() {
    ComputeFrequencies();
    ComputeResults();
    std::vector<double> r;
    for (int i = 1; i <= PairCount; ++i) r.push_back(RankingOrder[i] * 1000.0 + PairFinalScore[RankingOrder[i]]);
    return r;
  }
};

TEST_F(AdjustmentFilesTest, ALowerCaseAdjFileAmongTwoThousandIsFound) {
  writeFile(".ADJ", "2 1 70 30\r\n");
  const std::vector<double> expected = recompute();
  QFile::remove(DataFolder + "TEST1.ADJ");
  for (int i = 0; i < 2000; ++i) testing_support::writeBytes(DataFolder + QStringLiteral("T%1.VAR").arg(i), "0\r\n");
  TestSlots().score[2] = 450;
  const std::vector<double> without = recompute();  // the folder's names are known from here on
  EXPECT_NE(without, expected);
  testing_support::writeBytes(DataFolder + "test1.adj", "2 1 70 30\r\n");
  EXPECT_EQ(recompute(), expected);
}

TEST_F(AdjustmentFilesTest, ValuesOutOfAllReasonAreReportedAndSkipped) {
  ui::ScriptedInteraction ui;
  ImpScoring = true;
  BoardsPerTable = 1;
  const std::vector<double> expected = recompute();
  writeFile(".ADJ", "2 1 6e21 -6e21\r\n3 1 25 -3\r\n");
  writeFile(".PEN", "1 1e300\r\n");
  EXPECT_EQ(recompute(), expected);
  Interactive = true;
  ui.answer(1).answer(1).answer(2);
  ResultsAvailable = true;
  recompute();
  ASSERT_GE(ui.choices.size(), 2u);
  EXPECT_TRUE(ui.choices[0].extra.value("lines").toStringList().contains(
      QStringLiteral("Ligne 1 du fichier TEST1.ADJ ignorée (incorrecte) : 2 1 6e21 -6e21")));
  EXPECT_TRUE(ui.choices[0].extra.value("lines").toStringList().contains(
      QStringLiteral("Ligne 2 du fichier TEST1.ADJ ignorée (incorrecte) : 3 1 25 -3")));
  EXPECT_TRUE(ui.choices[1].extra.value("lines").toStringList().contains(
      QStringLiteral("Ligne 1 du fichier TEST1.PEN ignorée (incorrecte) : 1 1e300")));
}
