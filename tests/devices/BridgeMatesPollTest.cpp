// What one BridgeMates poll takes from a session database it cannot trust:
// rows that cannot be read, far too many rows, and the players' count that
// ends the polling of player numbers.
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "devices/BridgeMatesImport.h"
#include "devices/SessionDatabase.h"
#include "devices/TableStates.h"
#include "devices/TabletFiles.h"
#include "devices/TabletImport.h"
#include "support/BridgeMatesScorers.h"
#include "support/devices/BridgeMatesTournament.h"
#include "support/devices/TabletTables.h"
#include "support/TestDatabase.h"
#include "support/TestState.h"

#include <QDir>
#include <QElapsedTimer>

using testing_support::BridgeMatesScorers;
using testing_support::TestDatabase;

namespace {

const QString kGoOn = ". On continue quand même. Appelez l'arbitre et/ou Teo VARNAL...";

// A 7-table Mitchell of 3 boards a round (21 boards, 147 results), its
// database made; a second connection spoils or floods ReceivedData.
class BridgeMatesPollTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    testing_support::SetUpBridgeMatesMitchell(7, 3);
    testing_support::CreateMitchellDatabase(programDir());
    scorers = std::make_unique<BridgeMatesScorers>(BwsFileName);
    for (int t = 1; t <= TableCount; ++t) QDir().mkpath(TableFolder(t));
    other.open(BwsFileName);
  }
  void TearDown() override {
    scorers.reset();
    CloseSessionDatabase();
    TalvaronTest::TearDown();
  }
  static int slot(int board, int round) { return (board - 1) * 7 + round; }
  void key(int b, int r, const QString& contract) {
    const int s = slot(b, r);
    scorers->enterResult(ResultTable[s], r, b, ResultNsPair[s], ResultEwPair[s] - 7, "N", contract, "=");
  }
  void setInLastRow(const QString& column, const QVariant& value) {
    other.exec("UPDATE ReceivedData SET \"" + column + "\" = ? WHERE rowid = (SELECT MAX(rowid) FROM ReceivedData)",
               {value});
  }
  // n rows keyed for board 99, which no table plays.
  void flood(int n) {
    other.exec(QString(R"(WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1)
                         INSERT INTO ReceivedData ("Section", "Table", "Round", "Board", "PairNS", "PairEW", "NS/EW",
                         "Contract", "Result", "LeadCard", "Remarks", "Erased", "Processed")
                         SELECT 1, 1, 1, 99, 1, 1, 'N', '3 NT', '=', '', '', 0, 0 FROM n)")
                   .arg(n));
  }
  int processed() const {
    int n = 0;
    for (const QVariantMap& row : scorers->rows("ReceivedData")) n += row["Processed"].toInt() != 0;
    return n;
  }

  ui::ScriptedInteraction talk;
  std::unique_ptr<BridgeMatesScorers> scorers;
  TestDatabase other{"spoiler"};
};

}  // namespace

TEST_F(BridgeMatesPollTest, ARowThatCannotBeReadWaitsForTheNextPollAndIsToldOnce) {
  key(1, 1, "3 NT");
  key(1, 2, "2 S");
  setInLastRow("Board", QVariant());  // NULL
  key(1, 3, "4 H");
  setInLastRow("PairEW", "deux");
  key(1, 4, "1 NT");
  key(2, 5, "3 NT");
  setInLastRow("Round", "");
  ImportBridgeMatesResults();
  // The readable rows are taken; the three others neither lost nor told yet.
  EXPECT_EQ(ResultContract[slot(1, 1)], "3SN=");
  EXPECT_EQ(ResultContract[slot(1, 4)], "1SN=");
  EXPECT_EQ(ResultScore[slot(1, 2)], kScoreNone);
  EXPECT_EQ(ResultScore[slot(1, 3)], kScoreNone);
  EXPECT_EQ(ResultsEntered, 2);
  EXPECT_TRUE(talk.messages.isEmpty()) << talk.messages.join('\n').toStdString();
  QList<QVariantMap> rows = scorers->rows("ReceivedData");
  EXPECT_EQ(rows[1]["Processed"].toInt(), 0);
  EXPECT_EQ(rows[2]["Processed"].toInt(), 0);
  EXPECT_EQ(rows[4]["Processed"].toInt(), 0);

  // Told at the tenth poll that could not read them, in one message, then never again.
  for (int poll = 2; poll <= 9; ++poll) ImportBridgeMatesResults();
  EXPECT_TRUE(talk.messages.isEmpty());
  ImportBridgeMatesResults();
  ASSERT_EQ(talk.messages.size(), 1);
  const auto pairs = [](int s) {
    return "N/S=" + QString::number(ResultNsPair[s]) + " E/W=" + QString::number(ResultEwPair[s] - 7);
  };
  EXPECT_EQ(talk.messages[0],
            "(BridgeMates) 3 lignes refusées:\r\n"
            "(BridgeMates) Ligne illisible (champ \"Board\" vide ou pas un nombre), laissée non traitée pour " +
                pairs(slot(1, 2)) + " Donne=? Tour=2\r\n" +
                "(BridgeMates) Ligne illisible (champ \"PairEW\" vide ou pas un nombre), laissée non traitée pour N/S=" +
                QString::number(ResultNsPair[slot(1, 3)]) + " E/W=deux Donne=1 Tour=3\r\n" +
                "(BridgeMates) Ligne illisible (champ \"Round\" vide ou pas un nombre), laissée non traitée pour " +
                pairs(slot(2, 5)) + " Donne=2 Tour=?\r\n" + "On continue quand même. Appelez l'arbitre et/ou Teo VARNAL...");
  EXPECT_EQ(talk.beeps, 1);
  for (int poll = 11; poll <= 13; ++poll) ImportBridgeMatesResults();
  EXPECT_EQ(talk.messages.size(), 1);
  EXPECT_EQ(processed(), 2);

  // Mended in the database: taken at the next poll.
  other.exec("UPDATE ReceivedData SET \"Board\" = 1 WHERE \"Board\" IS NULL");
  ImportBridgeMatesResults();
  EXPECT_EQ(ResultContract[slot(1, 2)], "2PN=");
  EXPECT_EQ(ResultsEntered, 3);
  EXPECT_EQ(processed(), 3);
  EXPECT_EQ(talk.messages.size(), 1);
}

