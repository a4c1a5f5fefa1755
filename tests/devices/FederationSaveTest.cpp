#include "core/Fatal.h"
#include "core/CardLetters.h"
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "devices/BridgeMatesTables.h"
#include "devices/FederationImport.h"
#include "devices/FederationSave.h"
#include "devices/SessionDatabase.h"
#include "devices/SessionTexts.h"
#include "scoring/Contract.h"
#include "setup/PairLookups.h"
#include "support/BridgeMatesScorers.h"
#include "support/devices/FederationSession.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

using testing_support::FederationSession;
using testing_support::writeBytes;

using testing_support::wrap;

TEST(FederationConversionsTest, ContractsResultsAndLeadsTakeTheDatabaseForms) {
  ui::ScriptedInteraction talk;
  EXPECT_EQ(ContractToSessionText("4PCN-1"), "4 S x");
  EXPECT_EQ(ContractToSessionText("3SN="), "3 NT ");
  EXPECT_EQ(ContractToSessionText("5KXXO+1"), "5 D xx");
  EXPECT_EQ(ContractToSessionText("6TSE=  "), "6 C xx");
  EXPECT_EQ(ContractToSessionText("PASSE"), "PASS");
  EXPECT_EQ(ContractToSessionText(""), "?");
  EXPECT_TRUE(talk.messages.isEmpty());
  EXPECT_EQ(ContractToSessionText("4PN"), "PASS");
  EXPECT_EQ(ContractToSessionText("4PQN="), "PASS");
  EXPECT_EQ(talk.messages, QStringList({"Désolé, gros bug! J'ai reçu un contrat (4PN). J'envoie PASSE. Modifiez dans "
                                        "FFBClubNet. Appelez Teo VARNAL...",
                                        "Désolé, gros bug! j'ai reçu un contrat (4PQN=). J'envoie PASSE. Mofifiez dans "
                                        "FFBClubNet. Appelez Teo VARNAL..."}));
  EXPECT_EQ(ChangedContractToSessionText("4PCN-1"), "4 S X/-1");
  EXPECT_EQ(ChangedContractToSessionText("5KxxO+1"), "5 D XX/+1");
  EXPECT_EQ(ChangedContractToSessionText("3SN="), "3 NT /=");
  EXPECT_EQ(ResultToSessionText("4PXN+2"), "+2");
  EXPECT_EQ(ResultToSessionText("4PN"), "?");

  EXPECT_EQ(LeadToSessionText("RP"), "SK");
  EXPECT_EQ(LeadToSessionText("10C"), "H10");
  EXPECT_EQ(LeadToSessionText("xT"), "Cx");
  EXPECT_EQ(ChangedLeadToSessionText("VK"), "DJ");
  for (const char* none : {"", "?", "-", "AZ"}) EXPECT_EQ(LeadToSessionText(none), "") << none;

  QString text = "Board 1\r\n--------\r\nrest";
  QString line;
  TakeFirstLine(text, line);
  EXPECT_EQ(line, "Board 1");
  TakeFirstLine(text, line);
  TakeFirstLine(text, line);
  EXPECT_EQ(line, "rest");
  EXPECT_TRUE(text.isEmpty());

  EXPECT_EQ(FrenchRanksToEnglish("P  A R X 3"), "AKT3");
  EXPECT_EQ(FrenchRanksToEnglish("T  A R D V X 9 8 7 6 5"), "AKQJT98765");
  EXPECT_EQ(FrenchRanksToEnglish("K  "), "");
  EXPECT_EQ(EnglishRanksToFrench("KJT2"), "R V X 2");
}

