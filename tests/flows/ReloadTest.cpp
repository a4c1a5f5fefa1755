#include "core/Flows.h"
#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "core/State.h"
#include "core/TournamentFiles.h"
#include "flows/Reload.h"
#include "flows/StartScreen.h"
#include "platform/Clock.h"
#include "platform/TextFiles.h"
#include "scoring/ResultFiles.h"
#include "setup/PairsEntry.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

#include <QDir>
#include <QFile>

using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

const char* const kSavedFiles[] = {".DAT", ".PAI", ".VAR", ".SPECS", ".MUL", ".DIA", ".AS"};

class ReloadTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    SetDateGlobals();
    flowWindows().showStartScreen = [this] { calls << "start screen"; };
    flowWindows().hideStartScreen = [this] { calls << "hide"; };
  }
  void TearDown() override {
    flowWindows() = FlowWindows{};
    TalvaronTest::TearDown();
  }
  QString file(const QString& code, const char* ext) const { return dataDir() + code + ext; }

  // A Mitchell of 3 tables and 4 boards played with BridgeMates and tablets,
  // half of its results in, with leads, diagrams and an Arrow Switch.
  void saveTournament(const QString& code) {
    TournamentCode = code;
    TournamentTitle = "Lundi";
    TableDevicesMode = BridgeMatesMode = TabletsInUse = true;
    const int numbers[] = {1, 2, 3, -1, -2, -3};
    const char* names[][2] = {{"DUPONT Jean", "MARTIN Anne"}, {"BYETTE Paul", "ROUX Léa"}, {"N3", "S3"},
                              {"LEROY Guy", "LÉVY Eve"},     {"BYE", ""},                 {"E3", "W3"}};
    for (int p = 1; p <= 6; ++p) {
      PairNumbers[p] = numbers[p - 1];
      Player1Names[p] = names[p - 1][0];
      Player2Names[p] = names[p - 1][1];
      Player1Licences[p] = QString::number(100 + p);
      Player2Licences[p] = "0";
      PairLabels[p] = Player2Names[p].isEmpty() ? "BYE" : Player1Names[p] + " - " + Player2Names[p];
    }
    PairCount = 6;
    ResultsPerBoard = TableCount = 3;
    BoardCount = DealCount = 4;
    BoardsPerTable = 1;
    RoundCount = RoundsScheduled = RoundsPlayed = 3;
    DateText = "07/12/2026";
    TournamentName = "Tournoi du Lundi 07/12/2026";
    ResultSlotCount = 12;
    for (int s = 1; s <= 12; ++s) {
      TestSlots().nsPair[s] = (s - 1) % 3 + 1;
      TestSlots().ewPair[s] = (s - 1) % 3 + 4;
      TestSlots().board[s] = (s - 1) / 3 + 1;
      TestSlots().table[s] = TestSlots().nsPair[s];
      TestSlots().round[s] = 1;
      TestSlots().score[s] = s % 2 ? 420 - 10 * s : kScoreNone;
      TestSlots().contract[s] = s % 2 ? "4PN=" : "";
      TestSlots().lead[s] = s % 2 ? "RC" : "?";
      TestSlots().declarer[s] = s % 2 ? "N" : "?";
    }
    for (int d = 1; d <= 4; ++d) DealDiagrams[d] = QStringLiteral("Donne %1\r\nP  A R 3\r\n\r\nC  D V\r\n").arg(d);
    ArrowSwitch = true;
    ArrowSwitchText = "Les E/W jouent en N/S les donnes 3 et 4";
    SaveTournamentAll();
  }

  // What the program holds at start, with the same device settings.
  void restart() {
    testing_support::resetGlobals();
    SetDateGlobals();
    talk.messages.clear();  // what the save said (no ranking computed yet)
    TableDevicesMode = BridgeMatesMode = true;
  }

  ui::ScriptedInteraction talk;
  QStringList calls;
};

