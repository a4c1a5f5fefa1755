#include "core/Fatal.h"
#include "core/DealDiagrams.h"
#include "core/Globals.h"
#include "core/Flows.h"
#include "core/ScriptedInteraction.h"
#include "devices/BridgeMatesCorrections.h"
#include "devices/BridgeMatesImport.h"
#include "devices/BridgeMatesTables.h"
#include "devices/SessionDatabase.h"
#include "devices/TablePlayers.h"
#include "devices/TableStates.h"
#include "devices/TabletFiles.h"
#include "scoring/Adjustments.h"
#include "scoring/ScoreSheet.h"
#include "scoring/TableSheet.h"
#include "support/BridgeMatesScorers.h"
#include "support/devices/BridgeMatesTournament.h"
#include "support/TestDatabase.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

#include <QDir>
#include <QFile>

#include <climits>

using testing_support::BridgeMatesScorers;
using testing_support::readBytes;

namespace {

// A 7-table Mitchell of 3 boards a round, its database made, its results
// keyed by the scorers' helper.
class BridgeMatesPlayTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    testing_support::SetUpBridgeMatesMitchell(7, 3);
    createDatabase();
    flowWindows().notices.insert("TForm109", {[this](const QString&) { ++infoShown; }, [] {}});
  }
  void TearDown() override {
    flowWindows().notices.remove("TForm109");
    scorers.reset();
    CloseSessionDatabase();
    TalvaronTest::TearDown();
  }
  void createDatabase() {
    scorers.reset();
    testing_support::CreateMitchellDatabase(programDir());
    scorers = std::make_unique<BridgeMatesScorers>(BwsFileName);
    for (int t = 1; t <= TableCount; ++t) QDir().mkpath(TableFolder(t));
  }
  // Slot of board b in round r (the movement's order).
  static int slot(int board, int round) { return (board - 1) * 7 + round; }
  QStringList adjLines() const {
    return QString::fromLatin1(readBytes(dataDir() + "20261207.ADJ")).split("\r\n", Qt::SkipEmptyParts);
  }
  QList<QVariantMap> received() const { return scorers->rows("ReceivedData"); }
  // A scorer's row for board b of round r, at the table and pairs of its slot.
  void key(int b, int r, const QString& declarer, const QString& contract, const QString& result,
           const QString& lead = {}, const QString& remarks = {}) {
    const int s = slot(b, r);
    scorers->enterResult(ResultTable[s], r, b, ResultNsPair[s], ResultEwPair[s] - 7, declarer, contract, result, lead,
                         remarks);
  }
  // Board 1 of round 1 (table 1, N/S pair 1 against E/W pair 8) collected
  // as 3SN=, then swapped at the board's sheet, which is left on its line;
  // the pairs numbered as in a Howell from the swap on when asked.
  void collectAndSwap(ScoreSheet& sheet, bool thenAsHowell) {
    key(1, 1, "N", "3 NT", "=");
    ImportBridgeMatesResults();
    const int s = slot(1, 1);
    ASSERT_EQ(ResultContract[s], "3SN=");
    if (thenAsHowell) MitchellNumbering = false;
    sheet.layOut(1);
    for (int line = 1; line <= sheet.lineCount(); ++line)
      if (sheet.slotOfLine(line) == s) sheet.setCurrentLine(line);
    sheet.swapCurrent();
  }
  void erase(int b, int r) {
    const int s = slot(b, r);
    scorers->eraseResult(ResultTable[s], r, b, ResultNsPair[s], ResultEwPair[s] - 7);
  }

  ui::ScriptedInteraction talk;
  std::unique_ptr<BridgeMatesScorers> scorers;
  int infoShown = 0;
};

}  // namespace

