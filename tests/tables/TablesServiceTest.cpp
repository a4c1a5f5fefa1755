// The tables' server's calls on the session files the program writes, and
// the program's own collection of what they write.
#include "TablesService.h"

#include "TablesHttp.h"

#include "core/DealAnalyses.h"
#include "core/DealDiagrams.h"
#include "core/DeviceFiles.h"
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "devices/TabletFiles.h"
#include "devices/TabletImport.h"
#include "scoring/Adjustments.h"
#include "scoring/ResultStore.h"
#include "setup/PairLookups.h"
#include "devices/TabletLines.h"
#include "support/devices/TabletTables.h"
#include "support/TestState.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include <atomic>
#include <chrono>
#include <thread>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>

using namespace tables;
using testing_support::readBytes;
using testing_support::writeBytes;

void PrintTo(const QJsonValue& v, std::ostream* os) {
  *os << QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact).toStdString();
}
void PrintTo(const QJsonValueRef& v, std::ostream* os) { PrintTo(QJsonValue(v), os); }

namespace {

QJsonObject contract(int table, int round, int board, const QString& declarer, int level, const QString& strain,
                     int result, const QString& previous = {}) {
  return {{"table", table}, {"round", round}, {"board", board}, {"previous", previous}, {"kind", "contract"},
          {"declarer", declarer}, {"level", level}, {"strain", strain}, {"doubling", ""}, {"result", result}};
}

QJsonObject kind(int table, int round, int board, const QString& what, const QString& previous = {}) {
  return {{"table", table}, {"round", round}, {"board", board}, {"previous", previous}, {"kind", what}};
}

// The slot of board b played by N/S pair ns.
int slotOf(int board, int ns) {
  for (int s = 1; s <= ResultSlotCount; ++s)
    if (ResultBoard[s] == board && ResultNsPair[s] == ns) return s;
  return 0;
}

}  // namespace

class TablesServiceTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    PairsEntered = true;
    testing_support::LayOutTabletEvening("ABC", 3, 2);  // 3 tables, boards 1-6, 3 rounds
    WritePairNameFiles();
    qputenv("TALVARON_TABLES_CODE", testing_support::kTablesCode);
    service = std::make_unique<TablesService>(TabletSharedFolder, programDir(), [this] { return now; });
  }
  void TearDown() override {
    qunsetenv("TALVARON_TABLES_CODE");
    TalvaronTest::TearDown();
  }
  QString join(const QString& peer = "10.0.0.2") {
    const Reply r = service->join({{"password", testing_support::kTablesCode}}, peer);
    EXPECT_EQ(r.status, 200);
    return r.body["token"].toString();
  }
  // A device that joined and chose table t.
  QString holding(int t, const QString& peer = "10.0.0.2") {
    const QString token = join(peer);
    EXPECT_EQ(service->claim(token, {{"table", t}}).status, 200);
    return token;
  }
  QJsonObject board(const Reply& state, int round, int board) {
    for (const QJsonValue r : state.body["rounds"].toArray())
      if (r["round"].toInt() == round)
        for (const QJsonValue b : r["boards"].toArray())
          if (b["board"].toInt() == board) return b.toObject();
    return {};
  }
  QString table(int t) const { return TableFolder(t) + "/"; }
  // A player looked up as the page asks for one ("licence=12345").
  Reply lookUp(const QString& token, int t, const QString& query) {
    if (!handler) handler = std::make_unique<TablesHttpHandler>(*service, QString(), hosts);
    const HttpAnswer a = handler->handle(
        {"GET", QString("/api/players?table=%1&%2").arg(t).arg(query).toStdString(),
         {{"Host", "127.0.0.1"}, {"Authorization", "Bearer " + token.toStdString()}}, {}, "127.0.0.1"});
    return {a.status, QJsonDocument::fromJson(QByteArray::fromStdString(a.body)).object()};
  }

  std::chrono::steady_clock::time_point now{};
  std::unique_ptr<TablesService> service;
  OwnHosts hosts;
  std::unique_ptr<TablesHttpHandler> handler;
};

TEST_F(TablesServiceTest, PasswordsAreSlowedDownPerAddressAndTokensEndWithTheTournament) {
  for (int i = 0; i < 3; ++i) EXPECT_EQ(service->join({{"password", "318405"}}, "10.0.0.9").status, 403);
  // The third failure makes that address wait one second, then two...
  Reply r = service->join({{"password", testing_support::kTablesCode}}, "10.0.0.9");
  EXPECT_EQ(r.status, 429);
  EXPECT_EQ(r.body["error"], "wait");
  EXPECT_EQ(r.body["wait"].toInt(), 1);
  EXPECT_EQ(r.body["message"], "Trop d'essais : réessayez dans 1 seconde.");
  now += std::chrono::seconds(1);
  EXPECT_EQ(service->join({{"password", "nope"}}, "10.0.0.9").status, 403);
  r = service->join({{"password", testing_support::kTablesCode}}, "10.0.0.9");
  EXPECT_EQ(r.body["wait"].toInt(), 2);
  // ... while another table's device is not slowed.
  const QString token = holding(1, "10.0.0.3");
  EXPECT_EQ(service->state(token, 1).status, 200);
  now += std::chrono::seconds(2);
  r = service->join({{"password", testing_support::kTablesCode}}, "10.0.0.9");
  EXPECT_EQ(r.status, 200);
  EXPECT_EQ(r.body["tables"].toInt(), 3);
  EXPECT_EQ(service->join({{"password", 12}}, "10.0.0.9").status, 400);

  // A forged or altered token is refused.
  EXPECT_EQ(service->state("", 1).status, 401);
  QString altered = token;
  altered[0] = altered[0] == 'a' ? 'b' : 'a';
  EXPECT_EQ(service->state(altered, 2).status, 401);
  EXPECT_EQ(service->state(token.left(33) + "0123456789abcdef0123456789abcdef", 2).body["error"], "token");

  // A new tournament writes its session files again: every token ends.
  WriteTabletSessionFiles();
  r = service->state(token, 1);
  EXPECT_EQ(r.status, 401);
  EXPECT_EQ(r.body["message"], "Appareil non reconnu : entrez le mot de passe.");
  EXPECT_EQ(service->state(holding(1), 1).status, 200);

  // No tournament at all.
  QDir(TabletSharedFolder).removeRecursively();
  EXPECT_EQ(service->join({{"password", testing_support::kTablesCode}}, "10.0.0.2").body["error"], "no_tournament");
}

TEST_F(TablesServiceTest, OneDeviceHoldsATableUntilAnotherTakesItOver) {
  const QString first = join();
  const QString second = join();
  EXPECT_EQ(service->claim(first, {{"table", 1}}).status, 200);
  Reply r = service->claim(second, {{"table", 1}});
  EXPECT_EQ(r.status, 409);
  EXPECT_EQ(r.body["error"], "table_taken");
  EXPECT_EQ(r.body["message"], "La table 1 est déjà tenue par un autre appareil. Voulez-vous la reprendre ?");
  EXPECT_EQ(service->claim(second, {{"table", 1}, {"takeover", true}}).status, 200);
  r = service->result(first, contract(1, 1, 1, "N", 4, "P", 0));
  EXPECT_EQ(r.status, 409);
  EXPECT_EQ(r.body["error"], "table_lost");
  EXPECT_FALSE(QFile::exists(table(1) + "REST1.TXT"));
  EXPECT_EQ(service->claim(first, {{"table", 2}}).status, 200);

  for (int bad : {0, 4, -1, 1000000}) {
    r = service->state(first, bad);
    EXPECT_EQ(r.status, 400);
    EXPECT_EQ(r.body["message"], "Table inconnue : choisissez un numéro entre 1 et 3.");
  }
  EXPECT_EQ(service->claim(first, {{"table", "1"}}).status, 400);
  EXPECT_EQ(service->claim(first, {{"table", 1.5}}).status, 400);
}

