#include "core/Fatal.h"
#include "core/DealDiagrams.h"
#include "core/Globals.h"
#include "devices/FederationImport.h"
#include "devices/SessionDatabase.h"
#include "support/TestDatabase.h"
#include "support/devices/FederationSession.h"

#include <QFile>

using testing_support::FederationSession;
using testing_support::readBytes;
using testing_support::writeBytes;

using testing_support::wrap;

using FederationImportTest = testing_support::FederationTest;

TEST_F(FederationImportTest, OddMitchellWithMovedBoardsIsKindOne) {
  mitchell(7, 7, 3, 1);  // first row: boards 4-6 against E/W 1
  ffb->addMitchellPlayers(7, true);
  ImportFederationSession();
  EXPECT_EQ(FederationBwsFile, file);
  EXPECT_TRUE(MitchellNumbering && !IsHowell && PairsEntered);
  EXPECT_EQ(MitchellType, 0);
  EXPECT_EQ(FederationMovementKind, 1);
  EXPECT_EQ(RoundsPlayed, 7);
  EXPECT_EQ(RoundsScheduled, 7);
  EXPECT_EQ(BoardCount, 21);
  EXPECT_EQ(ResultSlotCount, 147);
  EXPECT_EQ(PairCount, 14);
  EXPECT_EQ(PairLabels[3], "Nord3-Sud3");
  EXPECT_EQ(Player2Licences[7 + 2], "204");
  EXPECT_EQ(PairNumbers[7 + 2], -2);
  EXPECT_FALSE(ByePresent);
  EXPECT_TRUE(talk.messages.isEmpty());
  EXPECT_FALSE(SessionDatabaseIsOpen());
}

TEST_F(FederationImportTest, EvenMitchellTellsTheRelayFromTheSkip) {
  mitchell(8, 8, 2, 0);  // the relay: E/W go on down by one after half-time
  ffb->addMitchellPlayers(8, true);
  ImportFederationSession();
  EXPECT_EQ(MitchellType, 2);
  EXPECT_EQ(FederationMovementKind, 0);
  EXPECT_EQ(RoundsScheduled, 8);

  fresh();
  mitchell(8, 7, 2, 0, true);
  ffb->addMitchellPlayers(8, true);
  ImportFederationSession();
  EXPECT_EQ(MitchellType, 1);
  EXPECT_EQ(SavedMitchellType, 1);
  EXPECT_EQ(RoundsScheduled, 7);
  EXPECT_TRUE(talk.messages.isEmpty());
}

TEST_F(FederationImportTest, FaultsOfTheDatabaseStopWithTheirMessage) {
  ffb->addSection(7);
  ffb->addSection(7, 2);
  EXPECT_EQ(stopped(ImportFederationSession), "Ce tournoi comporte plus d'une série de paires... Utilisez Talvarix. Désolé, on arrête!");

  fresh();
  ffb->addSection(7, 1, 3);
  EXPECT_EQ(stopped(ImportFederationSession), "(FFBClubNet) Le champ \"MissingPair\" dans la table \"Section\" n'est pas 0! Impossible. "
                             "Désolé, on arrête!");

  fresh();
  EXPECT_EQ(stopped(ImportFederationSession), "(FFBClubNet) La table \"Section\" est vide. Désolé, on arrête!");

  // Beyond the program's capacities: the field is named before any use.
  fresh();
  ffb->addSection(25);
  EXPECT_TRUE(stopped(ImportFederationSession).startsWith("(FFBClubNet) Le champ \"Tables\" de la table \"Section\" contient \"25\""));
  fresh();
  ffb->addSection(3);
  ffb->addRound(1, 1, 1, 1, 1, 99);
  EXPECT_TRUE(stopped(ImportFederationSession).startsWith("(FFBClubNet) Le champ \"HighBoard\" de la table \"RoundData\" contient \"99\""));
}

// FFBClubNet's file need not carry the columns only the scorers' polls read:
// the import reads neither Tables.LogOnOff nor PlayerNumbers.Processed.
TEST_F(FederationImportTest, ADatabaseWithoutThePollsColumnsIsImported) {
  mitchell(7, 7, 3, 1);
  ffb->addMitchellPlayers(7, true);
  {
    testing_support::TestDatabase db("lean");
    db.open(file);
    db.exec("ALTER TABLE \"Tables\" DROP COLUMN \"LogOnOff\"");
    db.exec("ALTER TABLE \"PlayerNumbers\" DROP COLUMN \"Processed\"");
  }
  ImportFederationSession();
  EXPECT_EQ(PairCount, 14);
  EXPECT_EQ(PairLabels[3], "Nord3-Sud3");
  EXPECT_TRUE(talk.messages.isEmpty());
  // The scorers' use still asks for them.
  try {
    OpenSessionDatabase(file);
    ADD_FAILURE() << "opened for the scorers without Tables.LogOnOff";
  } catch (const SessionDatabaseError& e) {
    EXPECT_TRUE(e.message().contains("la table \"Tables\" n'a pas de colonne \"LogOnOff\"")) << e.message().toStdString();
  }
}