TEST_F(BridgeMatesPlayTest, ScorersRowsBecomeResultsOnce) {
  // Board 1, round 1 is at table 1 with E/W pair 8 (1 for the scorers).
  key(1, 1, "W", "4 NT xx", "+1", "HK");
  key(1, 2, "", "PASS", "");
  key(1, 3, "", "", "", "", "55% - 45%");
  ImportBridgeMatesResults();
  EXPECT_TRUE(talk.messages.isEmpty()) << talk.messages.join('\n').toStdString();
  const int s = slot(1, 1);
  EXPECT_EQ(ResultContract[s], "4SXXO+1");
  EXPECT_EQ(ResultLead[s], "RC");
  EXPECT_EQ(ResultDeclarer[s], "O");
  EXPECT_EQ(ResultScore[s], -1120);
  EXPECT_EQ(ResultContract[slot(1, 2)], "PASSE");
  EXPECT_EQ(ResultScore[slot(1, 2)], 0);
  EXPECT_EQ(ResultContract[slot(1, 3)], "AJU.");
  EXPECT_EQ(ResultScore[slot(1, 3)], kScoreAdjusted);
  EXPECT_EQ(ResultNsPercent[slot(1, 3)], 55);
  EXPECT_EQ(ResultEwPercent[slot(1, 3)], 45);
  EXPECT_EQ(adjLines(), QStringList{"3 1 55 45"});
  for (const QVariantMap& row : received()) EXPECT_EQ(row["Processed"].toInt(), 1);
  EXPECT_EQ(ResultsEntered, 3);
  // Saved at once: the results file holds the contract.
  EXPECT_TRUE(readBytes(dataDir() + "20261207.VAR").contains("4SXXO+1"));

  // Nothing new: nothing changes; the same split again adds no line; a new
  // split replaces the line.
  ImportBridgeMatesResults();
  key(1, 3, "", "", "", "", "55% - 45%");
  ImportBridgeMatesResults();
  EXPECT_EQ(adjLines(), QStringList{"3 1 55 45"});
  key(1, 3, "", "", "", "", "60% - 40%");
  ImportBridgeMatesResults();
  EXPECT_EQ(adjLines(), QStringList{"3 1 60 40"});
  // A contract over the split removes its line.
  key(1, 3, "N", "3 S", "=", "SX");
  ImportBridgeMatesResults();
  EXPECT_TRUE(adjLines().isEmpty());
  EXPECT_EQ(ResultLead[slot(1, 3)], "2P");  // "X", a small card, is shown as a two
  EXPECT_EQ(ResultsEntered, 3);
}

TEST_F(BridgeMatesPlayTest, RefusedRowsAreToldAfterTheOthersAreStoredAndSaved) {
  key(1, 1, "N", "8 S", "=");
  key(1, 2, "S", "2 H", "-1", "DT");
  scorers->enterResult(6, 3, 1, 6, 5, "N", "2 H", "=", "");  // no such slot
  scorers->enterResult(1, 1, INT_MIN, 1, 1, "N", "2 H", "=", "");  // nor such a board
  key(1, 4, "E", "3 NT", "+2", "Z9");
  ImportBridgeMatesResults();
  EXPECT_EQ(ResultScore[slot(1, 1)], kScoreNone);
  EXPECT_EQ(ResultContract[slot(1, 2)], "2CS-1");
  EXPECT_EQ(ResultLead[slot(1, 2)], "10K");
  EXPECT_EQ(ResultScore[slot(1, 2)], -50);
  EXPECT_EQ(ResultLead[slot(1, 4)], "?");  // unreadable lead, result kept
  EXPECT_EQ(ResultScore[slot(1, 4)], -460);
  // The pass's refusals in one message, in the order of the rows.
  ASSERT_EQ(talk.messages.size(), 1);
  const QStringList lines = talk.messages[0].split("\r\n");
  ASSERT_EQ(lines.size(), 5);
  EXPECT_EQ(lines[0], "(BridgeMates) 3 lignes refusées:");
  EXPECT_EQ(lines[1], "Gros BUG! Nombre  incorrect (8 S) pour N/S=1 E/W=1 Donne=1 Tour=1");
  EXPECT_EQ(lines[2], "Gros BUG! CurrentEntry pas trouvé pour (2 H) pour N/S=6 E/W=5 Donne=1 Tour=3");
  EXPECT_EQ(lines[3], "Gros BUG! CurrentEntry pas trouvé pour (2 H) pour N/S=1 E/W=1 Donne=-2147483648 Tour=1");
  EXPECT_EQ(lines[4], "On continue quand même. Appelez l'arbitre et/ou Teo VARNAL...");
  EXPECT_EQ(talk.beeps, 1);
  EXPECT_TRUE(readBytes(dataDir() + "20261207.VAR").contains("2CS-1"));
  for (const QVariantMap& row : received()) EXPECT_EQ(row["Processed"].toInt(), 1);
}

TEST_F(BridgeMatesPlayTest, ARowThatCannotBeReadStaysForTheNextPoll) {
  testing_support::TestDatabase db("unreadable");
  db.open(BwsFileName);
  key(1, 1, "N", "3 NT", "=");
  db.exec("ALTER TABLE ReceivedData DROP COLUMN LeadCard");
  EXPECT_THROW(ImportBridgeMatesResults(), SessionDatabaseError);
  EXPECT_EQ(received()[0]["Processed"].toInt(), 0);
  db.exec("ALTER TABLE ReceivedData ADD COLUMN LeadCard TEXT");
  ImportBridgeMatesResults();
  EXPECT_EQ(ResultContract[slot(1, 1)], "3SN=");
}