TEST_F(TablesServiceTest, TheStateOfATableIsItsMovementAndItsBoards) {
  const Reply r = service->state(holding(2), 2);
  ASSERT_EQ(r.status, 200);
  EXPECT_EQ(r.body["boardsPerTable"].toInt(), 2);
  EXPECT_EQ(r.body["round"].toInt(), 1);
  const QJsonArray rounds = r.body["rounds"].toArray();
  ASSERT_EQ(rounds.size(), 3);
  // Standard Mitchell: table 2 has N/S 2 throughout; E/W 2 in round 1 then
  // E/W 1 (they move up one table), boards 3-4 then 5-6 (they move down one).
  EXPECT_EQ(rounds[0]["ns"].toInt(), 2);
  EXPECT_EQ(rounds[0]["ew"].toInt(), 5);
  EXPECT_EQ(rounds[0]["ewShown"].toInt(), 2);
  EXPECT_EQ(rounds[0]["nsName"], "Nom2");
  EXPECT_EQ(rounds[0]["ewName"], "Nom5");
  EXPECT_EQ(rounds[1]["ewShown"].toInt(), 1);
  EXPECT_EQ(board(r, 1, 3)["dealer"], "S");
  EXPECT_EQ(board(r, 1, 3)["vulnerable"], "E/W");
  EXPECT_EQ(board(r, 1, 4)["vulnerable"], "Tous");
  EXPECT_EQ(board(r, 2, 5)["vulnerable"], "N/S");
  EXPECT_EQ(board(r, 2, 6)["dealer"], "E");
  EXPECT_EQ(board(r, 2, 6)["current"], "");
  EXPECT_TRUE(board(r, 2, 6)["echo"].isNull());
  EXPECT_FALSE(r.body["leads"].toBool());
  EXPECT_FALSE(std::as_const(r.body)["players"]["needed"].toBool());
}

TEST_F(TablesServiceTest, ScorePreviewComesFromTheContractRoutine) {
  const QString token = holding(1);
  const auto score = [&](int board, const QString& declarer, int level, const QString& strain, const QString& dbl,
                         int result) {
    return service->score(token, {{"table", 1}, {"board", board}, {"declarer", declarer}, {"level", level},
                                  {"strain", strain}, {"doubling", dbl}, {"result", result}});
  };
  Reply r = score(1, "N", 4, "P", "", 0);  // nobody vulnerable: 120 + 300
  EXPECT_EQ(r.body["score"].toInt(), 420);
  EXPECT_EQ(r.body["contract"], "4PN=");
  EXPECT_EQ(r.body["text"], "N/S marque 420");
  EXPECT_EQ(score(2, "S", 3, "S", "", 1).body["score"].toInt(), 630);  // N/S vulnerable: 130 + 500
  r = score(1, "E", 2, "C", "X", -2);  // E/W not vulnerable, doubled two down
  EXPECT_EQ(r.body["score"].toInt(), 300);
  EXPECT_EQ(r.body["contract"], "2CXE-2");
  EXPECT_EQ(score(2, "O", 1, "T", "XX", 0).body["text"], "E/O marque 230");  // redoubled: 80 + 50 + 100
  r = score(1, "N", 8, "P", "", 0);
  EXPECT_EQ(r.status, 400);
  EXPECT_EQ(r.body["error"], "bad_contract");
  EXPECT_EQ(r.body["message"], "Chiffre entre 1 et 7!");
  EXPECT_EQ(score(1, "N", 2, "P", "", 6).body["message"], "Nombre incorrect!");
  EXPECT_EQ(score(1, "Z", 2, "P", "", 0).status, 400);
  EXPECT_EQ(score(7, "N", 2, "P", "", 0).body["error"], "bad_board");  // there are 6 boards
}

TEST_F(TablesServiceTest, ResultsReachTheProgramExactlyOnceAndTheEchoComesBack) {
  const QString token = holding(1);
  // Table 1, round 1: N/S 1 against E/W 1 (4 for the program), boards 1 and 2.
  Reply r = service->result(token, [] {
    QJsonObject b = contract(1, 1, 1, "N", 4, "P", 0);
    b["lead"] = "rc";
    return b;
  }());
  ASSERT_EQ(r.status, 200);
  EXPECT_TRUE(r.body["written"].toBool());
  EXPECT_EQ(std::as_const(r.body)["board"]["current"], "N 4PN=");
  EXPECT_EQ(readBytes(table(1) + "REST1.TXT"), "1 1 0 1 1 1 4 N 4PN= RC\r\n");
  // Sent again (an answer lost on the way): nothing written twice.
  const QByteArray before = readBytes(table(1) + "REST1.TXT");
  r = service->result(token, [] {
    QJsonObject b = contract(1, 1, 1, "N", 4, "P", 0);
    b["lead"] = "RC";
    return b;
  }());
  EXPECT_FALSE(r.body["written"].toBool());
  EXPECT_EQ(readBytes(table(1) + "REST1.TXT"), before);

  ImportTabletResults();
  const int slot = slotOf(1, 1);
  ASSERT_GT(slot, 0);
  EXPECT_EQ(ResultContract[slot], "4PN=");
  EXPECT_EQ(ResultLead[slot], "RC");
  EXPECT_EQ(ResultDeclarer[slot], "N");
  EXPECT_EQ(ResultScore[slot], 420);
  EXPECT_EQ(ResultsEntered, 1);
  EXPECT_FALSE(QFile::exists(table(1) + "REST1.TXT"));

  // The echo, and the board's frequency now that this table played it.
  r = service->state(token, 1);
  const QJsonObject b = board(r, 1, 1);
  EXPECT_TRUE(b["pending"].isNull());
  EXPECT_EQ(b["echo"]["contract"], "4PN=");
  EXPECT_EQ(b["echo"]["score"].toInt(), 420);
  EXPECT_EQ(b["current"], "N 4PN=");
  ASSERT_TRUE(b["frequency"].isArray());
  EXPECT_EQ(b["frequency"][0]["contract"], "4PN=");
  EXPECT_TRUE(board(r, 1, 2)["frequency"].isNull());
  // Sent once more after the program took it: still nothing new.
  EXPECT_FALSE(service->result(token, contract(1, 1, 1, "N", 4, "P", 0)).body["written"].toBool());
  EXPECT_FALSE(QFile::exists(table(1) + "REST1.TXT"));

  // A second device with an old view cannot overwrite a correction unseen.
  r = service->result(token, contract(1, 1, 1, "N", 3, "P", 1, "N 4PN="));
  EXPECT_TRUE(r.body["written"].toBool());
  r = service->result(token, kind(1, 1, 1, "pass", "N 4PN="));
  EXPECT_EQ(r.status, 409);
  EXPECT_EQ(r.body["error"], "conflict");
  EXPECT_EQ(std::as_const(r.body)["board"]["current"], "N 3PN+1");
  ImportTabletResults();
  EXPECT_EQ(ResultContract[slot], "3PN+1");
  EXPECT_EQ(ResultScore[slot], 170);
  EXPECT_EQ(ResultsEntered, 1);

  // A deletion, then a split on the other board.
  EXPECT_TRUE(service->result(token, kind(1, 1, 1, "delete", "N 3PN+1")).body["written"].toBool());
  EXPECT_EQ(readBytes(table(1) + "REST1.TXT"), "1 1 0 1 1 1 4 N DELETE\r\n");
  QJsonObject split = kind(1, 1, 2, "split");
  split["nsPercent"] = 60;
  split["ewPercent"] = 40;
  EXPECT_TRUE(service->result(token, split).body["written"].toBool());
  split["ewPercent"] = 140;
  EXPECT_EQ(service->result(token, split).body["error"], "bad_split");
  ImportTabletResults();
  EXPECT_EQ(ResultScore[slot], 10000);
  EXPECT_EQ(ResultNsPercent[slotOf(2, 1)], 60);
  EXPECT_EQ(ResultsEntered, 1);
  r = service->state(token, 1);
  EXPECT_EQ(board(r, 1, 1)["current"], "");
  EXPECT_EQ(board(r, 1, 2)["current"], "60 - 40");
  EXPECT_EQ(r.body["round"].toInt(), 1);  // board 1 has no result any more

  // A board of another round or table is refused without a file.
  EXPECT_EQ(service->result(token, contract(1, 2, 1, "N", 4, "P", 0)).body["error"], "bad_board");
  EXPECT_EQ(service->result(token, kind(1, 1, 1, "MOY")).body["error"], "bad_request");
}

TEST_F(TablesServiceTest, LeadsWhenTheProgramAsksForThem) {
  writeBytes(programDir() + "DemanderEntame.TXT", "");
  const QString token = holding(1);
  EXPECT_TRUE(service->state(token, 1).body["leads"].toBool());
  Reply r = service->result(token, contract(1, 1, 1, "N", 4, "P", 0));
  EXPECT_EQ(r.body["error"], "lead_needed");
  QJsonObject b = contract(1, 1, 1, "N", 4, "P", 0);
  b["lead"] = "1T";
  EXPECT_EQ(service->result(token, b).body["error"], "bad_lead");
  b["lead"] = "10t";
  EXPECT_TRUE(service->result(token, b).body["written"].toBool());
  EXPECT_EQ(readBytes(table(1) + "REST1.TXT"), "1 1 0 1 1 1 4 N 4PN= 10T\r\n");
  // Passed boards and the like have no lead.
  EXPECT_TRUE(service->result(token, kind(1, 1, 2, "pass")).body["written"].toBool());
  EXPECT_EQ(readBytes(table(1) + "REST2.TXT"), "1 1 0 2 1 1 4 PASSE\r\n");
}

