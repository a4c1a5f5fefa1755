#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "devices/BridgeMatesDatabase.h"
#include "devices/SessionDatabase.h"
#include "platform/Registry.h"
#include "support/BridgeMatesScorers.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

#include <QFile>

using testing_support::BridgeMatesScorers;
using testing_support::writeBytes;

// A 7-table Mitchell of 7 rounds, 3 boards a table: N/S pair t stays at table
// t, E/W pairs move up one table, the boards down one table.
class CreateBwsTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    ASSERT_TRUE(QFile::copy(testing_support::BuiltBwsTemplate(), programDir() + "BRIDGEMATE.BWS"));
    TournamentCode = "20261207";
    TableCount = ResultsPerBoard = RoundCount = 7;
    PairCount = PairSlotCount = 14;
    BoardsPerTable = 3;
    BoardCount = 21;
    ResultSlotCount = 147;
    MitchellNumbering = true;
    PairsEntered = true;
    BridgeMatesPin = "3861";
    for (int k = 1; k <= 7; ++k) {
      for (int s : {k, 7 + k}) {
        const QString side = s <= 7 ? "NS" : "EW";
        PairNumbers[s] = s <= 7 ? k : -k;
        Player1Names[s] = QString("%1%2 A").arg(side).arg(k);
        Player2Names[s] = QString("%1%2 B").arg(side).arg(k);
        Player1Licences[s] = QString::number(s * 100 + 1);
        Player2Licences[s] = QString::number(s * 100 + 2);
        PairLabels[s] = Player1Names[s] + " - " + Player2Names[s];
      }
    }
    for (int b = 1; b <= 21; ++b) {
      const int set = (b - 1) / 3 + 1;
      for (int r = 1; r <= 7; ++r) {
        const int slot = (b - 1) * 7 + r;
        const int table = ((set - r) % 7 + 7) % 7 + 1;
        const int ew = ((table - r) % 7 + 7) % 7 + 1;
        TestSlots().nsPair[slot] = table;
        TestSlots().ewPair[slot] = 7 + ew;
        TestSlots().round[slot] = r;
        TestSlots().table[slot] = table;
        TestSlots().board[slot] = b;
        TestSlots().score[slot] = kScoreNone;
      }
    }
  }
  void TearDown() override {
    CloseSessionDatabase();
    TalvaronTest::TearDown();
  }
  QString bws() const { return dataDir() + "20261207.BWS"; }
  static QVariantMap find(const QList<QVariantMap>& rows, const QVariantMap& keys) {
    for (const QVariantMap& row : rows) {
      bool all = true;
      for (auto it = keys.cbegin(); it != keys.cend(); ++it) all = all && row.value(it.key()) == it.value();
      if (all) return row;
    }
    return {};
  }
  ui::ScriptedInteraction talk;
  platform::MemoryRegistry registry;
};