TEST_F(BridgeMatesPlayTest, ASecondSectionStopsTheProgramAfterSavingWhatWasTaken) {
  key(1, 1, "N", "3 NT", "=");
  key(1, 2, "N", "3 NT", "=");
  scorers->moveLastRowToSection("ReceivedData", 2);
  EXPECT_THROW(ImportBridgeMatesResults(), FatalStopError);
  EXPECT_EQ(talk.messages.last(),
            "(BridgeMates) Le champ \"Section\" n'est pas \"1\" dans la table \"ReceivedData\". Désolé, on arrête!");
  EXPECT_FALSE(SessionDatabaseIsOpen());
  EXPECT_TRUE(readBytes(dataDir() + "20261207.VAR").contains("3SN="));
}

TEST_F(BridgeMatesPlayTest, ErasedRowsAndOwnRowsAndTheTablets) {
  key(1, 1, "N", "3 NT", "=");
  ImportBridgeMatesResults();
  const QString table1 = TableFolder(1);
  EXPECT_EQ(readBytes(table1 + "/RESS1.TXT"), "1 1 1 1 1 1 8 N 3SN= ?\r\n");
  // Our own correction is passed over, the scorers' erase is taken.
  AppendChangedResult(slot(1, 1));
  erase(1, 1);
  ImportBridgeMatesResults();
  EXPECT_EQ(ResultScore[slot(1, 1)], kScoreNone);
  EXPECT_EQ(ResultsEntered, 0);
  EXPECT_EQ(readBytes(table1 + "/RESS2.TXT"), "1 1 2 1 1 1 8 ? DELETE ?\r\n");
  EXPECT_EQ(received().size(), 3);

  // Tablets added: the result goes as the tablets' own line.
  TabletsInUse = true;
  key(1, 1, "N", "3 NT", "=");
  erase(1, 1);
  ImportBridgeMatesResults();
  EXPECT_TRUE(readBytes(table1 + "/RESS1.TXT").endsWith("1 1 999 1 1 1 8 declarant DELETE Entame=?\r\n"));
  EXPECT_FALSE(QFile::exists(table1 + "/RESX1.TXT"));
}

TEST_F(BridgeMatesPlayTest, TheEastWestNumberOfTenTables) {
  testing_support::SetUpBridgeMatesMitchell(10, 1);
  for (int t = 1; t <= TableCount; ++t) QDir().mkpath(TableFolder(t));
  scorers->enterResult(3, 1, 3, 3, 3, "S", "1 C", "=", "");
  ImportBridgeMatesResults();
  const int s = (3 - 1) * 10 + 1;
  ASSERT_EQ(ResultEwPair[s], 13);
  EXPECT_EQ(ResultContract[s], "1TS=");
}

TEST_F(BridgeMatesPlayTest, ATableIsCompleteByItsOwnSlots) {
  // Table 2's slots are spread over the boards (board 4 in round 1, board 1
  // in round 2...): all but its last one keyed, then the last.
  QList<std::pair<int, int>> played;
  for (int b = 1; b <= BoardCount; ++b)
    for (int r = 1; r <= 7; ++r)
      if (ResultTable[slot(b, r)] == 2) played.append({b, r});
  ASSERT_EQ(played.size(), 21);
  for (qsizetype i = 0; i + 1 < played.size(); ++i) key(played[i].first, played[i].second, "N", "1 NT", "=");
  ImportBridgeMatesResults();
  EXPECT_FALSE(IsTableComplete(2));
  EXPECT_EQ(tableStatusStrip().states[2], TableWaiting);
  key(played.last().first, played.last().second, "N", "1 NT", "=");
  ImportBridgeMatesResults();
  EXPECT_TRUE(IsTableComplete(2));
  EXPECT_EQ(tableStatusStrip().states[2], TableFinished);
  EXPECT_FALSE(IsTableComplete(1));
}