TEST_F(TablesServiceTest, ALeadThePlayerOnLeadDoesNotHoldIsRefused) {
  writeBytes(programDir() + "DemanderEntame.TXT", "");
  // East, on lead against North, holds A K 10 3 of spades and no diamond.
  WriteDiagramFile(1, {{{"QJ98", "QJT9", "AKQ", "AKQ"}, {"765", "87654", "JT98", "J"}, {"AKT3", "AK", "", "T987654"},
                        {"42", "32", "765432", "32"}}});  // North, South, East, West
  const QString token = holding(1);
  QJsonObject b = contract(1, 1, 1, "N", 4, "P", 0);
  b["lead"] = "DP";
  const Reply r = service->result(token, b);
  EXPECT_EQ(r.status, 400);
  EXPECT_EQ(r.body["error"], "lead_not_held");
  EXPECT_EQ(r.body["message"], "L'entame Dame de pique n'est pas dans la main d'Est, à la gauche du déclarant.");
  b["lead"] = "xK";
  EXPECT_EQ(service->result(token, b).body["message"],
            "L'entame petit carreau n'est pas dans la main d'Est, à la gauche du déclarant.");
  EXPECT_FALSE(QFile::exists(table(1) + "REST1.TXT"));
  b["lead"] = "10P";
  EXPECT_TRUE(service->result(token, b).body["written"].toBool());
  EXPECT_EQ(readBytes(table(1) + "REST1.TXT"), "1 1 0 1 1 1 4 N 4PN= 10P\r\n");
}

// Each seat holds a whole suit (North spades, East hearts, South diamonds,
// West clubs): at no trump the opening leader runs his suit, so North as
// declarer takes no trick; in spades North takes all thirteen.
TEST_F(TablesServiceTest, WhatCouldBeMadeReachesATableOnlyOnceItsResultIsTaken) {
  WriteDiagramFile(1, {{{"AKQJT98765432", "", "", ""}, {"", "", "AKQJT98765432", ""}, {"", "AKQJT98765432", "", ""},
                        {"", "", "", "AKQJT98765432"}}});  // North, South, East, West
  const QString deal = "N:AKQJT98765432... .AKQJT98765432.. ..AKQJT98765432. ...AKQJT98765432";
  BoardAnalyses()[1] = {deal, {}, {{{0, 13, 0, 13, 0}, {13, 0, 13, 0, 0}, {0, 13, 0, 13, 0}, {13, 0, 13, 0, 0}}}, 1510,
                        {{7, StrainSpades, "NS", 0, 0}}};
  SaveDealAnalyses();
  const QString token = holding(1);
  EXPECT_TRUE(service->deals(token, 1).body["deals"].toArray().isEmpty());  // not played yet

  // 1SA by North, six down: one trick, where double dummy gives none.
  ASSERT_TRUE(service->result(token, contract(1, 1, 1, "N", 1, "S", -6)).body["written"].toBool());
  QJsonArray deals = service->deals(token, 1).body["deals"].toArray();
  ASSERT_EQ(deals.size(), 1);
  EXPECT_FALSE(deals[0].toObject().contains("tricks"));  // sent, not yet taken by the program
  EXPECT_FALSE(deals[0].toObject().contains("par"));

  ImportTabletResults();
  deals = service->deals(token, 1).body["deals"].toArray();
  ASSERT_EQ(deals.size(), 1);
  const QJsonObject taken = deals[0].toObject();
  EXPECT_EQ(taken["tricks"].toArray(), QJsonArray({QJsonArray({0, 13, 0, 13, 0}), QJsonArray({0, 13, 0, 13, 0}),
                                                      QJsonArray({13, 0, 13, 0, 0}), QJsonArray({13, 0, 13, 0, 0})}));
  EXPECT_EQ(taken["par"], "Par N/S +1510 : 7♠ N/S");
  EXPECT_EQ(taken["compared"], "1SA N -6 : une levée de plus que le double mort");
  // Another table that has not played the board sees nothing of it.
  EXPECT_TRUE(service->deals(join("10.0.0.3"), 2).body["deals"].toArray().isEmpty());

  // An analysis of other cards (the PBN file changed) is not shown.
  BoardAnalyses()[1].deal = "N:AKQJT9876543.2.. .AKQJT9876543.2. ..AKQJT9876543.2 2...AKQJT9876543";
  SaveDealAnalyses();
  EXPECT_FALSE(service->deals(token, 1).body["deals"].toArray().at(0).toObject().contains("tricks"));
}

TEST_F(TablesServiceTest, PlayersEnteredAtTheTableReachThePairs) {
  PairsEntered = false;
  // The pairs created in advance, as the program names them.
  for (int s = 1; s <= 6; ++s)
    PairLabels[s] = s <= 3 ? QString("N%1 - S%1").arg(s) : QString("E%1 - W%1").arg(s);
  WriteTabletSessionFiles();
  WritePairNameFiles();
  writeBytes(TabletSharedFolder + "/JOUEURS.TXT", "DUPONT Jean 12345\r\nBYE\r\nMARTIN Luc 67890");
  const QString token = holding(3);
  // One player at a time, by licence or by name, never the club's list.
  EXPECT_EQ(service->findPlayers(token, 3, "67890", "").body["players"][0]["name"], "MARTIN Luc");
  EXPECT_EQ(service->findPlayers(token, 3, "", "dupont  jean").body["players"][0]["licence"], "12345");
  EXPECT_TRUE(service->findPlayers(token, 3, "99999", "").body["players"].toArray().isEmpty());
  EXPECT_TRUE(service->findPlayers(token, 3, "", "BYE").body["players"].toArray().isEmpty());
  EXPECT_EQ(service->findPlayers(token, 3, "", "").status, 400);
  EXPECT_EQ(service->findPlayers(token, 3, "12345", "DUPONT Jean").status, 400);
  Reply r = service->state(token, 3);
  EXPECT_TRUE(std::as_const(r.body)["players"]["needed"].toBool());
  EXPECT_FALSE(std::as_const(r.body)["players"]["done"].toBool());

  QJsonObject seats{{"N", QJsonObject{{"licence", "12345"}, {"name", "DUPONT Jean"}}},
                    {"S", QJsonObject{{"name", "Durand@Paul"}}}};
  r = service->sendPlayers(token, {{"table", 3}, {"seats", seats}});
  EXPECT_EQ(r.body["error"], "bad_name");
  EXPECT_FALSE(QFile::exists(table(3) + "PLAYERS.TXT"));
  seats["S"] = QJsonObject{{"licence", "12a"}, {"name", "DURAND Paul"}};
  EXPECT_EQ(service->sendPlayers(token, {{"table", 3}, {"seats", seats}}).body["error"], "bad_licence");
  seats["S"] = QJsonObject{{"name", "  DURAND   Paul "}};
  seats["O"] = QJsonObject{{"licence", "67890"}, {"name", "MARTIN Luc"}};
  EXPECT_TRUE(service->sendPlayers(token, {{"table", 3}, {"seats", seats}}).body["written"].toBool());
  EXPECT_EQ(readBytes(table(3) + "PLAYERS.TXT"),
            "12345&DUPONT Jean@DURAND Paul@*** Pas rempli ***@67890&MARTIN Luc\r\n");
  const Reply done = service->state(token, 3);
  EXPECT_TRUE(done.body["players"]["done"].toBool());
  // Taken away by the program before it writes the names back: the table is
  // not asked for its players again meanwhile.
  const QByteArray sent = readBytes(table(3) + "PLAYERS.TXT");
  QFile::remove(table(3) + "PLAYERS.TXT");
  const Reply taken = service->state(token, 3);
  EXPECT_TRUE(taken.body["players"]["done"].toBool());
  writeBytes(table(3) + "PLAYERS.TXT", sent);

  ImportTabletResults();
  EXPECT_FALSE(QFile::exists(table(3) + "PLAYERS.TXT"));
  EXPECT_EQ(Player1Names[3], "DUPONT Jean");
  EXPECT_EQ(Player2Names[3], "DURAND Paul");
  EXPECT_EQ(Player1Licences[3], "12345");
  // Read back from the pair-name file the program rewrote.
  const Reply named = service->state(token, 3);
  EXPECT_EQ(named.body["rounds"][0]["nsName"], "DUPONT Jean - DURAND Paul");
}