TEST_F(CreateBwsTest, AMitchellWithNamesEnteredFillsTheDatabase) {
  writeBytes(bws(), "an older database");
  CreateBWS();
  EXPECT_EQ(BwsFileName, bws());
  EXPECT_EQ(BwsFolder, dataDir());
  BridgeMatesScorers db(bws());

  const auto players = db.rows("PlayerNumbers");
  ASSERT_EQ(players.size(), 28);
  EXPECT_EQ(players[0]["Table"].toInt(), 1);
  EXPECT_EQ(players[0]["Direction"], "N");
  EXPECT_EQ(players[0]["Number"], "101");
  EXPECT_EQ(players[0]["Name"], "NS1 A");
  EXPECT_EQ(find(players, {{"Table", 3}, {"Direction", "W"}})["Name"], "EW3 B");
  EXPECT_TRUE(db.rows("PlayerNames").isEmpty());

  const auto section = db.rows("Section");
  ASSERT_EQ(section.size(), 1);
  EXPECT_EQ(section[0]["ID"].toInt(), 1);
  EXPECT_EQ(section[0]["Letter"], "A");
  EXPECT_EQ(section[0]["Tables"].toInt(), 7);
  EXPECT_EQ(section[0]["MissingPair"].toInt(), 0);
  EXPECT_EQ(section[0]["Winners"].toInt(), 2);

  const auto tables = db.rows("Tables");
  ASSERT_EQ(tables.size(), 7);
  for (int t = 0; t < 7; ++t) {
    EXPECT_EQ(tables[t]["Table"].toInt(), t + 1);
    EXPECT_EQ(tables[t]["UpdateFromRound"].toInt(), 998);
    EXPECT_EQ(tables[t]["Group"].toInt(), 1);
  }
  EXPECT_EQ(db.rows("Clients").size(), 1);

  const auto rounds = db.rows("RoundData");
  ASSERT_EQ(rounds.size(), 49);
  const QVariantMap r1t2 = find(rounds, {{"Round", 1}, {"Table", 2}});
  EXPECT_EQ(r1t2["NSPair"].toInt(), 2);
  EXPECT_EQ(r1t2["EWPair"].toInt(), 2);
  EXPECT_EQ(r1t2["LowBoard"].toInt(), 4);
  EXPECT_EQ(r1t2["HighBoard"].toInt(), 6);
  const QVariantMap r3t1 = find(rounds, {{"Round", 3}, {"Table", 1}});
  EXPECT_EQ(r3t1["EWPair"].toInt(), 6);
  EXPECT_EQ(r3t1["LowBoard"].toInt(), 7);

  const QStringList settingsColumns = db.columns("Settings");
  EXPECT_TRUE(settingsColumns.contains("AllowAdjustedScoreEntry"));
  EXPECT_TRUE(settingsColumns.contains("AllowChangeResults"));
  const auto settings = db.rows("Settings");
  ASSERT_EQ(settings.size(), 1);
  EXPECT_EQ(settings[0]["AllowAdjustedScoreEntry"], "1");
  EXPECT_EQ(settings[0]["AllowChangeResults"], "1");
  EXPECT_EQ(settings[0]["MemberNumbers"].toInt(), 0);
  EXPECT_EQ(settings[0]["BM2NameSource"].toInt(), 2);
  EXPECT_EQ(settings[0]["BM2PINCode"], "3861");
  EXPECT_EQ(settings[0]["HandRecordValidation"].toInt(), 1);
  EXPECT_TRUE(db.rows("HandRecord").isEmpty());
  EXPECT_TRUE(talk.events.isEmpty());
}

TEST_F(CreateBwsTest, TheByeTableGetsZerosAndPlayersSitWhereTheFirstRoundPutsThem) {
  Player1Names[14] = "BYE";
  Player2Names[14].clear();
  PairLabels[14] = " bye ";
  ByePairNumber = 14;
  // Round 1 seats N/S pair 2 at table 1 and N/S pair 1 at table 2.
  for (int s = 1; s <= ResultSlotCount; ++s)
    if (TestSlots().round[s] == 1 && TestSlots().table[s] <= 2) TestSlots().nsPair[s] = 3 - TestSlots().table[s];
  CreateBWS();
  BridgeMatesScorers db(bws());
  const auto players = db.rows("PlayerNumbers");
  EXPECT_EQ(players.size(), 26);
  EXPECT_EQ(find(players, {{"Table", 1}, {"Direction", "N"}})["Name"], "NS2 A");
  EXPECT_EQ(find(players, {{"Table", 2}, {"Direction", "S"}})["Name"], "NS1 B");
  EXPECT_TRUE(find(players, {{"Table", 7}, {"Direction", "E"}}).isEmpty());
  const QVariantMap byeTable = find(db.rows("RoundData"), {{"Round", 1}, {"Table", 7}});
  EXPECT_EQ(byeTable["NSPair"].toInt(), 7);
  EXPECT_EQ(byeTable["EWPair"].toInt(), 0);
  EXPECT_EQ(byeTable["LowBoard"].toInt(), 0);
  EXPECT_EQ(byeTable["HighBoard"].toInt(), 0);
  EXPECT_EQ(db.rows("Section")[0]["MissingPair"].toInt(), 0);
}

TEST_F(CreateBwsTest, TablesWithoutANorthSouthPairStayApart) {
  for (int s = 1; s <= ResultSlotCount; ++s)
    if (TestSlots().round[s] == 1 && TestSlots().table[s] >= 6) TestSlots().nsPair[s] = 0;
  const QList<RoundEntry> list = BuildRoundList();
  EXPECT_EQ(list.size(), 49);
  EXPECT_TRUE(RoundPairAlreadyListed(list, 1, 7));
  EXPECT_FALSE(RoundPairAlreadyListed(list, 8, 1));
}