TEST_F(BridgeMatesPlayTest, CorrectionsGoToTheDatabaseTaggedAsOurs) {
  const int s = slot(1, 1);
  TestSlots().contract[s] = "4SXXO+1";
  TestSlots().lead[s] = "RC";
  TestSlots().declarer[s] = "O";
  TestSlots().score[s] = -1120;
  AppendChangedResult(s);
  TestSlots().contract[s] = "";
  TestSlots().score[s] = 420;
  AppendChangedResult(s);
  TestSlots().contract[s] = "3PN=";
  TestSlots().declarer[s] = "";
  TestSlots().lead[s] = "?";
  AppendChangedResult(s);
  TestSlots().score[s] = kScoreNone;
  AppendChangedResult(s);
  AppendNotPlayedResult(s);
  AppendCorrectedResult(s, "Arbitral score (60%-40%)");
  const QList<QVariantMap> rows = received();
  ASSERT_EQ(rows.size(), 6);
  EXPECT_EQ(rows[0]["Contract"], "4 NT XX");
  EXPECT_EQ(rows[0]["Result"], "+1");
  EXPECT_EQ(rows[0]["NS/EW"], "O");
  EXPECT_EQ(rows[0]["LeadCard"], "HK");
  EXPECT_EQ(rows[0]["Declarer"].toInt(), 1);
  EXPECT_EQ(rows[0]["Remarks"], "Morvel");
  EXPECT_EQ(rows[0]["PairNS"].toInt(), 1);
  EXPECT_EQ(rows[0]["PairEW"].toInt(), 1);
  EXPECT_EQ(rows[0]["Processed"].toInt(), 0);
  EXPECT_EQ(rows[0]["Section"].toString(), "1");
  EXPECT_EQ(rows[1]["Remarks"], "(420) (Morvel)");
  EXPECT_EQ(rows[2]["Contract"], "3 S ");
  EXPECT_EQ(rows[2]["Result"], "=");
  EXPECT_EQ(rows[2]["NS/EW"], "N");
  EXPECT_EQ(rows[3]["Erased"].toInt(), 1);
  EXPECT_EQ(rows[4]["Remarks"], "Not played (Morvel)");
  EXPECT_EQ(rows[5]["Remarks"], "Arbitral score (60%-40%) (Morvel)");
  EXPECT_EQ(rows[5]["Declarer"].toInt(), 0);
  EXPECT_EQ(infoShown, 6);
  EXPECT_EQ(talk.beeps, 12);
  // None of them comes back as a result.
  ImportBridgeMatesResults();
  EXPECT_EQ(ResultScore[s], kScoreNone);

  TabletsInUse = true;
  AppendNotPlayedResult(s);
  EXPECT_EQ(infoShown, 6);
  EXPECT_EQ(received().size(), 7);
  TabletsInUse = false;
  BridgeMatesMode = false;
  AppendChangedResult(s);
  AppendNotPlayedResult(s);
  AppendCorrectedResult(s, "x");
  EXPECT_EQ(received().size(), 7);
  EXPECT_EQ(infoShown, 6);
}

TEST_F(BridgeMatesPlayTest, LogOnsColourTheStripAndUnknownTablesAreToldOnce) {
  LayOutTableStatusStrip(7);
  scorers->logOn(3);
  ReadTableStates();
  EXPECT_EQ(tableStatusStrip().states[3], TableLoggedOn);
  EXPECT_EQ(scorers->rows("Tables")[2]["LogOnOff"].toInt(), 0);
  EXPECT_EQ(tableStatusStrip().states[4], TableWaiting);
  // A row naming table 9 of a 7-table tournament: reset, told once.
  scorers->logOnNewTable(9);
  ReadTableStates();
  ReadTableStates();
  ASSERT_EQ(talk.messages.size(), 1);
  EXPECT_TRUE(talk.messages[0].contains("La table 9 de la table \"Tables\""));
  EXPECT_EQ(scorers->rows("Tables").last()["LogOnOff"].toInt(), 0);
  LayOutTableStatusStrip(7);
  EXPECT_EQ(tableStatusStrip().states[3], TableWaiting);
}

TEST_F(BridgeMatesPlayTest, PlayerNumbersSeatThePlayers) {
  PairsEntered = false;
  PlayerCount = 2;
  PlayerNames[1] = "DUPONT Jean";
  PlayerLicences[1] = "12345";
  PlayerNames[2] = "MARTIN Anne";
  PlayerLicences[2] = "678";
  for (int s = 1; s <= 14; ++s) Player1Names[s] = Player2Names[s] = "";
  PlayersNamed = 0;
  createDatabase();
  scorers->enterPlayerNumber(3, "E", "12345", "Dupont");
  scorers->enterPlayerNumber(3, "O", "999", "Someone");
  scorers->enterPlayerNumber(4, "N", "", "");
  scorers->enterPlayerNumber(9, "S", "678", "Martin");
  scorers->enterPlayerNumber(-3, "E", "678", "Martin");  // no table, not East of table 4
  ReadPlayerNumbers();
  EXPECT_EQ(Player1Names[10], "DUPONT Jean");
  EXPECT_EQ(Player1Licences[10], "12345");
  EXPECT_EQ(Player2Names[10], "?");
  EXPECT_EQ(PairLabels[10], "DUPONT Jean - ?");
  EXPECT_EQ(Player1Names[4], "*** Non introduit");
  EXPECT_EQ(Player1Licences[4], "0");
  EXPECT_EQ(PlayersNamed, 3);  // "?" and "*** Non introduit" are players too
  ASSERT_EQ(talk.messages.size(), 2);
  EXPECT_TRUE(talk.messages[0].contains("La table 9"));
  EXPECT_TRUE(talk.messages[1].contains("La table -3"));
  for (const QVariantMap& row : scorers->rows("PlayerNumbers")) EXPECT_EQ(row["Processed"].toInt(), 1);
  // The same number typed again is not one more player.
  scorers->enterPlayerNumber(3, "E", "12345", "Dupont");
  ReadPlayerNumbers();
  EXPECT_EQ(PlayersNamed, 3);
  EXPECT_EQ(talk.messages.size(), 2);
  EXPECT_TRUE(readBytes(dataDir() + "20261207.PAI").contains("DUPONT Jean"));
}