TEST_F(TablesServiceTest, NamesTypedAtTheTableAreStoredAsTheListHasThem) {
  PairsEntered = false;
  WriteTabletSessionFiles();
  writeBytes(TabletSharedFolder + "/JOUEURS.TXT",
             "MOREAU Anne 1234\r\nDURAND Paul 012345\r\nLEF\xC8VRE H\xE9l\xE8ne 555\r\n"
             "MARTIN Luc 81\r\nMARTIN Luc 82\r\n");
  const QString token = holding(2);
  const auto send = [&](const QJsonObject& seats) {
    return service->sendPlayers(token, {{"table", 2}, {"seats", seats}});
  };
  // A name in small letters, a name without its licence, a licence without
  // its leading zero (the page looks the name up itself, or not at all).
  EXPECT_TRUE(send({{"N", QJsonObject{{"name", "moreau anne"}}},
                    {"S", QJsonObject{{"licence", ""}, {"name", "DURAND Paul"}}},
                    {"E", QJsonObject{{"licence", "12345"}, {"name", ""}}},
                    {"O", QJsonObject{{"name", "martin luc"}}}})  // two of that name: kept as typed
                  .body["written"]
                  .toBool());
  EXPECT_EQ(readBytes(table(2) + "PLAYERS.TXT"),
            "1234&MOREAU Anne@012345&DURAND Paul@012345&DURAND Paul@martin luc\r\n");
  // The accents as the list has them, though typed without.
  EXPECT_TRUE(send({{"N", QJsonObject{{"name", "lefevre helene"}}}, {"S", QJsonObject{{"licence", "82"}}}})
                  .body["written"]
                  .toBool());
  EXPECT_EQ(readBytes(table(2) + "PLAYERS.TXT"),
            "555&LEF\xC8VRE H\xE9l\xE8ne@82&MARTIN Luc@*** Pas rempli ***@*** Pas rempli ***\r\n");
  // A name nobody in the list bears is stored as typed, without a licence.
  EXPECT_TRUE(send({{"N", QJsonObject{{"name", "Inconnu Pierre"}}}}).body["written"].toBool());
  EXPECT_EQ(readBytes(table(2) + "PLAYERS.TXT"),
            "Inconnu Pierre@*** Pas rempli ***@*** Pas rempli ***@*** Pas rempli ***\r\n");

  // The program reads them so: the pair named, the licences kept.
  EXPECT_TRUE(send({{"N", QJsonObject{{"name", "moreau anne"}}}, {"S", QJsonObject{{"name", "durand paul"}}}})
                  .body["written"]
                  .toBool());
  ImportTabletResults();
  EXPECT_EQ(Player1Names[2], "MOREAU Anne");
  EXPECT_EQ(Player2Names[2], "DURAND Paul");
  EXPECT_EQ(Player1Licences[2], "1234");
  EXPECT_EQ(Player2Licences[2], "012345");
}

TEST_F(TablesServiceTest, EachPairIsToldWhereItPlaysNext) {
  // Standard Mitchell of 3 tables: N/S pairs stay at their table, E/W pairs
  // (4 to 6 for the program, 1 to 3 shown) move up one table each round.
  const auto where = [](const QJsonValue& place) {
    if (place.isNull()) return std::string("null");
    return QString("%1 %2%3")
        .arg(place["table"].toInt())
        .arg(place["direction"].toString())
        .arg(place["sitOut"].toBool() ? " relais" : "")
        .toStdString();
  };
  const Reply r = service->state(holding(3), 3);
  const QJsonArray rounds = r.body["rounds"].toArray();
  ASSERT_EQ(rounds.size(), 3);
  // Round 1 at table 3: N/S 3 against E/W 6; then E/W 6 goes to table 1.
  EXPECT_EQ(where(rounds[0]["next"]["ns"]), "3 N/S");
  EXPECT_EQ(where(rounds[0]["next"]["ew"]), "1 E/W");
  // Round 2 at table 3: E/W 5 (from table 2), which goes on to table 1.
  EXPECT_EQ(rounds[1]["ew"].toInt(), 5);
  EXPECT_EQ(where(rounds[1]["next"]["ew"]), "1 E/W");
  EXPECT_TRUE(rounds[2]["next"].isNull());  // the last round
  EXPECT_EQ(where(service->state(holding(1), 1).body["rounds"][1]["next"]["ew"]), "2 E/W");
}

TEST_F(TablesServiceTest, ABoardSettledByTheDirectorIsShownSoAndTakesNoResult) {
  const QString token = holding(1);
  // Board 1 of table 1 played, board 2 settled at the desk (the file as the
  // echoes are written, in Windows-1252).
  ASSERT_TRUE(service->result(token, contract(1, 1, 1, "N", 4, "P", 0)).body["written"].toBool());
  ImportTabletResults();
  writeBytes(table(1) + "ARBITRE2.TXT", "Score arbitral 40 % \x96 60 %\r\n");
  Reply r = service->state(token, 1);
  EXPECT_EQ(board(r, 1, 2)["settled"], "Score arbitral 40 % – 60 %");
  EXPECT_TRUE(board(r, 1, 1)["settled"].isNull());
  EXPECT_EQ(r.body["round"].toInt(), 2);  // round 1 is over for the table

  for (const QJsonObject& sent : {contract(1, 1, 2, "N", 4, "P", 0), kind(1, 1, 2, "delete"), kind(1, 1, 2, "pass")}) {
    r = service->result(token, sent);
    EXPECT_EQ(r.status, 409);
    EXPECT_EQ(r.body["error"], "settled");
    EXPECT_EQ(r.body["message"], "Cette donne a été réglée par l'arbitre : adressez-vous à lui.");
    EXPECT_EQ(std::as_const(r.body)["board"]["settled"], "Score arbitral 40 % – 60 %");
  }
  EXPECT_FALSE(QFile::exists(table(1) + "REST2.TXT"));
  // Another table's board 2 is not settled.
  EXPECT_TRUE(service->result(holding(3, "10.0.0.7"), contract(3, 2, 2, "S", 3, "S", 0)).body["written"].toBool());
}

TEST_F(TablesServiceTest, TheFrequencyOfASplitShowsItsPercentages) {
  const QString token = holding(1);
  QJsonObject split = kind(1, 1, 2, "split");
  split["nsPercent"] = 60;
  split["ewPercent"] = 40;
  ASSERT_TRUE(service->result(token, split).body["written"].toBool());
  ASSERT_TRUE(service->result(holding(3, "10.0.0.7"), contract(3, 2, 2, "S", 3, "S", 0)).body["written"].toBool());
  ImportTabletResults();
  const QJsonArray rows = board(service->state(token, 1), 1, 2)["frequency"].toArray();
  ASSERT_EQ(rows.size(), 2);
  for (const QJsonValue row : rows) {
    if (row["ns"].toInt() == 1) {  // table 1: N/S 1 against E/W 4
      EXPECT_EQ(row["ew"].toInt(), 4);
      EXPECT_EQ(row["nsPercent"].toInt(), 60);
      EXPECT_EQ(row["ewPercent"].toInt(), 40);
      EXPECT_TRUE(row["score"].isNull());
    } else {  // 3SA by South made on board 2 (N/S vulnerable), alone against no other score: 50 %
      EXPECT_EQ(row["score"].toInt(), 600);
      EXPECT_EQ(row["nsPercent"].toInt(), 50);
      EXPECT_EQ(row["ewPercent"].toInt(), 50);
    }
  }
}

// The director gives board 2 of table 1 60 % - 40 % at the desk; table 3
// then plays it. The frequency shows that split at both tables.
TEST_F(TablesServiceTest, TheFrequencyOfASplitGivenAtTheDeskShowsItsPercentages) {
  const QString token = holding(1);
  const QString other = holding(3, "10.0.0.7");
  ui::ScriptedInteraction talk;
  talk.answerText("4");  // the fourth line of the window: 60 % - 40 %
  ASSERT_TRUE(AdjustOneResult(2, 1)) << talk.messages.join(" | ").toStdString();
  ASSERT_TRUE(service->result(other, contract(3, 2, 2, "S", 3, "S", 0)).body["written"].toBool());
  ImportTabletResults();
  // Table 1 plays board 2 in round 1, table 3 in round 2.
  const auto splitShown = [&] {
    for (const auto& [device, t, round] : {std::tuple{token, 1, 1}, std::tuple{other, 3, 2}}) {
      bool seen = false;
      for (const QJsonValue row : board(service->state(device, t), round, 2)["frequency"].toArray()) {
        if (row["ns"].toInt() != 1) continue;  // table 1: N/S 1 against E/W 4
        seen = true;
        EXPECT_EQ(row["nsPercent"].toInt(-1), 60) << "table " << t;
        EXPECT_EQ(row["ewPercent"].toInt(-1), 40) << "table " << t;
      }
      EXPECT_TRUE(seen) << "table " << t;
    }
  };
  splitShown();
  // The pairs sat the other way round: swapped at the table's sheet, the echo
  // gives E/W 4 as N/S, and the split is still found.
  SwapResult(slotOf(2, 1), ResultSource::TableSheet);
  ASSERT_EQ(readBytes(table(1) + "RESS2.TXT"), "1 1 999 2 1 4 1 ? 60 - 40 Entame=?\r\n");
  splitShown();
}

class TablesHandMadeFolder : public testing_support::TalvaronTest {};

