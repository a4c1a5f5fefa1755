#include "core/Fatal.h"
#include "core/ScriptedInteraction.h"
#include "scoring/Ranking.h"
#include "scoring/ResultListings.h"

#include "ScoringFixture.h"
#include "support/TestSlots.h"

#include <map>

class RankingTest : public ScoringTest {
 protected:
  // One board, one round: N/S pair t and E/W pair T + t meet at table t, so
  // each pair's average is the percentage given to it here.
  void pairs(int tables, const std::map<int, double>& score) {
    layOut(tables, 1, 1);
    fillAll(100);
    for (int t = 1; t <= tables; ++t) {
      TestSlots().nsPercent[t] = score.count(t) ? score.at(t) : 1;
      TestSlots().ewPercent[t] = score.count(tables + t) ? score.at(tables + t) : 1;
    }
  }
  std::vector<int> ranking() const {
    std::vector<int> r;
    for (int i = 1; i <= PairCount; ++i) r.push_back(RankingOrder[i]);
    return r;
  }
};

TEST_F(RankingTest, AveragesOverCountedResults) {
  layOut(2, 3, 1);
  // Board 1: a normal result; board 2: an average (counts for nobody);
  // board 3: table 1 not entered, table 2 normal.
  for (int t = 1; t <= 2; ++t) {
    TestSlots().score[slot(1, t)] = 100;
    TestSlots().nsPercent[slot(1, t)] = 30;
    TestSlots().ewPercent[slot(1, t)] = 70;
    TestSlots().score[slot(2, t)] = kScoreAverage;
  }
  TestSlots().score[slot(3, 2)] = 200;
  TestSlots().nsPercent[slot(3, 2)] = 60;
  TestSlots().ewPercent[slot(3, 2)] = 40;
  ComputeResults();
  EXPECT_DOUBLE_EQ(PairFinalScore[1], 30);
  EXPECT_DOUBLE_EQ(PairFinalScore[2], 45);
  EXPECT_DOUBLE_EQ(PairFinalScore[3], 70);  // E/W 1: board 1 only
  EXPECT_DOUBLE_EQ(PairFinalScore[4], 55);  // E/W 2: boards 1 and 3
  EXPECT_EQ(ranking(), (std::vector<int>{3, 4, 2, 1}));
}

TEST_F(RankingTest, PairWithoutResultKeepsZero) {
  pairs(2, {{1, 60}, {2, 40}, {3, 40}, {4, 60}});
  TestSlots().score[2] = kScoreNone;  // table 2 not entered: pairs 2 and 4 have nothing
  ComputeResults();
  EXPECT_DOUBLE_EQ(PairFinalScore[2], 0);
  EXPECT_DOUBLE_EQ(PairFinalScore[4], 0);
}

// The exchange sort: a pair moves only when exchanged with a better one,
// which can put it behind a pair it tied with.
TEST_F(RankingTest, ExchangeSortCanMoveATiedPairBehindItsEqual) {
  MitchellNumbering = false;
  pairs(2, {{1, 50}, {2, 50}, {3, 60}, {4, 40}});
  ComputeResults();
  EXPECT_EQ(ranking(), (std::vector<int>{3, 2, 1, 4}));

  // Equal once rounded (55.56): pairs 1 to 3 are never exchanged with each
  // other; pair 4 takes pair 1's place.
  pairs(2, {{1, 55.559}, {2, 55.561}, {3, 55.564}, {4, 70}});
  ComputeResults();
  EXPECT_EQ(ranking(), (std::vector<int>{4, 2, 3, 1}));

  pairs(3, {{1, 40}, {2, 40}, {3, 40}, {4, 40}, {5, 90}, {6, 40}});
  ComputeResults();
  EXPECT_EQ(ranking(), (std::vector<int>{5, 2, 3, 4, 1, 6}));
}

// 10 tables, 1 board, mixing 10 % (2 places): N/S 1 leads the N/S side, so
// place 2 goes to the best E/W pair, E/W 1 (pair 11), though N/S 2 and N/S 3
// tie with it. Every other pair has 1 %: the sort brought pair 11 up to place
// 4 by exchanging it with pair 4, which now stands behind N/S 10.
TEST_F(RankingTest, MixingGivesSecondPlaceToTheBestPairOfTheOtherSide) {
  pairs(10, {{1, 80}, {2, 60}, {3, 60}, {11, 60}});
  ComputeResults();
  EXPECT_EQ(ranking(), (std::vector<int>{1, 11, 2, 3, 5, 6, 7, 8, 9, 10, 4, 12, 13, 14, 15, 16, 17, 18, 19, 20}));
  // Every listing reads the tie in that order, with one place for the three.
  const std::vector<RankedRow> rows = RankedRows(RankingList::Merged);
  ASSERT_GE(rows.size(), 5u);
  QStringList head;
  for (std::size_t i = 0; i < 5; ++i) head << QString::number(rows[i].pair) + " " + rows[i].place;
  EXPECT_EQ(head, (QStringList{"1 1", "11 2", "2 ==", "3 ==", "5 5"}));
}