TEST_F(BridgeMatesPlayTest, TabletsAddedCopyTheirPlayersAndDealsIntoTheDatabase) {
  WritePlayerNumberRow(2, "12345", "DUPONT Jean", 'O');
  EXPECT_TRUE(scorers->rows("PlayerNumbers").size() == 0 ||
              scorers->rows("PlayerNumbers").last()["Name"] != "DUPONT Jean");
  TabletsInUse = true;
  const qsizetype before = scorers->rows("PlayerNumbers").size();
  WritePlayerNumberRow(2, "12345", "DUPONT Jean", 'O');
  const QList<QVariantMap> players = scorers->rows("PlayerNumbers");
  ASSERT_EQ(players.size(), before + 1);
  EXPECT_EQ(players.last()["Direction"], "O");
  EXPECT_EQ(players.last()["Processed"].toInt(), 1);
  EXPECT_EQ(players.last()["Updated"].toInt(), 1);
}

TEST_F(BridgeMatesPlayTest, DealsKeyedAtTheTablesBecomeDiagrams) {
  const QStringList deal = {"AKQJ", "T98", "765", "432", "T98", "765", "432", "AKQJ",
                            "765",  "432", "AKQJ", "T98", "432", "AKQJ", "T98", "765"};
  scorers->enterHandRecord(2, deal);
  PollHandRecords();
  EXPECT_FALSE(DealDiagrams[2].isEmpty());
  EXPECT_TRUE(DealDiagrams[1].isEmpty());
  EXPECT_TRUE(QFile::exists(TabletSharedFolder + "/Diagrammes/S2.TXT"));
  // Tablets added: the deal goes back as the board's one row.
  TabletsInUse = true;
  WriteHandRecordRow(2);
  int rows = 0;
  for (const QVariantMap& row : scorers->rows("HandRecord"))
    if (row["Board"].toInt() == 2) {
      ++rows;
      EXPECT_EQ(row["NorthSpades"], "AKQJ");
      EXPECT_EQ(row["WestClubs"], "765");
    }
  EXPECT_EQ(rows, 1);
}

TEST_F(BridgeMatesPlayTest, RowsStayUnprocessedUntilTheirResultsAreSaved) {
  key(1, 1, "N", "3 NT", "=");
  key(1, 2, "", "", "", "", "60% - 40%");
  // The results file cannot be written (a folder stands in its place).
  QDir().mkpath(dataDir() + "20261207.VAR");
  EXPECT_ANY_THROW(ImportBridgeMatesResults());
  for (const QVariantMap& row : received()) EXPECT_EQ(row["Processed"].toInt(), 0);
  EXPECT_FALSE(QFile::exists(TableFolder(1) + "/RESS1.TXT"));
  EXPECT_FALSE(SessionDatabaseIsOpen());

  // Taken again at the next poll, as after a restart: one line, one echo each.
  QDir().rmdir(dataDir() + "20261207.VAR");
  ImportBridgeMatesResults();
  for (const QVariantMap& row : received()) EXPECT_EQ(row["Processed"].toInt(), 1);
  EXPECT_EQ(adjLines(), QStringList{QString("%1 1 60 40").arg(slot(1, 2))});
  EXPECT_TRUE(readBytes(dataDir() + "20261207.VAR").contains("3SN="));
  EXPECT_EQ(readBytes(TableFolder(1) + "/RESS1.TXT"), "1 1 1 1 1 1 8 N 3SN= ?\r\n");
  EXPECT_FALSE(QFile::exists(TableFolder(1) + "/RESS2.TXT"));
  EXPECT_EQ(ResultsEntered, 2);
}