TEST_F(TablesHandMadeFolder, SitOutRoundsRankingAndDealsOfPlayedBoardsOnly) {
  const QString q = documentsDir() + "/Quillmarke/";
  writeBytes(q + "Serie1/PREFS.TXT", "3 6 2 2 M 0 Y 0 4 N Y 1 2 N N 0 N Le Vieux Pont\r\n");
  // Table 2: round 1 against the BYE (E/W 4 is the BYE, written 0), round 2
  // with nobody opposite, round 3 a real round on boards 5-6.
  writeBytes(q + "Serie1/Table1/MVT.TXT", "1 1 1 3 1\r\n");
  writeBytes(q + "Serie1/Table2/MVT.TXT", "1 2 2 0 2\r\n2 0  0  0  0\r\n3 2 2 3 3\r\n");
  writeBytes(q + "Serie1/BYE.TXT", "1 2 3 2 0\r\n1 2 4 2 0\r\n2 2 1 2 0\r\n2 2 2 2 0\r\n");
  writeBytes(q + "Serie1/Table2/RESX5.TXT", "2 1 999 5 3 2 3 S 2KS= Entame=?\r\n");
  writeBytes(q + "RESULTS.TXT", "$$Résultats N/S:\r\n\r\n1$2$ B - C                              $   60.00\r\n");
  QByteArray diagram = "Board 5\r\n--------\r\n\r\n";
  for (const char* seat : {"Nord", "Sud", "Est", "Ouest"})
    diagram += QByteArray(seat) + "\r\n\r\nP  A R\r\nC  D\r\nK  V\r\nT  X 9\r\n\r\n";
  writeBytes(q + "Diagrammes/S5.TXT", diagram);
  writeBytes(q + "Diagrammes/S6.TXT", diagram.replace("Board 5", "Board 6"));

  TablesService service(q.chopped(1), {});
  const QString token = service.join({{"password", "Le Vieux Pont"}}, "p").body["token"].toString();
  ASSERT_EQ(service.claim(token, {{"table", 2}}).status, 200);
  const Reply r = service.state(token, 2);
  ASSERT_EQ(r.status, 200);
  const QJsonArray rounds = r.body["rounds"].toArray();
  ASSERT_EQ(rounds.size(), 3);
  EXPECT_TRUE(rounds[0]["sitOut"].toBool());
  EXPECT_TRUE(rounds[0]["boards"].toArray().isEmpty());
  EXPECT_TRUE(rounds[1]["sitOut"].toBool());
  EXPECT_EQ(rounds[1]["ns"].toInt(), 2);  // named by the sit-out list
  EXPECT_FALSE(rounds[2]["sitOut"].toBool());
  EXPECT_EQ(rounds[2]["boards"][0]["current"], "S 2KS=");
  EXPECT_EQ(rounds[2]["boards"][0]["echo"]["score"].toInt(), 90);
  EXPECT_EQ(r.body["round"].toInt(), 3);

  const QJsonArray deals = service.deals(token, 2).body["deals"].toArray();
  ASSERT_EQ(deals.size(), 1);  // board 6 is not played yet
  EXPECT_EQ(deals[0]["board"].toInt(), 5);
  EXPECT_EQ(deals[0]["hands"]["O"][3], "X 9");

  const Reply ranking = service.ranking(token);
  EXPECT_TRUE(ranking.body["available"].toBool());
  EXPECT_EQ(ranking.body["lists"][0]["rows"][0]["name"], "B - C");
  writeBytes(q + "RESULTS.TXT", "Il n'y a pas encore d'affichage des resultats disponible.\r\n");
  EXPECT_FALSE(service.ranking(token).body["available"].toBool());
  EXPECT_EQ(service.ranking(token).body["message"], "Il n'y a pas encore d'affichage des resultats disponible.");
}

TEST_F(TablesServiceTest, TheBuiltInPasswordGivesWayToTheEveningsCodeAndPasswordsAreComparedExactly) {
  // The built-in password is the evening's: only the code joins.
  for (const char* typed : {"FarnelTosk", "farneltosk", "318406 ", " 318406", "３１８４０６"})
    EXPECT_EQ(service->join({{"password", typed}}, QString("10.0.1.%1").arg(typed[0])).body["error"], "password")
        << typed;
  EXPECT_EQ(service->join({{"password", "318406"}}, "10.0.2.1").status, 200);

  // Without a code, nothing joins while the password is the built-in one.
  qunsetenv("TALVARON_TABLES_CODE");
  TablesService codeless(TabletSharedFolder, programDir(), [this] { return now; });
  EXPECT_EQ(codeless.join({{"password", "FarnelTosk"}}, "10.0.2.2").body["error"], "password");
  EXPECT_EQ(codeless.join({{"password", ""}}, "10.0.2.3").body["error"], "password");

  // A password of the club's own: that one, letter for letter; the code no
  // longer joins. "ſ" (long s) folds to "s" without regard to case.
  TabletPassword = "Salle Ste-Anne";
  WriteTabletSessionFiles();
  for (const char* typed : {"salle ste-anne", "SALLE STE-ANNE", "Salle Ste-Anne ", "Salle ſte-Anne", "318406"})
    EXPECT_EQ(service->join({{"password", QString::fromUtf8(typed)}}, QString("10.0.3.%1").arg(typed[1])).status, 403)
        << typed;
  EXPECT_EQ(service->join({{"password", "Salle Ste-Anne"}}, "10.0.2.4").status, 200);
  // The program takes any case of the built-in password for the built-in one.
  TabletPassword = "FARNELTOSK";
  WriteTabletSessionFiles();
  EXPECT_EQ(service->join({{"password", "FARNELTOSK"}}, "10.0.2.5").status, 403);
  EXPECT_EQ(service->join({{"password", "318406"}}, "10.0.2.5").status, 200);
}

TEST_F(TablesServiceTest, AClubWithoutAPasswordJoinsWithTheEveningsCode) {
  // The password window writes an empty line: the tables get the code.
  TabletPassword = "";
  WriteTabletSessionFiles();
  EXPECT_EQ(service->join({{"password", ""}}, "10.0.4.1").body["error"], "password");
  EXPECT_EQ(service->join({{"password", "FarnelTosk"}}, "10.0.4.2").body["error"], "password");
  const Reply r = service->join({{"password", testing_support::kTablesCode}}, "10.0.4.3");
  EXPECT_EQ(r.status, 200);
  EXPECT_EQ(service->claim(r.body["token"].toString(), {{"table", 1}}).status, 200);
}

TEST_F(TablesServiceTest, GuessesAreBoundedWithoutClosingTheRoom) {
  // One address is made to wait a minute: 3 free failures, then 1, 2 ... 32, 60 s.
  const QString locked = "192.168.1.50";
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(service->join({{"password", "000000"}}, locked).status, 403) << i;
    now += std::chrono::seconds(60);
  }
  now -= std::chrono::seconds(60);
  EXPECT_EQ(service->join({{"password", "318406"}}, locked).body["wait"].toInt(), 60);
  now += std::chrono::seconds(60);

  // 250 strangers each send a wrong code once a minute for half an hour;
  // every minute a new phone types the right one, and a phone that
  // mistyped it twice types it right.
  int tried = 0;
  for (int minute = 0; minute < 30; ++minute) {
    for (int i = 0; i < 250; ++i) {
      const Reply r = service->join({{"password", QString::number(100000 + i)}}, QString("10.1.%1.9").arg(i));
      if (r.status == 403) ++tried;
      else EXPECT_EQ(r.status, 429);
    }
    const QString phone = QString("10.2.%1.1").arg(minute);
    EXPECT_EQ(service->join({{"password", "318405"}}, phone).status, 403);
    EXPECT_EQ(service->join({{"password", "318460"}}, phone).status, 403);
    EXPECT_EQ(service->join({{"password", "318406"}}, phone).status, 200) << minute;
    EXPECT_EQ(service->join({{"password", "318406"}}, QString("10.3.%1.1").arg(minute)).status, 200) << minute;
    // The locked address, past its free failures, waits with the strangers.
    if (minute == 29) {
      EXPECT_EQ(service->join({{"password", "318406"}}, locked).status, 429);
    }
    now += std::chrono::seconds(60);
  }
  // Each stranger's three free failures, then 20 a minute for them all
  // (the 27 minutes after the first three).
  EXPECT_EQ(tried, 250 * 3 + 20 * 27);
  EXPECT_EQ(service->join({{"password", "318406"}}, locked).status, 200);

  // An IPv6 device picks any address of its /64: they are one address here.
  for (int i = 1; i <= 3; ++i)
    EXPECT_EQ(service->join({{"password", "1"}}, QString("2001:db8:1:2::%1").arg(i)).status, 403);
  EXPECT_EQ(service->join({{"password", "318406"}}, "2001:db8:1:2:aaaa:bbbb:cccc:dddd").status, 429);
  EXPECT_EQ(service->join({{"password", "318406"}}, "2001:db8:1:3::1").status, 200);
}

