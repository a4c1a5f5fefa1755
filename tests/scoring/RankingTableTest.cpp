// The ranking table read by every output: its rows in ranking order, list by
// list, and the figures of each column, for a small evening worked by hand.
#include "scoring/Frequencies.h"
#include "scoring/Ranking.h"
#include "scoring/RankingTable.h"

#include "ScoringFixture.h"

namespace {

// One line per row: pair, place, shared place, pair as listed, names,
// score text, matchpoints won / top.
QStringList Lines(const std::vector<RankedRow>& rows) {
  QStringList lines;
  for (const RankedRow& r : rows)
    lines << QStringLiteral("%1 %2 %3 %4 %5 %6 %7/%8")
                 .arg(r.pair)
                 .arg(r.text(RankingColumn::Place), r.text(RankingColumn::SharedPlace), r.text(RankingColumn::Pair),
                      r.text(RankingColumn::Names), r.text(RankingColumn::Score).trimmed(),
                      r.text(RankingColumn::Total), r.text(RankingColumn::Top));
  return lines;
}

class RankingTableTest : public ScoringTest {};

// A Mitchell of 3 tables whose N/S pair 3 is the BYE, so table 3 never plays;
// one board a round. Board 1: N1-E1 420, N2-E2 170 (top 2: N1 and E2 get 2
// matchpoints, 100 %). Board 2: N1-E2 -100, N2-E3 -100 (each 1 of 2, 50 %).
// Averages: N1 75, E2 75, E3 50 (one board), N2 25, E1 0 (one board): N1
// and E2 tie, and the exchange sort keeps N1 first.
TEST_F(RankingTableTest, RowsFollowTheRankingAndEachListPlacesItsOwnTies) {
  layOut(3, 2, 1);
  PairLabels[3] = QStringLiteral("BYE");
  onlyTables(1, 2);
  onlyTables(2, 2);
  scores(1, {420, 170});
  scores(2, {-100, -100});
  AutoVentilation = false;
  Interactive = false;
  ComputeFrequencies();
  ComputeResults();

  const RankingTable table = BuildRankingTable();
  EXPECT_EQ(Joined(Lines(table.rows(RankingList::Merged))),
            Joined({"1 1 1= N1 Nord1 - Sud1 75.00 3/4",  //
                    "5 == 1= E2 Est2 - Ouest2 75.00 3/4",
                    "6 3 3 E3 Est3 - Ouest3 50.00 1/2",  //
                    "2 4 4 N2 Nord2 - Sud2 25.00 1/4",
                    "4 5 5 E1 Est1 - Ouest1 0.00 0/2"}));
  EXPECT_EQ(Joined(Lines(table.rows(RankingList::NorthSouth))),
            Joined({"1 1 1 1 Nord1 - Sud1 75.00 3/4", "2 2 2 2 Nord2 - Sud2 25.00 1/4"}));
  EXPECT_EQ(Joined(Lines(table.rows(RankingList::EastWest))),
            Joined({"5 1 1 2 Est2 - Ouest2 75.00 3/4",  //
                    "6 2 2 3 Est3 - Ouest3 50.00 1/2",
                    "4 3 3 1 Est1 - Ouest1 0.00 0/2"}));
  // The BYE holds no row; every pair keeps its score.
  EXPECT_EQ(table.score(5), 75);
  EXPECT_EQ(table.score(3), 0);
}

// Cumulative totals hide the pair numbers; Butler scores are whole VPs.
TEST_F(RankingTableTest, PairAndScoreTextsFollowTheTournament) {
  layOut(2, 1, 1);
  for (int i = 1; i <= 4; ++i) RankingOrder[i] = i;
  PairFinalScore[1] = 12.5, PairFinalScore[2] = 13.5, PairFinalScore[3] = 9.49, PairFinalScore[4] = 9.5;
  ImpScoring = true;
  CumulativeTotals = true;
  QStringList texts;
  const RankingTable table = BuildRankingTable();
  for (const RankedRow& r : table.rows(RankingList::Merged))
    texts << r.text(RankingColumn::Pair) + u' ' + r.text(RankingColumn::Score);
  // 12.5 and 13.5 go to the even whole number, 9.49 to 9.
  EXPECT_EQ(Joined(texts), Joined({"--       12", "--       14", "--        9", "--       10"}));
}

}  // namespace