TEST_F(BridgeMatesPlayTest, ARowReplacesEveryAdjustmentLineOfItsSlot) {
  // Lines left by a poll that was stopped before its results were saved:
  // the slots themselves hold no split.
  const QString old = QString("%1 1 60 40\r\n%2 1 55 45\r\n%1 1 40 60\r\n").arg(slot(1, 1)).arg(slot(1, 2));
  testing_support::writeBytes(dataDir() + "20261207.ADJ", old.toUtf8());
  key(1, 1, "N", "3 NT", "=");
  ImportBridgeMatesResults();
  EXPECT_EQ(adjLines(), QStringList{QString("%1 1 55 45").arg(slot(1, 2))});
  EXPECT_EQ(ResultContract[slot(1, 1)], "3SN=");

  // A split taken twice (the row read again after a crash) keeps one line.
  testing_support::writeBytes(dataDir() + "20261207.ADJ", old.toUtf8());
  key(1, 1, "", "", "", "", "70% - 30%");
  ImportBridgeMatesResults();
  testing_support::TestDatabase db("again");
  db.open(BwsFileName);
  db.exec("UPDATE ReceivedData SET Processed = 0 WHERE rowid = (SELECT MAX(rowid) FROM ReceivedData)");
  ImportBridgeMatesResults();
  EXPECT_EQ(adjLines(), QStringList({QString("%1 1 55 45").arg(slot(1, 2)), QString("%1 1 70 30").arg(slot(1, 1))}));
  EXPECT_EQ(ResultNsPercent[slot(1, 1)], 70);
}

// A crash between a result's save and its correction row: on resume the
// control program gets the row of each slot whose last row says otherwise.
TEST_F(BridgeMatesPlayTest, AResumeSendsTheCorrectionsTheControlProgramLacks) {
  key(1, 1, "N", "3 NT", "=");
  key(1, 2, "N", "4 H", "=");
  key(1, 6, "N", "2 S", "=");
  ImportBridgeMatesResults();
  ASSERT_EQ(ResultContract[slot(1, 1)], "3SN=");
  // Board 1 round 2 changed at the desk, its row lost; board 1 round 3 typed
  // at the desk, its row lost; board 1 round 4 typed, its row sent; board 1
  // round 5 erased with the Delete key; board 1 round 6 erased, row lost.
  const auto store = [](int s, const QString& contract, int score) {
    TestSlots().contract[s] = contract;
    TestSlots().score[s] = score;
    TestSlots().declarer[s] = "N";
    TestSlots().lead[s] = "?";
  };
  store(slot(1, 2), "4CN+1", 450);
  store(slot(1, 3), "3SN=", 400);
  store(slot(1, 4), "1PN=", 80);
  AppendChangedResult(slot(1, 4));
  AppendNotPlayedResult(slot(1, 5));
  TestSlots().score[slot(1, 6)] = kScoreNone;
  TestSlots().contract[slot(1, 6)].clear();
  // Board 1 round 7 keyed at its table, not collected yet.
  key(1, 7, "N", "1 NT", "+1");
  const qsizetype before = received().size();

  ResendBridgeMatesCorrections();
  const QList<QVariantMap> rows = received().mid(before);
  ASSERT_EQ(rows.size(), 3);
  const auto pairs = [](const QVariantMap& row) {
    return QString("%1 %2 %3 %4").arg(row["Table"].toInt()).arg(row["Round"].toInt()).arg(row["Board"].toInt())
        .arg(row["PairNS"].toInt());
  };
  EXPECT_EQ(pairs(rows[0]), QString("%1 2 1 %2").arg(ResultTable[slot(1, 2)]).arg(ResultNsPair[slot(1, 2)]));
  EXPECT_EQ(rows[0]["Contract"].toString(), "4 H ");  // undoubled: a blank
  EXPECT_EQ(rows[0]["Result"].toString(), "+1");
  EXPECT_EQ(rows[0]["NS/EW"].toString(), "N");
  EXPECT_EQ(rows[0]["Remarks"].toString(), "Morvel");
  EXPECT_EQ(rows[1]["Round"].toInt(), 3);
  EXPECT_EQ(rows[1]["Contract"].toString(), "3 NT ");
  EXPECT_EQ(rows[1]["Result"].toString(), "=");
  EXPECT_EQ(rows[2]["Round"].toInt(), 6);
  EXPECT_EQ(rows[2]["Erased"].toInt(), 1);
  EXPECT_EQ(rows[2]["Remarks"].toString(), "Morvel");
  for (const QVariantMap& row : rows) EXPECT_EQ(row["Processed"].toInt(), 0);

  // Told once: a second resume finds every last row right.
  ResendBridgeMatesCorrections();
  EXPECT_EQ(received().size(), before + 3);
}