TEST_F(ReloadTest, ASavedTournamentReloadsWholeAndSavesAgainByteForByte) {
  saveTournament("R1");
  writeBytes(file("R1", ".ADJ"), "2 1 60 40\r\n99 4 55 45\r\n0 1 1 1\r\n");
  QMap<QString, QByteArray> before;
  for (const char* ext : kSavedFiles) before[ext] = readBytes(file("R1", ext));

  restart();
  ASSERT_TRUE(ReloadTournament("R1"));
  EXPECT_TRUE(TournamentDatedToday);
  EXPECT_TRUE(TabletsInUse);  // "3" on line 3
  EXPECT_EQ(PairCount, 6);
  EXPECT_EQ(PairLabels[2], "BYETTE Paul - ROUX Léa");
  EXPECT_EQ(PairLabels[5], "BYE");
  EXPECT_EQ(ResultSlotCount, 12);
  EXPECT_EQ(ResultScore[3], 390);
  EXPECT_EQ(ResultLead[3], "RC");
  EXPECT_EQ(ResultNsPercent[2], 60);  // the adjustment; the lines naming no slot are passed over
  EXPECT_EQ(DealDiagrams[4], "Donne 4\r\nP  A R 3\r\n\r\nC  D V\r\n");
  EXPECT_EQ(ArrowSwitchText, "Les E/W jouent en N/S les donnes 3 et 4");
  EXPECT_FALSE(ImpScoring);

  SaveTournamentAll();
  for (const char* ext : kSavedFiles) EXPECT_EQ(readBytes(file("R1", ext)), before[ext]) << ext;
  EXPECT_TRUE(calls.isEmpty());

  // A Patton keeps its IMPs, whichever way it is reloaded.
  writeBytes(file("R1", ".PAT"), "x\r\n");
  restart();
  ASSERT_TRUE(ReloadTournament("R1"));
  EXPECT_TRUE(IsPatton && ImpScoring);
}

TEST_F(ReloadTest, TheChooserListsTheTournamentsNewestFirstAndGivesTheirDatFileBack) {
  saveTournament("A2026");
  saveTournament("b2027");
  writeBytes(file("OLD", ".PAI"), "1 0 0 x£A£B\r\n");  // no ".DAT": it gets the date of its pairs file
  {
    QFile pairs(file("OLD", ".PAI"));
    ASSERT_TRUE(pairs.open(QIODevice::ReadWrite));
    ASSERT_TRUE(pairs.setFileTime(QDateTime(QDate(2026, 11, 3), QTime(21, 15)), QFileDevice::FileModificationTime));
  }
  const QString pairsDate = "03/11/2026";
  QFile::remove(file("A2026", ".DAT"));
  writeBytes(file("A2026", ".dat"), " 05 / 12 / 2026\r\nVendredi");
  restart();
  talk.answer(2);
  ASSERT_TRUE(ReloadTournament(""));
  ASSERT_EQ(talk.lists.size(), 1);
  QStringList shown;
  for (const QString& line : talk.lists[0].lines) shown << line.section("   (", 0, 0);
  EXPECT_EQ(shown, QStringList({"OLD du Jour: ? " + pairsDate, "b2027 du Lundi 07/12/2026", "A2026 du Vendredi  05 / 12 / 2026"}));
  EXPECT_EQ(talk.lists[0].headings, QStringList{"Choix du tournoi à recharger:"});
  EXPECT_EQ(talk.lists[0].hint, "Esc = Retour au menu");
  EXPECT_EQ(readBytes(file("OLD", ".DAT")), (pairsDate + "\r\nJour: ?\r\n1 2 2").toLatin1() + QByteArray(
      " TypeTournoi (1=BridgeMates,2=Tablettes, 3=BM+Tab) / PairesIntroduites (1=oui,2=non) / Diagrammes (1=oui,2=non)"));
  EXPECT_EQ(TournamentCode, "b2027");

  restart();
  talk.answer(3);
  ASSERT_TRUE(ReloadTournament(""));
  EXPECT_EQ(TournamentCode, "A2026");
  EXPECT_FALSE(TournamentDatedToday);
  EXPECT_EQ(DateDay + DateMonth + DateYear + TournamentTitle, "05122026Vendredi");  // parts trimmed

  restart();
  talk.answer(0);  // Esc: back to the start screen
  EXPECT_FALSE(ReloadTournament(""));
  EXPECT_EQ(calls, QStringList{"start screen"});
}