// Club 1234's session of today, built as FFBClubNet would, then imported.
class FederationSaveTest : public testing_support::FederationTest {
 protected:
  // A plain Mitchell, every seat named.
  void importMitchell(int tables, int boards) {
    mitchell(tables, tables, boards);
    ffb->addMitchellPlayers(tables, true);
    ImportFederationSession();
  }
  // A result typed at the table: the contract parsed and stored with its lead.
  void type(int slot, const QString& contract, const QString& lead = "?") {
    const ContractOutcome outcome = ParseContract(contract, ResultBoard[slot]);
    ASSERT_TRUE(outcome.valid()) << contract.toStdString();
    TestSlots().score[slot] = outcome.score;
    TestSlots().contract[slot] = outcome.builtText;
    TestSlots().declarer[slot] = QString(outcome.declarer);
    TestSlots().lead[slot] = lead;
  }
  // The slot where N/S pair ns plays board b.
  int slotOf(int board, int ns) {
    for (int s = (board - 1) * ResultsPerBoard + 1; s <= board * ResultsPerBoard; ++s)
      if (ResultNsPair[s] == ns) return s;
    return 0;
  }
  // A 9-pair Heredia on 10 "tables": pair 10 is the BYE.
  void importHeredia(int playerRows) {
    ffb->addSection(10);
    for (int t = 1; t <= 4; ++t) ffb->addRound(t, 1, 2 * t - 1, 2 * t, 1, 2);
    ffb->addRound(5, 1, 0, 9, 0, 0);
    for (int t = 6; t <= 8; ++t) ffb->addRound(t, 1, 0, 0, 0, 0);
    for (int row = 0; row < playerRows; ++row)
      ffb->addPlayer(row / 2 + 1, row % 2 ? "S" : "N", QString::number(500 + row), QString("Joueur%1").arg(row));
    writeBytes(MovementFolder + "HEREDIA10.TXT",
               "1 10 1 Howell\r\n1 1 2 1 1\r\n1 3 4 1 2\r\n1 5 6 1 3\r\n1 7 8 1 4\r\n1 9 10 1 5\r\n");
    ImportFederationSession();
  }
};

TEST_F(FederationSaveTest, ResultsReplaceReceivedDataOneRowPerPlayedSlot) {
  importMitchell(10, 1);
  {
    testing_support::BridgeMatesScorers scorers(file);
    scorers.enterResult(1, 1, 1, 1, 1, "N", "1 S ", "=");  // an old row goes
  }
  const int played = slotOf(1, 1);
  type(played, "4PXN-1", "RP");
  const int passed = slotOf(2, 2);
  TestSlots().contract[passed] = "PASSE";
  TestSlots().score[passed] = 0;
  const int adjusted = slotOf(3, 3);
  TestSlots().contract[adjusted] = "AJU.";
  TestSlots().score[adjusted] = kScoreAdjusted;
  TestSlots().nsPercent[adjusted] = 60.5;
  TestSlots().ewPercent[adjusted] = 39.5;
  // A pair made BYE plays no board that reaches the database.
  const int byeSlot = slotOf(4, 4);
  PairLabels[FindPairSlot(ResultEwPair[byeSlot])] = "BYE";
  type(byeSlot, "3SN=");

  SaveResultsToSession();
  const QList<QVariantMap> rows = ffb->rows("ReceivedData");
  ASSERT_EQ(rows.size(), 3);
  const QVariantMap& r = rows[0];
  EXPECT_EQ(r["Section"].toInt(), 1);
  EXPECT_EQ(r["Table"].toInt(), ResultTable[played]);
  EXPECT_EQ(r["Round"].toInt(), ResultRound[played]);
  EXPECT_EQ(r["Board"].toInt(), 1);
  EXPECT_EQ(r["PairNS"].toInt(), 1);
  EXPECT_EQ(r["PairEW"].toInt(), ResultEwPair[played] - 10);
  EXPECT_EQ(r["NS/EW"].toString(), "N");
  EXPECT_EQ(r["Contract"].toString(), "4 S x");
  EXPECT_EQ(r["Result"].toString(), "-1");
  EXPECT_EQ(r["LeadCard"].toString(), "SK");
  EXPECT_EQ(r["Processed"].toInt(), 0);
  EXPECT_EQ(rows[1]["Contract"].toString(), "PASS");
  EXPECT_TRUE(rows[1]["Result"].isNull());
  EXPECT_EQ(rows[2]["Remarks"].toString(), "60.5%-39.5%");  // not rounded to "61%-40%"
  EXPECT_EQ(rows[2]["Board"].toInt(), 3);
}

TEST_F(FederationSaveTest, PlayersGoBackIntoTheirRows) {
  importMitchell(5, 2);
  Player1Names[5 + 2] = "REMPLACANT Paul";  // E/W pair 2, East at table 2
  Player1Licences[5 + 2] = "999";
  SavePlayerNumbersToSession();
  const QList<QVariantMap> rows = ffb->rows("PlayerNumbers");
  ASSERT_EQ(rows.size(), 20);
  EXPECT_EQ(rows[0]["Name"].toString(), "Nord1");
  EXPECT_EQ(rows[0]["Number"].toString(), "101");
  EXPECT_EQ(rows[6]["Direction"].toString(), "E");
  EXPECT_EQ(rows[6]["Name"].toString(), "REMPLACANT Paul");
  EXPECT_EQ(rows[6]["Number"].toString(), "999");
  EXPECT_EQ(rows[7]["Name"].toString(), "Ouest2");
  EXPECT_EQ(rows[7]["Number"].toString(), "204");

  // A row of table 0 must be E or W.
  fresh();
  ffb->addPlayer(0, "N", "1", "");
  importMitchell(5, 2);
  EXPECT_THROW(SavePlayerNumbersToSession(), FatalStopError);
  EXPECT_EQ(talk.messages.last(),
            "Pour un Howell avec BYE, un des deux premiers enregistrements n'est pas E ou W. Désolé, on arrête!");
}