TEST_F(FederationImportTest, SomeNamesMissingGiveTheDefaultNames) {
  mitchell(7, 7, 3, 0);
  ffb->addMitchellPlayers(7, true);
  ffb->addPlayer(0, "N", "0", "");  // rows of table 0 are not players
  ImportFederationSession();
  ASSERT_TRUE(PairsEntered);

  fresh();
  mitchell(7, 7, 3, 0);
  for (int t = 1; t <= 7; ++t)
    for (const char* seat : {"N", "S", "E", "W"})
      ffb->addPlayer(t, seat, "1", t == 7 && QString(seat) >= "S" ? "" : "X");  // S and W of table 7 unnamed
  ImportFederationSession();
  EXPECT_FALSE(PairsEntered);
  ASSERT_EQ(talk.messages.size(), 1);
  EXPECT_EQ(talk.messages[0], "Le nombre de noms de joueurs non vides reçus de FFBClubNet (26) est non nul et plus petit "
                              "que le nombre de joueurs théoriques (28). Je considère qu'aucun n'est introduit! Ils "
                              "devront être introduits sur les tablettes...");
  EXPECT_EQ(Player1Names[1], "N1");
  EXPECT_EQ(Player2Names[1], "S1");
  EXPECT_EQ(PairLabels[1], "N1/S1");
  EXPECT_EQ(PairLabels[8], "E1/O1");
  EXPECT_EQ(Player1Licences[8], "0");
}

TEST_F(FederationImportTest, NamesOnTwoLinesAreTakenOnOne) {
  mitchell(7, 7, 3, 0);
  for (int t = 1; t <= 7; ++t)
    for (const char* seat : {"N", "S", "E", "W"})
      ffb->addPlayer(t, seat, "1", t == 2 && QString(seat) == "E" ? QStringLiteral("COHEN \u05E9\u05DC\u05D5\u05DD") : " DUPONT\r\nJean£ ");
  ImportFederationSession();
  ASSERT_TRUE(PairsEntered);
  EXPECT_EQ(Player1Names[1], "DUPONT  Jean");
  EXPECT_EQ(PairLabels[1], "DUPONT  Jean-DUPONT  Jean");
  // The director hears once of each name the files cannot keep whole.
  EXPECT_EQ(talk.messages,
            QStringList{QStringLiteral("Attention! Les fichiers du tournoi ne peuvent pas garder certains caractères de ces noms "
                                       "(FFBClubNet); ils y deviendront des \"?\" (un blanc pour \"£\"). Écrivez-les autrement "
                                       "(en lettres latines), SVP:\r\n\"DUPONT Jean£\": £\r\n"
                                       "\"COHEN \u05E9\u05DC\u05D5\u05DD\": \u05E9 \u05DC \u05D5 \u05DD")});
}

TEST_F(FederationImportTest, TheByeIsThePairMissingFromTheFirstRound) {
  ffb->addSection(7);
  for (int r = 1; r <= 7; ++r)
    for (int t = 1; t <= 7; ++t) {
      const int set = wrap(t + r - 1, 7);
      ffb->addRound(t, r, t == 3 ? 0 : t, wrap(t - r + 1, 7), (set - 1) * 2 + 1, set * 2);
    }
  ffb->addMitchellPlayers(7, false);
  ImportFederationSession();
  EXPECT_TRUE(ByePresent);
  EXPECT_EQ(ByePairNumber, 3);
  EXPECT_EQ(ByeNsPair, 3);
  EXPECT_EQ(PairLabels[3], "BYE");
  EXPECT_EQ(Player1Names[3], "ByeN");

  // An E/W pair missing: its slot follows the N/S pairs.
  fresh();
  ffb->addSection(7);
  ffb->addMitchell(7, 7, 2, [](int t, int r) { return wrap(t - r + 1, 7) == 2 ? 0 : wrap(t - r + 1, 7); },
                   [](int t, int r) { return wrap(t + r - 1, 7); });
  ffb->addMitchellPlayers(7, true);
  ImportFederationSession();
  EXPECT_EQ(ByePairNumber, 9);
  EXPECT_EQ(ByeEwPair, 9);
  EXPECT_EQ(PairLabels[9], "BYE");
  EXPECT_EQ(PairLabels[10], "Est3-Ouest3");
}

