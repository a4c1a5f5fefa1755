#include "core/ScriptedInteraction.h"
#include "devices/SessionDatabase.h"
#include "support/BridgeMatesScorers.h"
#include "support/TestDatabase.h"
#include "support/TestState.h"

#include <QFile>

using testing_support::BridgeMatesScorers;

class SessionDatabaseTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    file = dataDir() + "T.BWS";
    ASSERT_TRUE(QFile::copy(testing_support::BuiltBwsTemplate(), file));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    ResetLockedPolls();
  }
  void TearDown() override {
    CloseSessionDatabase();
    TalvaronTest::TearDown();
  }
  QString file;
  SessionTable& t = BwsTable();
};

TEST_F(SessionDatabaseTest, TheTemplateHoldsEveryTableAndColumnAndOneSettingsRow) {
  const QMap<QString, QStringList> expected = {
      {"Clients", {"Computer"}},
      {"Session", {}},
      {"Section", {"ID", "Letter", "Tables", "EWMoveBeforePlay", "MissingPair", "Session", "ScoringType", "Winners"}},
      {"Tables", {"Section", "Table", "ComputerID", "Status", "CurrentBoard", "CurrentRound", "UpdateFromRound", "Group", "LogOnOff"}},
      {"RoundData", {"Section", "Table", "Round", "NSPair", "EWPair", "LowBoard", "HighBoard"}},
      {"ReceivedData", {"Section", "Table", "Round", "Board", "PairNS", "PairEW", "Declarer", "NS/EW", "Contract", "Result",
                        "LeadCard", "Remarks", "Erased", "Processed", "DateLog", "TimeLog"}},
      {"IntermediateData", {}}, {"BiddingData", {}}, {"PlayData", {}}, {"HandEvaluation", {}},
      {"PlayerNames", {"ID", "Name", "strID"}},
      {"PlayerNumbers", {"Section", "Table", "Direction", "Number", "Name", "Round", "Updated", "Processed"}},
      {"HandRecord", {"Section", "Board", "NorthSpades", "NorthHearts", "NorthDiamonds", "NorthClubs", "SouthSpades",
                      "SouthHearts", "SouthDiamonds", "SouthClubs", "EastSpades", "EastHearts", "EastDiamonds", "EastClubs",
                      "WestSpades", "WestHearts", "WestDiamonds", "WestClubs"}},
      {"Settings", {"MemberNumbersNoBlankEntry", "MemberNumbers", "BM2NameSource", "BM2EnterHandRecord",
                    "BM2EnterHandRecordWhen", "LeadCard", "BM2ValidateLeadCard", "BM2ShowPlayerNames", "BM2PINCode",
                    "HandRecordValidation", "BM2ValidateRecording"}}};
  OpenSessionDatabase(file);
  for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
    t.select("[" + it.key() + "]");
    ASSERT_NO_THROW(t.open()) << it.key().toStdString();
    for (const QString& c : it.value()) EXPECT_TRUE(t.columns().contains(c)) << it.key().toStdString() << "." << c.toStdString();
    t.close();
  }
  t.select("Settings");
  t.open();
  EXPECT_EQ(t.columns().filter("Allow").size(), 0);  // added by the creation
  t.first();
  ASSERT_FALSE(t.eof());
  t.next();
  EXPECT_TRUE(t.eof());
  t.close();
  t.select("NoSuchTable");
  EXPECT_THROW(t.open(), SessionDatabaseError);
}

TEST_F(SessionDatabaseTest, QuotedNamesRoundTripAndColumnsMatchWithoutCase) {
  OpenSessionDatabase(file);
  t.select("[ReceivedData]");
  t.open();
  for (int table : {3, 1, 2}) {
    t.append();
    t.setInteger("Table", table);
    t.setText("NS/EW", table == 3 ? "N" : "W");
    t.setYesNo("Processed", table == 1);
    t.post();
  }
  t.close();
  t.select("Tables");
  t.open();
  t.append();
  t.setInteger("Group", 1);
  t.post();
  EXPECT_THROW(t.setValue("NoSuchColumn", 1), SessionDatabaseError);
  t.close();
  t.select("RoundData");
  t.open();
  t.append();
  t.setInteger("NSpair", 4);
  t.setInteger("ewpair", 11);
  t.post();
  CloseSessionDatabase();

  OpenSessionDatabase(file);
  t.select("ReceivedData");
  t.open();
  QList<int> order;
  for (t.first(); !t.eof(); t.next()) order << t.integer("TABLE");
  EXPECT_EQ(order, QList<int>({3, 1, 2}));  // stored order
  t.first();
  EXPECT_EQ(t.text("ns/ew"), "N");
  EXPECT_FALSE(t.yes("Processed"));
  t.next();
  EXPECT_TRUE(t.yes("processed"));
  t.close();
  t.select("RoundData");
  t.open();
  EXPECT_EQ(t.integer("NSPair"), 4);
  EXPECT_EQ(t.integer("EWPair"), 11);
  t.close();

  // Yes/no is stored as 0/1.
  BridgeMatesScorers scorers(file);
  EXPECT_EQ(scorers.rows("ReceivedData")[1]["Processed"].toInt(), 1);
  EXPECT_EQ(scorers.rows("Tables")[0]["Group"].toInt(), 1);
}