TEST_F(TablesServiceTest, NumbersBeyondAnIntAreRefusedBeforeAnyCast) {
  const QString token = holding(1);
  for (const char* key : {"table", "round", "board", "level", "result"}) {
    for (double huge : {1e300, -1e300, 2147483648.0, -2147483649.0}) {
      QJsonObject body = contract(1, 1, 1, "N", 4, "P", 0);
      body[key] = huge;
      const Reply r = service->result(token, body);
      EXPECT_EQ(r.status, 400) << key << " " << huge;
    }
  }
  QJsonObject split = kind(1, 1, 2, "split");
  split["nsPercent"] = 1e300;
  split["ewPercent"] = 40;
  EXPECT_EQ(service->result(token, split).body["error"], "bad_split");
  EXPECT_EQ(service->claim(token, {{"table", 1e300}}).status, 400);
  EXPECT_EQ(service->sendPlayers(token, {{"table", -1e300}, {"seats", QJsonObject{}}}).status, 400);
  EXPECT_FALSE(QFile::exists(table(1) + "REST1.TXT"));
  EXPECT_FALSE(QFile::exists(table(1) + "REST2.TXT"));
}

TEST_F(TablesServiceTest, NamesTheDeskWouldRefuseAreRefused) {
  PairsEntered = false;
  WriteTabletSessionFiles();
  const QString token = holding(2);
  const auto send = [&](const QString& name) {
    return service->sendPlayers(token, {{"table", 2}, {"seats", QJsonObject{{"N", QJsonObject{{"name", name}}}}}});
  };
  const QString refused[] = {QString("DUPONT") + QChar(0) + "Jean", "DUPONT\x1b[2JJean", QString("DUPONT") + QChar(0x7f),
                             QString("Andr") + QChar(0x81), QString("Andr") + QChar(0x90), "Le£Blanc", "BYE", "bye",
                             "Jean BYE", "BYE-Martin", "Ana\tLopez", QString("Zo") + QChar(0x2028) + "e",
                             "Émilie 😀", QString(101, 'A')};
  for (const QString& name : refused) {
    const Reply r = send(name);
    EXPECT_EQ(r.body["error"], "bad_name") << name.toStdString();
    EXPECT_FALSE(QFile::exists(table(2) + "PLAYERS.TXT")) << name.toStdString();
  }
  // What the desk takes, the tables take: Windows-1252 letters, a
  // hyphen, an apostrophe; "Byers" is not the BYE.
  EXPECT_TRUE(send("Œuvray-d'Éhé Byers").body["written"].toBool());
  EXPECT_EQ(readBytes(table(2) + "PLAYERS.TXT"),
            "\x8cuvray-d'\xc9h\xe9 Byers@*** Pas rempli ***@*** Pas rempli ***@*** Pas rempli ***\r\n");
  EXPECT_TRUE(send(QString(100, 'A')).body["written"].toBool());
}

TEST_F(TablesServiceTest, AResendWhileTheProgramCollectsIsWrittenOnceAndACorrectionIsNotRefused) {
  const QString token = holding(1);
  ASSERT_TRUE(service->result(token, contract(1, 1, 1, "N", 4, "P", 0)).body["written"].toBool());
  // The program takes the file away and has not written its echo yet.
  ASSERT_TRUE(QFile::remove(table(1) + "REST1.TXT"));
  Reply r = service->result(token, contract(1, 1, 1, "N", 4, "P", 0));
  EXPECT_FALSE(r.body["written"].toBool());
  EXPECT_FALSE(QFile::exists(table(1) + "REST1.TXT"));
  EXPECT_EQ(std::as_const(r.body)["board"]["current"], "N 4PN=");
  // A correction from the page that saw its own result is taken.
  r = service->result(token, contract(1, 1, 1, "N", 3, "P", 1, "N 4PN="));
  EXPECT_EQ(r.status, 200);
  EXPECT_TRUE(r.body["written"].toBool());
  // Once the program collects and echoes, the echo speaks again.
  ImportTabletResults();
  EXPECT_EQ(board(service->state(token, 1), 1, 1)["current"], "N 3PN+1");
  ASSERT_TRUE(service->result(token, kind(1, 1, 2, "pass")).body["written"].toBool());
  ASSERT_TRUE(QFile::remove(table(1) + "REST2.TXT"));  // taken, and refused by the program: no echo
  now += std::chrono::seconds(11);
  EXPECT_EQ(board(service->state(token, 1), 1, 2)["current"], "PASSE");  // first seen gone now
  now += std::chrono::seconds(11);
  EXPECT_EQ(board(service->state(token, 1), 1, 2)["current"], "");
}

TEST_F(TablesServiceTest, ACorrectionSentBeforeTheEchoOfTheResultItCorrectsIsHeldUntilItsOwnEcho) {
  const QString token = join();
  ASSERT_EQ(service->claim(token, {{"table", 1}}).status, 200);
  const int s = slotOf(1, 1);  // table 1, round 1
  const auto echo = [s](const QString& contract) {
    WriteTabletResultLine(1, 1, 1, ResultNsPair[s], ResultEwPair[s], contract, "N");
  };
  const auto current = [&] { return board(service->state(token, 1), 1, 1)["current"].toString(); };
  // 4PN= is taken by the program; 3PN+1 corrects it before its echo and is
  // taken too; only then does the echo of 4PN= come.
  ASSERT_TRUE(service->result(token, contract(1, 1, 1, "N", 4, "P", 0)).body["written"].toBool());
  ASSERT_TRUE(QFile::remove(table(1) + "REST1.TXT"));
  ASSERT_TRUE(service->result(token, contract(1, 1, 1, "N", 3, "P", 1, "N 4PN=")).body["written"].toBool());
  ASSERT_TRUE(QFile::remove(table(1) + "REST1.TXT"));
  echo("4PN=");
  EXPECT_EQ(current(), "N 3PN+1");
  // The page's resend of its correction writes nothing; a correction of it is no conflict.
  Reply r = service->result(token, contract(1, 1, 1, "N", 3, "P", 1, "N 4PN="));
  EXPECT_EQ(r.status, 200);
  EXPECT_FALSE(r.body["written"].toBool());
  EXPECT_FALSE(QFile::exists(table(1) + "REST1.TXT"));
  r = service->result(token, contract(1, 1, 1, "N", 2, "P", 2, "N 3PN+1"));
  EXPECT_EQ(r.status, 200);
  EXPECT_TRUE(r.body["written"].toBool());
  // Taken; the late echo of 3PN+1 does not bring it back, the echo of 2PN+2 ends the wait.
  ASSERT_TRUE(QFile::remove(table(1) + "REST1.TXT"));
  echo("3PN+1");
  EXPECT_EQ(current(), "N 2PN+2");
  echo("2PN+2");
  const QJsonObject b = board(service->state(token, 1), 1, 1);
  EXPECT_EQ(b["current"], "N 2PN+2");
  EXPECT_TRUE(b["pending"].isNull());
  // A result the director gives meanwhile is shown at once.
  ASSERT_TRUE(service->result(token, kind(1, 1, 1, "pass", "N 2PN+2")).body["written"].toBool());
  ASSERT_TRUE(QFile::remove(table(1) + "REST1.TXT"));
  echo("5PN-1");
  EXPECT_EQ(current(), "N 5PN-1");
}

TEST_F(TablesServiceTest, FastResendsBesideTheCollectionWriteEachBoardOnce) {
  const QString tokens[] = {{}, holding(1), holding(2), holding(3)};
  std::vector<QJsonObject> bodies;
  for (int t = 1; t <= 3; ++t)
    for (const QJsonValue round : service->state(tokens[t], t).body["rounds"].toArray())
      for (const QJsonValue b : round["boards"].toArray())
        bodies.push_back(contract(t, round["round"].toInt(), b["board"].toInt(), "S", 1 + b["board"].toInt() % 7, "S", 0));
  ASSERT_EQ(bodies.size(), 18u);
  std::atomic<int> written = 0;
  std::atomic<int> refused = 0;
  std::atomic<bool> done = false;
  std::thread tables([&] {
    for (const QJsonObject& body : bodies)
      for (int i = 0; i < 30; ++i) {
        const Reply r = service->result(tokens[body["table"].toInt()], body);
        if (r.status != 200) ++refused;
        if (r.body["written"].toBool()) ++written;
      }
    done = true;
  });
  while (!done) ImportTabletResults();  // the program's collection, as fast as it goes
  tables.join();
  ImportTabletResults();
  EXPECT_EQ(written, 18);
  EXPECT_EQ(refused, 0);
  EXPECT_EQ(ResultsEntered, 18);
}