TEST_F(BridgeMatesPlayTest, ARowChangedBeforeItIsMarkedStaysForTheNextPoll) {
  key(1, 1, "N", "3 NT", "=");
  key(1, 2, "N", "2 H", "=");
  // While the pass saves, the scorer of the first row corrects it.
  ASSERT_TRUE(testing_support::RunWithChangeWhileSaving(ImportBridgeMatesResults, [] {
    testing_support::TestDatabase db("corrector");
    db.open(BwsFileName);
    db.exec(R"(UPDATE "ReceivedData" SET "Result" = '+1' WHERE rowid = (SELECT MIN(rowid) FROM "ReceivedData"))");
  }));
  EXPECT_EQ(ResultContract[slot(1, 1)], "3SN=");
  EXPECT_EQ(received()[0]["Processed"].toInt(), 0);
  EXPECT_EQ(received()[1]["Processed"].toInt(), 1);
  ImportBridgeMatesResults();
  EXPECT_EQ(ResultContract[slot(1, 1)], "3SN+1");
  EXPECT_EQ(ResultContract[slot(1, 2)], "2CN=");
  for (const QVariantMap& row : received()) EXPECT_EQ(row["Processed"].toInt(), 1);
}

// The scorers may number an E/W pair of the Mitchell as the slots do (8 for
// the first E/W pair of 7 tables): the collection takes such a row, and the
// resume finds it as the collection does.
TEST_F(BridgeMatesPlayTest, AResumeFindsTheScorersRowsByTheirAbsoluteEastWestNumbers) {
  const int s = slot(1, 1);
  scorers->enterResult(ResultTable[s], 1, 1, ResultNsPair[s], ResultEwPair[s], "N", "3 NT", "=");
  ImportBridgeMatesResults();
  ASSERT_EQ(ResultContract[s], "3SN=");
  // Still uncollected: left to the collection.
  const int waiting = slot(1, 2);
  scorers->enterResult(ResultTable[waiting], 2, 1, ResultNsPair[waiting], ResultEwPair[waiting], "N", "2 H", "=");
  TestSlots().contract[waiting] = "1SN=";
  TestSlots().score[waiting] = 90;
  const qsizetype before = received().size();
  ResendBridgeMatesCorrections();
  EXPECT_EQ(received().size(), before);
}

// A result given at the board's sheet by a key (an average, a board passed
// out, the last result again) sends at once the rows a resume would send:
// the scorers show the same whether or not the program was restarted.
TEST_F(BridgeMatesPlayTest, AKeyResultSendsTheRowsAResumeWouldSend) {
  ScoreSheet sheet;
  sheet.layOut(1);
  const auto onSlot = [&sheet](int s) {
    for (int line = 1; line <= sheet.lineCount(); ++line)
      if (sheet.slotOfLine(line) == s) sheet.setCurrentLine(line);
    ASSERT_EQ(sheet.currentSlot(), s);
    ASSERT_TRUE(sheet.readyForResult());
  };
  onSlot(slot(1, 2));
  ASSERT_TRUE(sheet.storeAverage());
  onSlot(slot(1, 3));
  ASSERT_TRUE(sheet.storePassedOut());
  onSlot(slot(1, 4));
  ASSERT_TRUE(sheet.storeRepeat());
  const QList<QVariantMap> rows = received();
  ASSERT_EQ(rows.size(), 3);
  EXPECT_EQ(rows[0]["Round"].toInt(), 2);
  EXPECT_EQ(rows[0]["Remarks"].toString(), "Not played (Morvel)");
  EXPECT_EQ(rows[0]["Contract"].toString().trimmed(), "");
  for (const int i : {1, 2}) {
    EXPECT_EQ(rows[i]["Round"].toInt(), 2 + i);
    EXPECT_EQ(rows[i]["Contract"].toString(), "PASS");
    EXPECT_EQ(rows[i]["Remarks"].toString(), "Morvel");
  }
  ResendBridgeMatesCorrections();
  EXPECT_EQ(received().size(), 3);
}