TEST_F(FederationSaveTest, HerediaNamesMakeTheRoundTripAndMissingRowsAreReported) {
  importHeredia(18);
  EXPECT_TRUE(HerediaMovement && PairsEntered && ByePresent);
  EXPECT_EQ(PairLabels[9], "Joueur16-Joueur17");
  EXPECT_EQ(PairLabels[10], "BYE");
  const QList<QVariantMap> before = ffb->rows("PlayerNumbers");
  SavePlayerNumbersToSession();
  EXPECT_EQ(ffb->rows("PlayerNumbers"), before);
  EXPECT_TRUE(talk.messages.isEmpty());

  fresh();
  importHeredia(16);
  SavePlayerNumbersToSession();
  ASSERT_EQ(talk.messages.size(), 1);
  EXPECT_EQ(talk.messages[0], "(FFBClubNet) La table \"PlayerNumbers\" n'a que 16 lignes pour 18 joueurs: les joueurs "
                              "suivants n'ont pas été sauvés.");
}

TEST_F(FederationSaveTest, DealsGoBackAsHandRecords) {
  importMitchell(3, 1);
  const QStringList holdings = {"AKT3", "QJ2", "", "98765432", "KJT2", "A", "KQ", "J", "", "", "", "", "", "", "", "T"};
  DealDiagrams[2] = FederationDiagramLines(2, holdings).join("\r\n") + "\r\n";
  ffb->addHandRecord(1, {"2"});  // replaced
  WriteHandRecords("Envoi", file);
  const QList<QVariantMap> rows = ffb->rows("HandRecord");
  ASSERT_EQ(rows.size(), 1);
  EXPECT_EQ(rows[0]["Board"].toInt(), 2);
  const QStringList columns = {"NorthSpades", "NorthHearts", "NorthDiamonds", "NorthClubs",
                               "SouthSpades", "SouthHearts", "SouthDiamonds", "SouthClubs",
                               "EastSpades",  "EastHearts",  "EastDiamonds",  "EastClubs",
                               "WestSpades",  "WestHearts",  "WestDiamonds",  "WestClubs"};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(rows[0][columns[i]].toString(), holdings[i]) << columns[i].toStdString();
  EXPECT_EQ(ffb->rows("Settings")[0]["BM2EnterHandRecord"].toInt(), 0);
}

TEST_F(FederationSaveTest, ASessionImportedPlayedAndSavedReadsBackWhole) {
  importMitchell(5, 2);
  TournamentCode = "2026120720";
  const QStringList contracts = {"3SN=", "4PE-1", "2KXS+1", "5TO-2", "1CN+2"};
  for (int s = 1; s <= ResultSlotCount; ++s) type(s, contracts[s % 5], s % 2 ? "DC" : "10T");
  SaveForFederation();
  EXPECT_EQ(talk.messages.last(), "Sauvetage des joueurs, des résultats et des diagrammes pour FFBClubNet réalisé dans \"" +
                                      file + "\"...");
  const QList<QVariantMap> rows = ffb->rows("ReceivedData");
  ASSERT_EQ(rows.size(), 50);
  for (int s = 1; s <= 50; ++s) {
    const QVariantMap& r = rows[s - 1];
    EXPECT_EQ(r["Board"].toInt(), ResultBoard[s]);
    EXPECT_EQ(r["PairNS"].toInt(), ResultNsPair[s]);
    EXPECT_EQ(r["PairEW"].toInt() + 5, ResultEwPair[s]);
    EXPECT_EQ(r["Contract"].toString(), ContractToSessionText(contracts[s % 5]));
    EXPECT_EQ(r["Result"].toString(), ResultToSessionText(contracts[s % 5]));
    EXPECT_EQ(r["LeadCard"].toString(), s % 2 ? "HQ" : "C10");
  }
  EXPECT_EQ(rows[0]["NS/EW"].toString(), "E");  // "4PE-1"
  EXPECT_EQ(rows[2]["NS/EW"].toString(), "W");  // "5TO-2"
}