// Two tournaments of one day with the default titles read alike: each line
// adds the results it holds and the time of its last change, and the files
// stay as they were.
TEST_F(ReloadTest, TheChooserTellsTwoTournamentsOfOneDayApart) {
  saveTournament("TABL1");
  saveTournament("20261207");
  writeBytes(file("20261207", ".VAR"), "1 4 420 1 1 1 0 4PN=\r\n0\r\n2 5 10000 1 2 1 0 ?\r\nbad line\r\n");
  const auto setTime = [this](const QString& code, const QDateTime& time) {
    for (const char* ext : kSavedFiles) {
      QFile f(file(code, ext));
      if (f.open(QIODevice::ReadWrite)) f.setFileTime(time, QFileDevice::FileModificationTime);
    }
  };
  setTime("TABL1", QDateTime(QDate(2026, 12, 7), QTime(22, 41, 5)));
  setTime("20261207", QDateTime(QDate(2026, 12, 7), QTime(19, 5)));
  QFile f(file("20261207", ".DIA"));
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  f.setFileTime(QDateTime(QDate(2026, 12, 7), QTime(20, 30)), QFileDevice::FileModificationTime);
  f.close();
  QMap<QString, QByteArray> before;
  for (const QString& code : QStringList{"TABL1", "20261207"})
    for (const char* ext : kSavedFiles) before[code + ext] = readBytes(file(code, ext));

  restart();
  talk.answer(0);
  EXPECT_FALSE(ReloadTournament(""));
  ASSERT_EQ(talk.lists.size(), 1);
  EXPECT_EQ(talk.lists[0].lines,
            QStringList({"TABL1 du Lundi 07/12/2026   (6 résultats, modifié le 07/12/2026 à 22:41)",
                         "20261207 du Lundi 07/12/2026   (1 résultat, modifié le 07/12/2026 à 20:30)"}));
  for (const QString& code : QStringList{"TABL1", "20261207"})
    for (const char* ext : kSavedFiles) EXPECT_EQ(readBytes(file(code, ext)), before[code + ext]) << ext;
}

TEST_F(ReloadTest, ACodeWithOtherCharactersIsRenamedWithAllItsFilesUnlessTheNewCodeIsTaken) {
  saveTournament("tournoi-1");
  writeBytes(file("tournoi-1", ".BWS"), "db");
  writeBytes(file("tournoi-1", ".LOG"), "log");
  writeBytes(file("tournoiX1", ".pbn"), "deals");  // another tournament's file
  restart();
  EXPECT_FALSE(ReloadTournament(""));
  EXPECT_EQ(talk.messages[0],
            "Je trouve au moins un caractère non-alphanumérique ( aA...zZ 1...0) dans le nom du fichier tournoi-1.PAI. "
            "Je vais d'abord changer les noms des fichiers \"tournoi-1\" d'extensions .PAI, .VAR, .MUL, .ADJ, .PEN, "
            ".PAT, .AS, .CUM, .SEA, .DIA, .SPECS, .DAT etc... en \"tournoiX1\".");
  EXPECT_TRUE(talk.messages[1].startsWith("Impossible de changer les noms des fichiers \"tournoi-1\" en \"tournoiX1\""));
  EXPECT_EQ(readBytes(file("tournoiX1", ".pbn")), "deals");
  EXPECT_TRUE(QFile::exists(file("tournoi-1", ".VAR")));
  EXPECT_EQ(calls, QStringList{"start screen"});

  QFile::remove(file("tournoiX1", ".pbn"));
  talk.answer(1);
  ASSERT_TRUE(ReloadTournament(""));
  EXPECT_EQ(TournamentCode, "tournoiX1");
  EXPECT_EQ(QDir(dataDir()).entryList(QDir::Files, QDir::Name),
            QStringList({"tournoiX1.AS", "tournoiX1.BWS", "tournoiX1.DAT", "tournoiX1.DIA", "tournoiX1.LOG",
                         "tournoiX1.MUL", "tournoiX1.PAI", "tournoiX1.SPECS", "tournoiX1.VAR"}));
}