TEST_F(FederationImportTest, HandRecordsBecomeDiagramsAndTheirFiles) {
  mitchell(3, 3, 1, 0);
  ffb->addMitchellPlayers(3, true);
  ffb->addHandRecord(2, {"AKT3", "QJ2", "", "98765432", "KJT2"});
  TabletSharedFolder = rootDir() + "Tablettes/";
  ImportFederationSession();
  EXPECT_TRUE(FederationHandRecordsReceived);
  const QStringList lines = DealDiagrams[2].split("\r\n");
  ASSERT_EQ(lines.size(), 31);  // 30 lines, each ended
  EXPECT_EQ(lines.mid(0, 10), QStringList({"Board 2", "--------", "", "Nord", "", "P  A R X 3", "C  D V 2", "K  ",
                                           "T  9 8 7 6 5 4 3 2", ""}));
  EXPECT_EQ(lines[10], "Sud");
  EXPECT_EQ(lines[12], "P  R V X 2");
  EXPECT_EQ(lines[26], "P  ");
  EXPECT_EQ(readBytes(DiagramFilesFolder() + "/S2.TXT"), DealDiagrams[2].toUtf8());
  EXPECT_EQ(readBytes(DiagramFilesFolder() + "/2.TXT"), readBytes(DiagramFilesFolder() + "/S2.TXT"));
  EXPECT_TRUE(DealDiagrams[1].isEmpty());

  fresh();
  mitchell(3, 3, 1, 0);
  ffb->addMitchellPlayers(3, true);
  ImportFederationSession();
  EXPECT_FALSE(FederationHandRecordsReceived);
  EXPECT_TRUE(DealDiagrams[2].isEmpty());
}

TEST_F(FederationImportTest, ElevenPairsOfHerediaReadTheSpecialFileKeepingTheOriginal) {
  // Pairs up to 11 on 11 "tables", three of them empty in round 1.
  auto heredia = [](FederationSession& s, bool named) {
    s.addSection(11);
    for (int t = 1; t <= 6; ++t) s.addRound(t, 1, 2 * t - 1, t == 6 ? 0 : 2 * t, 1, 2);
    for (int t = 7; t <= 9; ++t) s.addRound(t, 1, 0, 0, 0, 0);
    for (int p = 1; p <= 11; ++p) {
      s.addPlayer(p, "N", QString::number(100 + p), named ? QString("Un%1").arg(p) : "");
      s.addPlayer(p, "S", QString::number(200 + p), named ? QString("Deux%1").arg(p) : "");
    }
  };
  heredia(*ffb, false);
  {
    FederationSession special(MovementFolder + "H11.BWS");
    heredia(special, true);
  }
  const QByteArray original = readBytes(file);
  EXPECT_EQ(stopped(ImportFederationSession), "Pas trouvé le fichier \"HEREDIA11.TXT\" [" + MovementFolder + "HEREDIA11.TXT] ! Désolé, on arrête!");
  EXPECT_EQ(readBytes(file + ".ORIG"), original);
  EXPECT_EQ(readBytes(file), readBytes(MovementFolder + "H11.BWS"));

  writeBytes(MovementFolder + "HEREDIA11.TXT", "1 12 1 Howell\r\n1 1 2 1 1\r\n1 3 4 1 2\r\n1 5 6 1 3\r\n1 7 8 1 4\r\n"
                                               "1 9 10 1 5\r\n1 11 12 1 6\r\n");
  ImportFederationSession();
  EXPECT_EQ(readBytes(file + ".ORIG"), original);  // the first copy stays
  EXPECT_TRUE(HerediaMovement && IsHowell && PairsEntered && ByePresent);
  EXPECT_EQ(PairCount, 12);
  EXPECT_EQ(ByePairNumber, 12);
  EXPECT_EQ(PairLabels[11], "Un11-Deux11");
  EXPECT_EQ(PairLabels[12], "BYE");
  EXPECT_EQ(ResultsPerBoard, 6);
  EXPECT_EQ(ResultSlotCount, 12);
}

TEST_F(FederationImportTest, APattonIsKnownByTheFileNameAndLosesItsHalfTable) {
  // A folder called PATTON does not make a Patton.
  writeBytes(programDir() + "FFBFOLDER.TXT", (rootDir() + "PATTON").toUtf8());
  {
    FederationSession pairs(rootDir() + "PATTON/1234TPP20261207.BWS");
    pairs.addSection(3);
    pairs.addMitchell(3, 3, 1, [](int t, int r) { return wrap(t - r + 1, 3); }, [](int t, int r) { return wrap(t + r - 1, 3); });
    pairs.addMitchellPlayers(3, true);
  }
  ImportFederationSession();
  EXPECT_FALSE(IsPatton || ImpScoring);

  writeBytes(programDir() + "FFBFOLDER.TXT", (rootDir() + "FFB").toUtf8());
  ffb.reset();
  QFile::remove(file);
  ffb = std::make_unique<FederationSession>(rootDir() + "FFB/1234PATTON20261207.BWS");
  ffb->addSection(4);
  for (int t = 1; t <= 4; ++t) ffb->addRound(t, 1, t == 4 ? 0 : t, t, t, t);
  ffb->addMitchellPlayers(3, true);
  writeBytes(MovementFolder + "Patton3.TXT", "3 6 1 M\r\n1 1 1 1 1\r\n1 2 2 2 2\r\n1 3 3 3 3\r\n");
  ImportFederationSession();
  EXPECT_TRUE(IsPatton && ImpScoring);
  EXPECT_EQ(TableCount, 3);
  EXPECT_EQ(PairCount, 6);
  EXPECT_EQ(MovementFileName, "Patton3.TXT");
  EXPECT_EQ(ResultSlotCount, 9);
}