TEST_F(BridgeMatesPollTest, OnePollTakesABoundedShareAndTellsItsRefusalsInOneMessage) {
  // 500 rows no slot accepts (well within what 147 results allow), then a good one.
  flood(500);
  key(1, 1, "3 NT");
  QElapsedTimer clock;
  clock.start();
  ImportBridgeMatesResults();
  EXPECT_LT(clock.elapsed(), 2000);
  EXPECT_EQ(processed(), 200);
  ASSERT_EQ(talk.messages.size(), 1);
  const QStringList lines = talk.messages[0].split("\r\n");
  ASSERT_EQ(lines.size(), 23);
  EXPECT_EQ(lines[0], "(BridgeMates) 200 lignes refusées:");
  for (int i = 1; i <= 20; ++i)
    EXPECT_EQ(lines[i], "Gros BUG! CurrentEntry pas trouvé pour (3 NT) pour N/S=1 E/W=1 Donne=99 Tour=1");
  EXPECT_EQ(lines[21], "... et 180 autres");
  EXPECT_EQ(lines[22], "On continue quand même. Appelez l'arbitre et/ou Teo VARNAL...");
  EXPECT_EQ(talk.beeps, 1);
  EXPECT_EQ(ResultScore[slot(1, 1)], kScoreNone);  // waits its turn

  ImportBridgeMatesResults();
  EXPECT_EQ(processed(), 400);
  EXPECT_EQ(talk.messages.size(), 2);
  ImportBridgeMatesResults();
  EXPECT_EQ(processed(), 501);
  EXPECT_EQ(ResultContract[slot(1, 1)], "3SN=");
  ASSERT_EQ(talk.messages.size(), 3);
  EXPECT_TRUE(talk.messages[2].startsWith("(BridgeMates) 100 lignes refusées:\r\n"));
}

TEST_F(BridgeMatesPollTest, AFloodedTableIsToldOnceAndNotRead) {
  flood(20000);
  key(1, 1, "3 NT");
  QElapsedTimer clock;
  clock.start();
  ImportBridgeMatesResults();
  EXPECT_LT(clock.elapsed(), 2000);
  ASSERT_EQ(talk.messages.size(), 1);
  EXPECT_EQ(talk.messages[0], "(BridgeMates) La table \"ReceivedData\" contient 20001 lignes, bien plus que les 147 "
                              "résultats de ce tournoi ne le permettent: elle n'est pas lue" + kGoOn);
  EXPECT_EQ(processed(), 0);
  EXPECT_EQ(ResultScore[slot(1, 1)], kScoreNone);
  ImportBridgeMatesResults();
  EXPECT_EQ(talk.messages.size(), 1);

  // Cleared by hand down to what the tournament allows (10 rows a result
  // and 200 more, 1670 in all): read again, its share at a time.
  other.exec("DELETE FROM ReceivedData WHERE rowid > 1669 AND \"Board\" = 99");
  ImportBridgeMatesResults();
  EXPECT_EQ(processed(), 200);
  ASSERT_EQ(talk.messages.size(), 2);
  EXPECT_TRUE(talk.messages[1].startsWith("(BridgeMates) 200 lignes refusées:\r\n"));
  // One row more than allowed: told again.
  flood(1);
  ImportBridgeMatesResults();
  ASSERT_EQ(talk.messages.size(), 3);
  EXPECT_TRUE(talk.messages[2].startsWith("(BridgeMates) La table \"ReceivedData\" contient 1671 lignes"));
  EXPECT_EQ(processed(), 200);
}