TEST_F(SessionDatabaseTest, AMissingFileIsAnErrorAndNoDatabaseIsMade) {
  const QString missing = dataDir() + "ABSENT.BWS";
  OpenSessionDatabase(file);  // an open connection is closed first
  try {
    OpenSessionDatabase(missing);
    FAIL() << "opened a missing file";
  } catch (const SessionDatabaseError& e) {
    EXPECT_FALSE(e.busy());
    EXPECT_EQ(e.fileName(), missing);
  }
  EXPECT_FALSE(QFile::exists(missing));
  EXPECT_FALSE(SessionDatabaseIsOpen());
}

TEST_F(SessionDatabaseTest, AnOpenTableIsASnapshotAndDeletingMovesOn) {
  BridgeMatesScorers scorers(file);
  scorers.enterResult(1, 1, 1, 1, 8, "N", "4S", "+1");
  scorers.enterResult(2, 1, 4, 2, 9, "E", "3NT", "-1");
  OpenSessionDatabase(file);
  t.select("ReceivedData");
  t.open();
  scorers.enterResult(3, 1, 7, 3, 10, "S", "2H", "=");
  int seen = 0;
  for (t.first(); !t.eof(); t.next()) ++seen;
  EXPECT_EQ(seen, 2);
  t.first();
  t.remove();
  ASSERT_FALSE(t.eof());
  EXPECT_EQ(t.integer("Table"), 2);
  t.edit();
  t.setYesNo("Processed", true);
  t.post();
  t.close();
  t.open();
  QList<int> tables;
  for (t.first(); !t.eof(); t.next()) tables << t.integer("Table");
  EXPECT_EQ(tables, QList<int>({2, 3}));
  t.close();
  CloseSessionDatabase();
  EXPECT_EQ(scorers.rows("ReceivedData")[0]["Processed"].toInt(), 1);
}

TEST_F(SessionDatabaseTest, ALockedDatabaseSkipsThePollSilentlyAndAlertsOnceAfterTenInARow) {
  ui::ScriptedInteraction talk;
  BridgeMatesScorers scorers(file);
  scorers.enterResult(1, 1, 1, 1, 8, "N", "4S", "+1");
  int rowsRead = 0;
  auto poll = [&] {
    OpenSessionDatabase(file);
    t.select("[ReceivedData]");
    t.open();
    for (t.first(); !t.eof(); t.next()) {
      t.edit();
      t.setYesNo("Processed", true);
      t.post();
      ++rowsRead;
    }
    t.close();
    CloseSessionDatabase();
  };
  scorers.lock();
  EXPECT_FALSE(RunSessionPoll(poll));
  EXPECT_TRUE(talk.events.isEmpty());
  EXPECT_FALSE(SessionDatabaseIsOpen());
  scorers.unlock();
  EXPECT_TRUE(RunSessionPoll(poll));
  EXPECT_EQ(rowsRead, 1);
  EXPECT_EQ(LockedPollsInARow(), 0);

  scorers.lock();
  for (int i = 0; i < 12; ++i) EXPECT_FALSE(RunSessionPoll(poll));
  scorers.unlock();
  ASSERT_EQ(talk.messages.size(), 1);
  EXPECT_TRUE(talk.messages[0].contains("verrouillée"));
  EXPECT_EQ(talk.beeps, 1);
}

TEST_F(SessionDatabaseTest, ADatabaseWithoutATableOrColumnThePollsReadIsRefusedWithItsName) {
  const auto refusal = [this]() -> QString {
    try {
      OpenSessionDatabase(file);
    } catch (const SessionDatabaseError& e) {
      EXPECT_FALSE(e.busy());
      EXPECT_FALSE(SessionDatabaseIsOpen());
      return e.message();
    }
    return "opened";
  };
  const QString head = "La base de données BridgeMates " + file + " ne peut pas servir: ";
  const QString tail = ". Les résultats des tables n'y seraient pas relevés. Reprenez la base de données créée pour ce "
                       "tournoi.";
  {
    testing_support::TestDatabase db("structure");
    db.open(file);
    db.exec("ALTER TABLE ReceivedData DROP COLUMN Processed");
  }
  EXPECT_EQ(refusal(), head + "la table \"ReceivedData\" n'a pas de colonne \"Processed\"" + tail);
  {
    testing_support::TestDatabase db("structure");
    db.open(file);
    db.exec("ALTER TABLE ReceivedData ADD COLUMN processed INTEGER");  // any case will do
    db.exec("DROP TABLE PlayerNumbers");
  }
  EXPECT_EQ(refusal(), head + "la table \"PlayerNumbers\" manque" + tail);
}