// Board 1 at table 1 in round 1 collected, N/S pair 1 against E/W pair 8 (1
// for the scorers), then numbered as a Howell would; the pairs sat the other
// way round, and the director swaps it at the board's sheet: one row tells
// the scorers the pairs as they sat (pair 8 N/S, pair 1 E/W), and a resume
// finds it.
TEST_F(BridgeMatesPlayTest, ASwapOfSidesSendsOneRowWithThePairsAsTheySat) {
  ScoreSheet sheet;
  collectAndSwap(sheet, true);
  const QList<QVariantMap> rows = received();
  ASSERT_EQ(rows.size(), 2);
  EXPECT_EQ(rows[1]["Table"].toInt(), 1);
  EXPECT_EQ(rows[1]["PairNS"].toInt(), 8);
  EXPECT_EQ(rows[1]["PairEW"].toInt(), 1);
  EXPECT_EQ(rows[1]["Contract"], "3 NT ");
  EXPECT_EQ(rows[1]["Remarks"], "Morvel");
  ResendBridgeMatesCorrections();
  EXPECT_EQ(received().size(), 2);

  // Its row lost, the resume sends it; swapped back, its row too.
  {
    testing_support::TestDatabase db("lost");
    db.open(BwsFileName);
    db.exec("DELETE FROM ReceivedData WHERE rowid = (SELECT MAX(rowid) FROM ReceivedData)");
  }
  ResendBridgeMatesCorrections();
  ASSERT_EQ(received().size(), 2);
  EXPECT_EQ(received()[1]["PairNS"].toInt(), 8);
  sheet.swapCurrent();
  ASSERT_EQ(received().size(), 3);
  EXPECT_EQ(received()[2]["PairNS"].toInt(), 1);
  ResendBridgeMatesCorrections();
  EXPECT_EQ(received().size(), 3);
}

// A Mitchell's pair numbers say their direction: a swap of sides cannot be
// told with them, and the row keeps the scorers' own pairs.
TEST_F(BridgeMatesPlayTest, ASwapOfSidesInAMitchellKeepsTheScorersPairs) {
  ScoreSheet sheet;
  collectAndSwap(sheet, false);
  const QList<QVariantMap> rows = received();
  ASSERT_EQ(rows.size(), 2);
  EXPECT_EQ(std::tuple(rows[1]["Table"].toInt(), rows[1]["PairNS"].toInt(), rows[1]["PairEW"].toInt()),
            std::tuple(1, 1, 1));
  EXPECT_EQ(rows[1]["Contract"], "3 NT ");
  EXPECT_EQ(rows[1]["Remarks"], "Morvel");
  ResendBridgeMatesCorrections();
  EXPECT_EQ(received().size(), 2);
}

// The director opens board 1 of table 1 at the table's sheet, entering by
// numbers; the scorers' result is collected there before he types 0, which
// puts the line back as it was, without a result: the scorers are told.
TEST_F(BridgeMatesPlayTest, AnUndoAfterACollectedResultTellsTheScorers) {
  EntryByContracts = false;  // numbers, as the sheet's options allow
  LastSheetRound = 1;
  TableSheet sheet;
  ASSERT_TRUE(sheet.startRound());
  const int s = slot(1, 1);
  ASSERT_EQ(sheet.currentSlot(), s);
  ASSERT_TRUE(sheet.readyForResult());
  key(1, 1, "N", "3 NT", "=", "HK");
  ImportBridgeMatesResults();
  ASSERT_EQ(ResultContract[s], "3SN=");
  EXPECT_FALSE(sheet.validate("0"));
  EXPECT_EQ(ResultScore[s], kScoreNone);
  EXPECT_EQ(ResultLead[s], "?");
  EXPECT_FALSE(readBytes(dataDir() + "20261207.VAR").contains("3SN="));
  const QList<QVariantMap> rows = received();
  ASSERT_EQ(rows.size(), 2);
  EXPECT_EQ(rows[1]["Remarks"], "Not played (Morvel)");
  EXPECT_EQ(rows[1]["PairNS"].toInt(), 1);
  EXPECT_EQ(rows[1]["PairEW"].toInt(), 1);
  ResendBridgeMatesCorrections();
  EXPECT_EQ(received().size(), 2);
}

// An adjustment dropped in "Ajustements" hands the board back: the scorers
// get a board not played after the arbitral score.
TEST_F(BridgeMatesPlayTest, ADroppedAdjustmentTellsTheScorers) {
  const int s = slot(1, 1);
  talk.answerText("4");  // 60 % - 40 %
  ASSERT_TRUE(AdjustOneResult(1, ResultNsPair[s]));
  talk.answer(1);  // "On efface?": Oui
  ListOrDeleteAdjustments(false);
  EXPECT_EQ(ResultScore[s], kScoreNone);
  const QList<QVariantMap> rows = received();
  ASSERT_EQ(rows.size(), 2);
  EXPECT_EQ(rows[0]["Remarks"], "Arbitral score (60%-40%) (Morvel)");
  EXPECT_EQ(rows[1]["Remarks"], "Not played (Morvel)");
  EXPECT_EQ(rows[1]["Board"].toInt(), 1);
  EXPECT_EQ(rows[1]["PairNS"].toInt(), 1);
}