TEST_F(BridgeMatesPollTest, EveryPlayerAtTheTablesEndsThePlayerNumbersPoll) {
  PairsEntered = false;
  PlayerCount = 1;
  PlayerNames[1] = "DUPONT Jean";
  PlayerLicences[1] = "12345";
  for (int s = 1; s <= 14; ++s) Player1Names[s] = Player2Names[s] = "";
  PlayersNamed = 0;
  // 28 seats: one known number, an unknown one, and seats nobody typed a number at.
  for (int t = 1; t <= 7; ++t)
    for (const QString seat : {"N", "S", "E", "W"}) {
      const bool typed = t % 2 == 1;
      scorers->enterPlayerNumber(t, seat, typed ? (t == 1 && seat == "N" ? "12345" : "777") : "",
                                 typed ? "Someone" : "");
    }
  ReadPlayerNumbers();
  EXPECT_EQ(Player1Names[1], "DUPONT Jean");
  EXPECT_EQ(Player2Names[1], "?");
  EXPECT_EQ(Player1Names[2], "*** Non introduit");
  EXPECT_EQ(PlayersNamed, 28);
  // Every player is there: a number typed now is not read.
  scorers->enterPlayerNumber(2, "N", "12345", "Dupont");
  ReadPlayerNumbers();
  EXPECT_EQ(scorers->rows("PlayerNumbers").last()["Processed"].toInt(), 0);
  EXPECT_EQ(Player1Names[2], "*** Non introduit");
}

TEST_F(BridgeMatesPollTest, ABoardInPlayIsComputedAsTheTabletsComputeItAndVentilatedOnceFinished) {
  AutoVentilation = true;
  TabletsInUse = true;  // tablets added to this evening: both devices bring results
  const auto row = [this](int r, const QString& contract, const QString& result, const QString& remarks = {}) {
    const int s = slot(1, r);
    scorers->enterResult(ResultTable[s], r, 1, ResultNsPair[s], ResultEwPair[s] - 7, "N", contract, result, {},
                         remarks);
  };
  // Board 1 (nobody vulnerable) of 7 tables: 90, 90, -50, a 60-40 split, and
  // three results owed. Not ventilated while in play: each 90 beats -50 and
  // ties the other, 3 matchpoints of a top of 4, 75 %; -50, 0 %.
  row(1, "1 NT", "=");
  row(2, "1 NT", "=");
  row(3, "3 S", "-1");
  row(4, "", "", "60% - 40%");
  ImportBridgeMatesResults();
  ASSERT_EQ(ResultScore[slot(1, 3)], -50);
  EXPECT_NEAR(ResultNsPercent[slot(1, 1)], 75, 1e-9);
  EXPECT_NEAR(ResultNsPercent[slot(1, 2)], 75, 1e-9);
  EXPECT_NEAR(ResultEwPercent[slot(1, 3)], 100, 1e-9);
  EXPECT_EQ(ResultNsPercent[slot(1, 4)], 60);
  // A tablet's result on board 2 (one result alone: 50 %) leaves board 1 as it was.
  const int other = slot(2, 1);
  testing_support::TabletTables().enterResult(ResultTable[other], 2, 1, ResultNsPair[other], ResultEwPair[other],
                                              "N 2PN=");
  ImportTabletResults();
  ASSERT_EQ(ResultScore[other], 110);
  EXPECT_NEAR(ResultNsPercent[slot(1, 1)], 75, 1e-9);
  EXPECT_NEAR(ResultNsPercent[slot(1, 3)], 0, 1e-9);

  // The three tables left give averages: the board is over and ventilated
  // over its 7 results. Neuberg: (matchpoints + 1) x 7 / 3 - 1 of a top of
  // 12. A 90: (3 + 1) x 7 / 3 - 1 = 25 / 3, 69.44 %; -50: 4 / 3, 11.11 %.
  for (int r = 5; r <= 7; ++r) row(r, "", "", "Not played");
  ImportBridgeMatesResults();
  ASSERT_EQ(ResultScore[slot(1, 7)], kScoreAverage);
  EXPECT_NEAR(ResultNsPercent[slot(1, 1)], 2500.0 / 36, 1e-9);
  EXPECT_NEAR(ResultNsPercent[slot(1, 3)], 400.0 / 36, 1e-9);
  testing_support::TabletTables().enterResult(ResultTable[other], 2, 1, ResultNsPair[other], ResultEwPair[other],
                                              "N 3PN=");
  ImportTabletResults();
  ASSERT_EQ(ResultScore[other], 140);
  EXPECT_NEAR(ResultNsPercent[slot(1, 1)], 2500.0 / 36, 1e-9);
  EXPECT_NEAR(ResultNsPercent[slot(1, 3)], 400.0 / 36, 1e-9);
}