// Only a-z, A-Z and 0-9 stay: letters that become ASCII once upper-cased
// ("ſ" gives "S", "ı" gives "I") are replaced like any other character.
TEST_F(ReloadTest, TheRepairKeepsOnlyTheCharactersACodeMayHold) {
  EXPECT_EQ(RepairedTournamentCode(QStringLiteral("ſuper.PAI")), QStringLiteral("Xuper"));
  EXPECT_EQ(RepairedTournamentCode(QStringLiteral("bıs2.pai")), QStringLiteral("bXs2"));
  EXPECT_EQ(RepairedTournamentCode(QStringLiteral("Été 7.PAI")), QStringLiteral("XtXX7"));
  EXPECT_EQ(RepairedTournamentCode(QStringLiteral("Zz09.PAI")), QStringLiteral("Zz09"));
}

TEST_F(ReloadTest, RefusalsSayWhyAndBringTheStartScreenBack) {
  restart();
  EXPECT_FALSE(ReloadTournament(""));
  EXPECT_EQ(talk.messages.last(),
            "Pas trouvé de fichiers *.PAI dans le répertoire " + dataDir() + ". Aucun tournoi à recharger!");

  saveTournament("CUMUL");
  writeBytes(file("CUMUL", ".CUM"), "");
  restart();
  EXPECT_FALSE(ReloadTournament("CUMUL"));
  // The cumulation starts again and, without any session file, stops.
  ASSERT_EQ(talk.messages.size(), 2);
  EXPECT_EQ(talk.messages[0], "Vous recharchez le cumul d'un tournoi en plusieurs séances. Désolé! Il faut "
                              "simplement refaire le même cumul...");
  EXPECT_EQ(talk.messages[1],
            "Pas trouvé de fichiers *.SEA dans le répertoire " + dataDir() + ". Aucun tournoi à choisir!");

  QByteArray many;
  for (int p = 1; p <= 43; ++p) many += QByteArray::number(p) + " 0 0 x£A£B\r\n";
  saveTournament("BIG");
  writeBytes(file("BIG", ".PAI"), many);
  restart();
  EXPECT_FALSE(ReloadTournament("BIG"));
  EXPECT_EQ(talk.messages.last(), "Trop de paires!");

  for (int i = 0; i < 1000; ++i) writeBytes(dataDir() + QStringLiteral("T%1.PAI").arg(i), "");
  EXPECT_FALSE(ReloadTournament(""));
  EXPECT_TRUE(talk.messages.last().startsWith("Le nombre de tournois est plus grand que 1000!"));
  EXPECT_EQ(calls, QStringList({"start screen", "hide", "start screen", "start screen", "start screen"}));
  EXPECT_TRUE(talk.lists.isEmpty());
}

TEST_F(ReloadTest, ATournamentNeverStartedGoesBackToThePairsEntryWithItsDate) {
  saveTournament("NEW");
  QFile::remove(file("NEW", ".VAR"));
  QStringList shown;
  flowWindows().showPairsEntry = [&] { shown << TournamentCode + " " + QString::number(PairCount); };
  restart();
  talk.answerText("31/02/2027");
  EXPECT_FALSE(ReloadTournament("NEW"));
  EXPECT_EQ(talk.textQuestions[0].form, "TForm81");
  EXPECT_EQ(talk.textQuestions[0].text, "07/12/2026");
  EXPECT_EQ(talk.beepsBefore("Erreur dans la date"), 1);
  EXPECT_EQ(talk.messages.last(), "Erreur dans la date \"31/02/2027\". On garde 07/12/2026.");
  EXPECT_FALSE(QFile::exists(file("NEW", ".MUL")));
  EXPECT_EQ(shown, QStringList{"NEW 6"});
  EXPECT_EQ(calls, QStringList{"hide"});

  restart();
  talk.answerText("5/3/2027");
  EXPECT_FALSE(ReloadTournament("NEW"));
  EXPECT_EQ(talk.beeps, 5);  // two before each question, one before the date error
  EXPECT_EQ(readBytes(file("NEW", ".DAT")).left(20), "05/03/2027\r\nVendredi");
  EXPECT_EQ(DateShortText, "050327");
  flowWindows().showPairsEntry = nullptr;
}

}  // namespace