TEST_F(TablesServiceTest, TakeoversAreLoggedAndTheHoldersWrittenForTheDesk) {
  const QString first = service->join({{"password", "318406"}}, "192.168.1.23", "Android Chrome 192.168.1.23")
                            .body["token"].toString();
  const QString second = join("192.168.1.40");
  ASSERT_FALSE(service->checkCaller(second, "iPhone Safari 192.168.1.40"));
  EXPECT_EQ(service->claim(first, {{"table", 2}}).status, 200);
  const QString root = TabletSharedFolder + "/";
  QByteArray holders = readBytes(root + "APPAREILS.TXT");
  EXPECT_TRUE(QRegularExpression("^2\tAndroid Chrome 192\\.168\\.1\\.23\t\\d\\d:\\d\\d:\\d\\d\r\n$")
                  .match(QString::fromUtf8(holders)).hasMatch()) << holders.toStdString();
  EXPECT_FALSE(QFile::exists(root + "REPRISES.LOG"));
  // Asked, not taken: nothing changes.
  EXPECT_EQ(service->claim(second, {{"table", 2}}).body["error"], "table_taken");
  EXPECT_EQ(readBytes(root + "APPAREILS.TXT"), holders);
  // Taken over after the page's question: the log says who took it from whom.
  EXPECT_EQ(service->claim(second, {{"table", 2}, {"takeover", true}}).status, 200);
  const QString log = QString::fromUtf8(readBytes(root + "REPRISES.LOG"));
  EXPECT_TRUE(QRegularExpression("^\\d\\d/\\d\\d/20\\d\\d \\d\\d:\\d\\d:\\d\\d\tTable 2\t"
                                 "Android Chrome 192\\.168\\.1\\.23 -> iPhone Safari 192\\.168\\.1\\.40\r\n$")
                  .match(log).hasMatch()) << log.toStdString();
  holders = readBytes(root + "APPAREILS.TXT");
  EXPECT_TRUE(holders.startsWith("2\tiPhone Safari 192.168.1.40\t")) << holders.toStdString();
  // The first device chooses table 3: one line per table, in order.
  EXPECT_EQ(service->claim(first, {{"table", 3}}).status, 200);
  holders = readBytes(root + "APPAREILS.TXT");
  EXPECT_EQ(holders.count('\n'), 2);
  EXPECT_TRUE(holders.contains("\r\n3\tAndroid Chrome 192.168.1.23\t")) << holders.toStdString();
  // A takeover of a table it holds, or of a table that does not exist, logs nothing.
  EXPECT_EQ(service->claim(second, {{"table", 2}, {"takeover", true}}).status, 200);
  EXPECT_EQ(service->claim(second, {{"table", 9}, {"takeover", true}}).status, 400);
  EXPECT_EQ(readBytes(root + "REPRISES.LOG").count('\n'), 1);
  // A new evening: nobody holds anything.
  WriteTabletSessionFiles();
  EXPECT_EQ(service->claim(join(), {{"table", 1}}).status, 200);
  EXPECT_TRUE(readBytes(root + "APPAREILS.TXT").startsWith("1\t")) << readBytes(root + "APPAREILS.TXT").toStdString();
  EXPECT_EQ(readBytes(root + "APPAREILS.TXT").count('\n'), 1);
}

TEST_F(TablesServiceTest, SessionFilesBeyondAnyEveningAreNoTournament) {
  const QString prefs = TabletSharedFolder + "/Serie1/PREFS.TXT";
  const QByteArray good = readBytes(prefs);
  const QList<QByteArray> fields = good.trimmed().split(' ');
  ASSERT_GE(fields.size(), 18);
  const auto withField = [&](int i, const QByteArray& value) {
    QList<QByteArray> f = fields;
    f[i] = value;
    return f.join(' ') + "\r\n";
  };
  for (const auto& [field, value] : std::vector<std::pair<int, QByteArray>>{
           {3, "2555555"}, {3, "65"}, {3, "0"}, {2, "22"}, {2, "-3"}, {2, "99999999999"}}) {
    writeBytes(prefs, withField(field, value));
    EXPECT_EQ(service->join({{"password", "318406"}}, "10.0.0.2").body["error"], "no_tournament")
        << field << " " << value.toStdString();
  }
  writeBytes(prefs, withField(3, "64"));
  const QString token = holding(1);
  // A movement line naming a board set far beyond the boards is left out.
  writeBytes(TableFolder(1) + "/MVT.TXT", "1 1 1 4 1\r\n2 1 1 5 2555555\r\n3 1 1 6 -4\r\n");
  const Reply r = service->state(token, 1);
  ASSERT_EQ(r.status, 200);
  EXPECT_EQ(r.body["rounds"].toArray().size(), 1);
  EXPECT_EQ(r.body["rounds"][0]["boards"].toArray().size(), 64);
}

TEST_F(TablesServiceTest, AskingAboutATableTakesNoneAndADeviceHoldsOneTableAtATime) {
  // A device that asks about every table, or sends for one, holds none.
  const QString reader = join("10.0.0.66");
  for (int t = 1; t <= 3; ++t) {
    const Reply r = service->state(reader, t);
    EXPECT_EQ(r.status, 409) << t;
    EXPECT_EQ(r.body["error"], "table_free") << t;
    EXPECT_EQ(r.body["message"], QString("La table %1 n'est tenue par aucun appareil : choisissez-la.").arg(t));
  }
  EXPECT_EQ(service->deals(reader, 2).body["error"], "table_free");
  EXPECT_EQ(service->result(reader, contract(1, 1, 1, "N", 4, "P", 0)).body["error"], "table_free");
  EXPECT_EQ(service->score(reader, {{"table", 1}, {"board", 1}, {"declarer", "N"}, {"level", 4}, {"strain", "P"},
                                    {"doubling", ""}, {"result", 0}})
                .body["error"],
            "table_free");
  EXPECT_FALSE(QFile::exists(table(1) + "REST1.TXT"));
  EXPECT_FALSE(QFile::exists(TabletSharedFolder + "/APPAREILS.TXT"));
  // So the tables' phones choose theirs without a question.
  const QString first = holding(1);
  const QString second = holding(2);
  // A device that chooses a table leaves the one it held.
  ASSERT_EQ(service->claim(reader, {{"table", 3}}).status, 200);
  ASSERT_EQ(service->claim(reader, {{"table", 2}, {"takeover", true}}).status, 200);
  EXPECT_EQ(service->state(reader, 3).body["error"], "table_free");
  EXPECT_EQ(service->state(reader, 2).status, 200);
  EXPECT_EQ(service->state(second, 2).body["error"], "table_lost");
  EXPECT_EQ(service->state(first, 1).status, 200);
  const QString third = holding(3);
  const QString holders = QString::fromUtf8(readBytes(TabletSharedFolder + "/APPAREILS.TXT"));
  EXPECT_EQ(holders.count('\n'), 3);
  EXPECT_EQ(holders.count("Appareil " + reader.left(6)), 1) << holders.toStdString();
  EXPECT_TRUE(holders.contains("\r\n2\tAppareil " + reader.left(6))) << holders.toStdString();
}

TEST_F(TablesServiceTest, TakeoversAreHeldBackForEachTableAndEachDevice) {
  const QString a = holding(1);  // a change of table for a, at 0 s
  const QString b = join("10.0.0.3");
  const auto takeOver = [&](const QString& device) { return service->claim(device, {{"table", 1}, {"takeover", true}}); };
  ASSERT_EQ(takeOver(b).status, 200);
  // Taken back at once: a table taken over rests thirty seconds.
  Reply r = takeOver(a);
  EXPECT_EQ(r.status, 429);
  EXPECT_EQ(r.body["error"], "wait");
  EXPECT_EQ(r.body["wait"].toInt(), 30);
  EXPECT_EQ(r.body["message"], "Trop d'essais : réessayez dans 30 secondes.");
  EXPECT_EQ(service->state(b, 1).status, 200);
  now += std::chrono::seconds(30);
  ASSERT_EQ(takeOver(a).status, 200);

  // The two fight over it for ten minutes, each second the one without it
  // trying. By hand: the table changes hands every 30 s (60 b, 90 a, 120 b,
  // 150 a, 180 b, 210 a, 240 b) until each device made five changes within
  // ten minutes (a: 0 30 90 150 210; b: 0 60 120 180 240); a may again at
  // 600 s, once its change at 0 s is ten minutes old, and b at 630 s.
  bool aHolds = true;
  int taken = 0;
  for (int second = 31; second <= 630; ++second) {
    now += std::chrono::seconds(1);
    r = takeOver(aHolds ? b : a);
    if (r.status == 200) {
      aHolds = !aHolds;
      ++taken;
    } else {
      ASSERT_EQ(r.body["error"], "wait") << second;
    }
    if (second == 270) {
      EXPECT_EQ(r.body["wait"].toInt(), 330);  // a's change at 0 s is ten minutes old at 600 s
    }
  }
  EXPECT_EQ(taken, 9);
  const QByteArray log = readBytes(TabletSharedFolder + "/REPRISES.LOG");
  EXPECT_EQ(log.count('\n'), 11);
  // The other tables are not held back.
  EXPECT_EQ(service->state(holding(2), 2).status, 200);
}