TEST_F(CreateBwsTest, PlayersKeyingTheirNumbersGetThePlayerList) {
  PairsEntered = false;
  PlayerCount = 3;
  const QStringList names = {"DUPONT Jean", "MARTIN-LEFEBVRE DE LA TOUR", "SIMON Luc"};
  const QStringList licences = {"0", "12A45", "1234567"};
  for (int k = 1; k <= 3; ++k) {
    PlayerNames[k] = names[k - 1];
    PlayerLicences[k] = licences[k - 1];
  }
  PlayerFirstNames[2] = "Anne";
  NameDisplayMode = 2;
  CreateBWS();
  BridgeMatesScorers db(bws());
  EXPECT_TRUE(db.rows("PlayerNumbers").isEmpty());
  const auto list = db.rows("PlayerNames");
  ASSERT_EQ(list.size(), 3);
  EXPECT_EQ(list[0]["ID"].toInt(), 0);
  EXPECT_EQ(list[1]["ID"].toInt(), 999);
  EXPECT_EQ(list[1]["strID"], "12A45");
  EXPECT_EQ(list[1]["Name"], "Anne");  // longer than 18
  EXPECT_EQ(list[2]["ID"].toInt(), 1234567);
  EXPECT_EQ(list[2]["Name"], "SIMON Luc");
  EXPECT_EQ(db.rows("Settings")[0]["MemberNumbers"].toInt(), 1);
}

TEST_F(CreateBwsTest, ImportedDealsGoToTheHandRecordsWithLongSuitsWhole) {
  DealsImported = true;
  for (int b = 1; b <= BoardCount; ++b)
    DealDiagrams[b] = QString("Board %1\r\n--------\r\n\r\nNord\r\n\r\nP  A R D V X 9 8 7 6 5 4\r\nC  3\r\nK  \r\nT  2\r\n\r\n"
                              "Sud\r\n\r\nP  3\r\nC  A R\r\nK  D V\r\nT  X 9\r\n")
                          .arg(b);
  EXPECT_EQ(ExtractSuitHolding(1, "Nord", "P"), "AKQJT987654");
  EXPECT_EQ(ExtractSuitHolding(1, "Sud", "T"), "T9");
  EXPECT_EQ(ExtractSuitHolding(1, "Est", "P"), "");
  CreateBWS();
  BridgeMatesScorers db(bws());
  const auto hands = db.rows("HandRecord");
  ASSERT_EQ(hands.size(), 21);
  EXPECT_EQ(hands[20]["Board"].toInt(), 21);
  EXPECT_EQ(hands[0]["NorthSpades"], "AKQJT987654");
  EXPECT_EQ(hands[0]["SouthDiamonds"], "QJ");

  EnterDealsAtTable = true;
  CreateBWS();  // a fresh copy: the deals are entered at the tables
  BridgeMatesScorers again(bws());
  const auto settings = again.rows("Settings");
  EXPECT_TRUE(again.rows("HandRecord").isEmpty());
  EXPECT_EQ(settings[0]["BM2EnterHandRecordWhen"].toInt(), 1);
}

TEST_F(CreateBwsTest, WithoutTheTemplateTheProgramStops) {
  QFile::remove(programDir() + "BRIDGEMATE.BWS");
  EXPECT_THROW(CreateBWS(), FatalStopError);
  EXPECT_EQ(talk.messages, QStringList({"Désolé, le fichier " + programDir() +
                                        "BRIDGEMATE.BWS n'a pas éte trouvé! On arrête le programme..."}));
  EXPECT_FALSE(QFile::exists(bws()));
}

TEST_F(CreateBwsTest, AFederationTournamentFillsItsOwnCopy) {
  FederationMode = true;
  FederationBwsFile = rootDir() + "FFB/session.bws";
  writeBytes(FederationBwsFile, testing_support::readBytes(testing_support::BuiltBwsTemplate()));
  const QByteArray before = testing_support::readBytes(FederationBwsFile);
  CreateBWS();
  EXPECT_EQ(testing_support::readBytes(FederationBwsFile), before);
  BridgeMatesScorers db(bws());
  EXPECT_EQ(db.rows("PlayerNumbers").size(), 28);
}