TEST_F(RankingTest, ScoresEqualOnceRoundedAreTies) {
  MitchellNumbering = false;
  pairs(2, {{1, 55.001}, {2, 55.004}, {3, 40}, {4, 30}});
  ComputeResults();
  EXPECT_EQ(ranking(), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_TRUE(SameRankingScore(55.001, 55.004));
  EXPECT_FALSE(SameRankingScore(55.001, 55.006));
}

TEST_F(RankingTest, RoundingToHundredthsTiesToEven) {
  EXPECT_DOUBLE_EQ(RoundTo2Decimals(0.125), 0.12);
  EXPECT_DOUBLE_EQ(RoundTo2Decimals(0.375), 0.38);
  EXPECT_DOUBLE_EQ(RoundTo2Decimals(-0.125), -0.12);
  EXPECT_DOUBLE_EQ(RoundTo2Decimals(62.5), 62.5);
  EXPECT_DOUBLE_EQ(RoundTo2Decimals(66.6666), 66.67);
}

TEST_F(RankingTest, MixingTwoPlacesInTwentySixPairs) {
  // 13 tables; E/W 4 (pair 17) is the best pair, N/S 9 the best N/S.
  pairs(13, {{9, 65}, {2, 64}, {17, 70}, {20, 66}, {15, 63}});
  ComputeResults();
  const std::vector<int> r = ranking();
  EXPECT_EQ(r[0], 17);
  EXPECT_EQ(r[1], 9);
  EXPECT_EQ(r[2], 20);  // then the ranking order goes on
  EXPECT_EQ(r[3], 2);
  EXPECT_EQ(r[4], 15);
}

TEST_F(RankingTest, MixingKeepsTiedPairsOfASideTogether) {
  MixingPercent = 30;  // 14 pairs: 4 places
  pairs(7, {{1, 70}, {2, 70}, {3, 68}, {8, 65}, {9, 60}});
  ComputeResults();
  const std::vector<int> r = ranking();
  EXPECT_EQ(std::vector<int>(r.begin(), r.begin() + 5), (std::vector<int>{1, 2, 8, 9, 3}));
}

TEST_F(RankingTest, MixingPercentOutOfRangeCountsAsTheDefault) {
  const std::map<int, double> scores{{9, 65}, {2, 64}, {17, 70}, {20, 66}, {15, 63}};
  pairs(13, scores);
  ComputeResults();
  const std::vector<int> byDefault = ranking();
  for (int percent : {150, -5}) {
    MixingPercent = percent;
    pairs(13, scores);
    ComputeResults();
    EXPECT_EQ(ranking(), byDefault) << percent;
  }
}

TEST_F(RankingTest, NoMixingWithoutMitchellNumbering) {
  pairs(13, {{9, 65}, {17, 70}, {20, 66}});
  MitchellNumbering = false;
  ComputeResults();
  EXPECT_EQ(ranking()[1], 20);
}

TEST_F(RankingTest, SearchNextTakesTheFirstPairOfASide) {
  ResultsPerBoard = 3;
  PairCount = 6;
  std::vector<int> l{0, 5, 2, 4, 1, 6, 3};
  EXPECT_EQ(SearchNext(l, 1, true), 2);
  EXPECT_EQ(SearchNext(l, 1, false), 2);
  EXPECT_EQ(SearchNext(l, 1, false), 1);
  EXPECT_EQ(SearchNext(l, 2, false), 5);
  EXPECT_EQ(l, (std::vector<int>{0, 0, 0, 4, 0, 6, 3}));
  EXPECT_EQ(SearchNext(l, 1, false), 3);
  ui::ScriptedInteraction ui;
  EXPECT_THROW(SearchNext(l, 1, true), FatalStopError);
  EXPECT_EQ(ui.messages, QStringList{QStringLiteral("Erreur non prévue dans SearchNext")});
}

TEST_F(RankingTest, ResultAdjustedWithoutPercentagesStopsAnInteractivePass) {
  ui::ScriptedInteraction ui;
  pairs(3, {{1, 60}, {2, 40}, {3, 50}, {4, 40}, {5, 60}, {6, 50}});
  TestSlots().score[3] = kScoreAdjusted;
  TestSlots().ewPercent[3] = 0;
  PairFinalScore[1] = 12.5;
  RankingOrder[1] = 6;
  Interactive = true;
  ui.answer(1);
  ComputeResults();
  ASSERT_EQ(ui.choices.size(), 1);
  EXPECT_EQ(ui.choices[0].form, QStringLiteral("TForm22"));
  EXPECT_EQ(ui.choices[0].text, QStringLiteral("Ajuster manuellement la donne 1 par N3 contre E3."));
  EXPECT_DOUBLE_EQ(PairFinalScore[1], 12.5);  // nothing ranked, nothing half-done
  EXPECT_EQ(RankingOrder[1], 6);

  Interactive = false;
  ComputeResults();
  EXPECT_DOUBLE_EQ(PairFinalScore[1], 60);
  EXPECT_DOUBLE_EQ(PairFinalScore[3], 0);  // the adjusted result adds nothing
  EXPECT_EQ(RankingOrder[1], 1);
}

TEST_F(RankingTest, PenaltiesAndBonusesInMatchpoints) {
  pairs(3, {{1, 60}, {2, 0.8}, {3, 99.5}, {4, 40}, {5, 60}, {6, 50}});
  writeFile(".PEN",
            "1 -1\r\n"
            "2 -1.5\r\n"
            "3 1\r\n"
            "0 2\r\n"
            "7 2\r\n"
            "6 0,5\r\n");
  ComputeResults();
  EXPECT_DOUBLE_EQ(PairFinalScore[1], 59);
  EXPECT_DOUBLE_EQ(PairFinalScore[2], 0.8);
  EXPECT_DOUBLE_EQ(PairFinalScore[3], 99.5);
  EXPECT_DOUBLE_EQ(PairFinalScore[6], 50.5);
}

TEST_F(RankingTest, PenaltiesAreListedAndTheWindowsComeAfterTheRanking) {
  class CheckingInteraction : public ui::ScriptedInteraction {
   public:
    int choose(const ui::Choice& c) override {
      rankedFirst << RankingOrder[1];
      return ScriptedInteraction::choose(c);
    }
    QList<int> rankedFirst;
  } ui;
  pairs(3, {{1, 60}, {2, 0.8}, {3, 50}, {4, 40}, {5, 62}, {6, 50}});
  writeFile(".PEN", "2 -1.5\r\n5 -3\r\n99 1\r\n");
  Interactive = true;
  ui.answer(1).answer(1);
  ComputeResults();
  ASSERT_EQ(ui.choices.size(), 2);
  EXPECT_EQ(Joined(ui.choices[0].extra.value(QStringLiteral("lines")).toStringList()),
            Joined(QStringList{
                QStringLiteral("Ajustements finaux des résultats:"),
                QString(),
                QStringLiteral("  -1.50 % à la paire N2 : Nord2 - Sud2"),
                QStringLiteral("Résultat de   -0.70 impossible... pas d'ajustement!"),
                QStringLiteral("  -3.00 % à la paire E2 : Est2 - Ouest2"),
                QStringLiteral("Ligne 3 du fichier TEST1.PEN ignorée (incorrecte) : 99 1"),
            }));
  EXPECT_EQ(ui.choices[1].form, QStringLiteral("TForm21"));
  EXPECT_EQ(ui.choices[1].text, QStringLiteral("Faut-il imprimer les ajustements et pénalités?"));
  // The listing was printed: the printout holds the penalties read.
  EXPECT_TRUE(testing_support::readBytes(PrintFile).contains("  -1.50% \xE0 la paire N2 : Nord2 - Sud2"));
  // E/W 2 went from 62 to 59: pair 1 leads, already while the windows were open.
  EXPECT_EQ(ui.rankedFirst, (QList<int>{1, 1}));
}

TEST_F(RankingTest, AnAdjustmentsFileAloneOffersThePrintout) {
  ui::ScriptedInteraction ui;
  pairs(2, {{1, 60}});
  writeFile(".ADJ", "1 1 60 40\r\n");
  Interactive = true;
  ui.answer(2);
  ComputeResults();
  ASSERT_EQ(ui.choices.size(), 1);
  EXPECT_EQ(ui.choices[0].form, QStringLiteral("TForm21"));
}

TEST_F(RankingTest, ImpTotalsRoundEachMatchWithoutVictoryPointsBelowEightBoards) {
  ImpScoring = true;
  layOut(2, 9, 3);
  fillAll(100);
  // Pair 1 sits N/S at table 1 all session.
  const double imps[9] = {2.5, 0, 0, 1.5, 0, 0, -0.5, 0, 0};
  for (int b = 1; b <= 9; ++b) {
    TestSlots().nsPercent[slot(b, 1)] = imps[b - 1];
    TestSlots().ewPercent[slot(b, 1)] = -imps[b - 1];
  }
  ComputeResults();
  EXPECT_DOUBLE_EQ(PairFinalScore[1], 2 + 2 + 0);  // 2.5 -> 2, 1.5 -> 2, -0.5 -> 0
  IsPatton = true;
  ComputeResults();
  EXPECT_DOUBLE_EQ(PairFinalScore[1], 3.5);
}

TEST_F(RankingTest, ImpTotalsInVictoryPointsWithEightBoardsPerRound) {
  ImpScoring = true;
  layOut(2, 16, 8);
  fillAll(100);
  TestSlots().nsPercent[slot(1, 1)] = 9;
  TestSlots().ewPercent[slot(1, 1)] = -9;
  TestSlots().nsPercent[slot(9, 1)] = -3;
  TestSlots().ewPercent[slot(9, 1)] = 3;
  writeFile(".PEN", "1 -40\r\n");
  ComputeResults();
  EXPECT_DOUBLE_EQ(PairFinalScore[1], 18 + 14 - 40);  // below 0 is kept in IMP scoring
  // E/W 1 met pair 1 in round 1 (-9: 12 VP); in round 2 E/W 2 did (+3: 16 VP).
  EXPECT_DOUBLE_EQ(PairFinalScore[3], 12 + 15);
  EXPECT_DOUBLE_EQ(PairFinalScore[4], 15 + 16);
}