TEST_F(TablesServiceTest, ATableLooksUpNoMorePlayersThanItNeeds) {
  PairsEntered = false;
  WriteTabletSessionFiles();
  // A club of 3,000 players, licences 10001 to 13000: counting licences.
  QByteArray list;
  for (int i = 1; i <= 3000; ++i) list += "JOUEUR Numero " + QByteArray::number(10000 + i) + "\r\n";
  writeBytes(TabletSharedFolder + "/JOUEURS.TXT", list);
  const QString token = holding(3);
  int named = 0;
  Reply r;
  for (int i = 1; i <= 100; ++i) {
    r = lookUp(token, 3, QString("licence=%1").arg(10000 + i));
    if (r.status == 200 && r.body["players"].toArray().size() == 1) ++named;
  }
  EXPECT_EQ(named, 20);
  EXPECT_EQ(r.status, 429);
  EXPECT_EQ(r.body["error"], "wait");
  EXPECT_EQ(r.body["wait"].toInt(), 30);
  EXPECT_EQ(r.body["message"], "Trop d'essais : réessayez dans 30 secondes.");
  EXPECT_EQ(lookUp(token, 3, "name=joueur%20numero").status, 429);
  // One more every thirty seconds.
  now += std::chrono::seconds(30);
  EXPECT_EQ(lookUp(token, 3, "licence=10101").body["players"][0]["licence"], "10101");
  EXPECT_EQ(lookUp(token, 3, "licence=10102").body["wait"].toInt(), 30);
  // The players sent are looked up from the same allowance: spent, they
  // are written as typed.
  EXPECT_TRUE(service->sendPlayers(token, {{"table", 3},
                                           {"seats", QJsonObject{{"N", QJsonObject{{"licence", "10103"}, {"name", "X"}}}}}})
                  .body["written"]
                  .toBool());
  EXPECT_EQ(readBytes(table(3) + "PLAYERS.TXT"), "10103&X@*** Pas rempli ***@*** Pas rempli ***@*** Pas rempli ***\r\n");
  // A device joining afresh has no allowance of its own: a table it does
  // not hold it cannot look up for, and one it takes over has spent it.
  const QString fresh = join("10.0.0.9");
  EXPECT_EQ(lookUp(fresh, 1, "licence=10104").body["error"], "table_free");
  ASSERT_EQ(service->claim(fresh, {{"table", 3}, {"takeover", true}}).status, 200);
  EXPECT_EQ(lookUp(fresh, 3, "licence=10104").status, 429);
  // Another table has its own.
  EXPECT_EQ(lookUp(holding(2), 2, "licence=10105").body["players"][0]["name"], "JOUEUR Numero");
}

TEST_F(TablesServiceTest, ALargePlayersListIsIndexedOncePerChangeOfItsFile) {
  PairsEntered = false;
  WriteTabletSessionFiles();
  // 44,000 players, about a megabyte: "NOMaaaa Eloise 100000".
  const auto surname = [](int i) {
    QByteArray letters = "NOM";
    for (int k = 0; k < 4; ++k, i /= 26) letters += char('A' + i % 26);
    return letters;
  };
  QByteArray list;
  for (int i = 0; i < 44000; ++i) list += surname(i) + " Eloise " + QByteArray::number(100000 + i) + "\r\n";
  ASSERT_LT(list.size(), 1 << 20);
  writeBytes(TabletSharedFolder + "/JOUEURS.TXT", list);
  const QString token = holding(1);
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 200; i += 2) {
    const int k = i * 211 % 44000;
    EXPECT_EQ(lookUp(token, 1, QString("licence=%1").arg(100000 + k)).body["players"][0]["name"],
              QString(surname(k)) + " Eloise");
    EXPECT_EQ(lookUp(token, 1, "name=" + QString(surname(k + 1)).toLower() + "%20%C3%A9loise").body["players"][0]["licence"],
              QString::number(100001 + k));
    now += std::chrono::seconds(60);  // the table's own pace
  }
  // Two hundred look-ups take what one reading of the list takes, not two
  // hundred of them.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
  // The list changed: read again.
  writeBytes(TabletSharedFolder + "/JOUEURS.TXT", "NOUVEAU Joueur 0777\r\n");
  EXPECT_EQ(lookUp(token, 1, "licence=777").body["players"][0]["name"], "NOUVEAU Joueur");
  EXPECT_TRUE(lookUp(token, 1, "licence=100000").body["players"].toArray().isEmpty());
}

TEST_F(TablesServiceTest, AResendThatDiffersOnlyInItsLeadIsWritten) {
  const QString token = holding(1);
  const auto withLead = [](const QString& lead) {
    QJsonObject b = contract(1, 1, 1, "N", 4, "P", 0);
    b["lead"] = lead;
    return b;
  };
  ASSERT_TRUE(service->result(token, withLead("RC")).body["written"].toBool());
  ImportTabletResults();
  const int slot = slotOf(1, 1);
  ASSERT_EQ(ResultLead[slot], "RC");
  // Taken and echoed: the same contract with another lead is a correction.
  Reply r = service->result(token, withLead("AP"));
  EXPECT_TRUE(r.body["written"].toBool());
  EXPECT_EQ(readBytes(table(1) + "REST1.TXT"), "1 1 0 1 1 1 4 N 4PN= AP\r\n");
  ImportTabletResults();
  EXPECT_EQ(ResultLead[slot], "AP");
  EXPECT_EQ(ResultsEntered, 1);
  // The lead the program now holds, or none, is nothing new.
  EXPECT_FALSE(service->result(token, withLead("ap")).body["written"].toBool());
  EXPECT_FALSE(service->result(token, contract(1, 1, 1, "N", 4, "P", 0)).body["written"].toBool());
  EXPECT_FALSE(QFile::exists(table(1) + "REST1.TXT"));
}

TEST_F(TablesServiceTest, AResultFileIsReadAlikeByTheProgramAndTheServer) {
  const QString token = holding(1);
  const int slot = slotOf(1, 1);
  testing_support::TabletTables tables;
  // A field after the lead is not part of it.
  tables.enterResult(1, 1, 1, ResultNsPair[slot], ResultEwPair[slot], "N 4PN= RC 20:41");
  EXPECT_EQ(board(service->state(token, 1), 1, 1)["current"], "N 4PN=");
  ImportTabletResults();
  EXPECT_EQ(ResultContract[slot], "4PN=");
  EXPECT_EQ(ResultLead[slot], "RC");
  // A damaged line is no result on either side: the server shows none
  // waiting, the program leaves the file to be read again.
  const QString damaged = table(1) + "REST2.TXT";
  writeBytes(damaged, "1 1 0 2 x 1 4 N 3SN=\r\n");
  const QJsonObject b = board(service->state(token, 1), 1, 2);
  EXPECT_TRUE(b["pending"].isNull());
  EXPECT_EQ(b["current"], "");
  ImportTabletResults();
  EXPECT_EQ(ResultScore[slotOf(2, 1)], kScoreNone);
  EXPECT_TRUE(QFile::exists(damaged));
}

TEST_F(TablesServiceTest, AColumnAddedToTheRankingIsNotReadAsTheScore) {
  const QString token = holding(1);
  writeBytes(TabletSharedFolder + "/RESULTS.TXT",
             "$$Résultats N/S:\r\n\r\n1$2$ B - C                              $   60.00$   12\r\n");
  const Reply r = service->ranking(token);
  const QJsonObject row = r.body["lists"].toArray()[0].toObject()["rows"].toArray()[0].toObject();
  EXPECT_EQ(row["name"], "B - C");
  EXPECT_EQ(row["score"], "60.00");
}

TEST_F(TablesServiceTest, AFieldAddedAfterTheWestPlayerIsNotPartOfHisName) {
  int s = 1;
  while (!(ResultRound[s] == 1 && ResultTable[s] == 2)) ++s;
  testing_support::TabletTables().enterPlayers(2, {"11&NORD Un", "22&SUD Deux", "33&EST Trois", "44&OUEST Quatre",
                                                   "20:41"});
  ImportTabletResults();
  const int ew = FindPairSlot(ResultEwPair[s]);
  ASSERT_GT(ew, 0);
  EXPECT_EQ(Player2Names[ew], "OUEST Quatre");
  EXPECT_EQ(Player2Licences[ew], "44");
}
