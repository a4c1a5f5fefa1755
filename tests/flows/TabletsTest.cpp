#include "core/Flows.h"
#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "core/State.h"
#include "devices/Companions.h"
#include "devices/DevicePolling.h"
#include "devices/TablePlayers.h"
#include "devices/TablesServer.h"
#include "devices/TabletFiles.h"
#include "devices/TabletImport.h"
#include "devices/TabletLines.h"
#include "flows/GeneralOptions.h"
#include "flows/TournamentMenu.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/Speech.h"
#include "platform/TextFiles.h"
#include "scoring/Adjustments.h"
#include "scoring/Contract.h"
#include "scoring/Frequencies.h"
#include "scoring/Ranking.h"
#include "scoring/ResultFiles.h"
#include "scoring/ScoreSheet.h"
#include "scoring/TableSheet.h"
#include "setup/Movements.h"
#include "support/devices/TabletTables.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

using testing_support::readBytes;
using testing_support::writeBytes;

void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

// The slot of board b in round 1.
int firstRoundSlot(int board) {
  for (int s = 1; s <= ResultSlotCount; ++s)
    if (ResultBoard[s] == board && ResultRound[s] == 1) return s;
  return 0;
}

// The board's sheet laid out on slot's board, its line current.
void PutSheetOn(ScoreSheet& sheet, int slot) {
  sheet.layOut(ResultBoard[slot]);
  for (int line = 1; line <= sheet.lineCount(); ++line)
    if (sheet.slotOfLine(line) == slot) sheet.setCurrentLine(line);
}

}  // namespace

class TabletsTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    flowWindows().notices.insert("TForm114", {[this](const QString& text) { referee << text; }, [] {}});
    platform::setSpeaker([this](const QString& sentence) { spoken << sentence; });
    testing_support::LayOutTabletEvening("ABC", 7, 3);
    menuView().timerEnabled = true;
  }
  void TearDown() override {
    flowWindows().notices.remove("TForm114");
    platform::setSpeaker(nullptr);
    menuView() = TournamentMenuView{};
    TalvaronTest::TearDown();
  }
  QString table(int t) const { return TableFolder(t) + "/"; }

  ui::ScriptedInteraction talk;
  platform::FakeProcesses processes;
  testing_support::TabletTables tables;
  QStringList referee;
  QStringList spoken;
};

TEST_F(TabletsTest, SessionFilesOfASevenTableMitchell) {
  writeBytes(programDir() + "PCKT.TXT", "");
  writeBytes(programDir() + "ADJUSTLIST.TXT", "old\r\n");
  PlayersFileName = "JOUEURS.TXT";
  PlayerCount = 3;
  PlayerFileLines[1] = "DUPONT Jean 123";
  PlayerFileLines[2] = "BYE";
  PlayerFileLines[3] = "Martin bye 5";
  WriteTabletSessionFiles();
  const QString q = documentsDir() + "/Quillmarke/";
  EXPECT_EQ(readBytes(q + "Serie1/PREFS.TXT"), "7 21 7 3 M 0 N 0 0 N N 2 4 N N 0 Y FarnelTosk\r\n");
  EXPECT_EQ(PercentagesFromRound, 4);
  EXPECT_EQ(readBytes(q + "nSeries.TXT"), "1\r\n");
  EXPECT_EQ(readBytes(q + "Serie1/nTours.TXT"), "7\r\n");
  EXPECT_EQ(readBytes(q + "JOUEURS.TXT"), "DUPONT Jean 123\r\nMartin bye 5");
  EXPECT_EQ(readBytes(q + "SEANCE.TXT"), "Il n'y a pas encore d'affichage des resultats disponible.\r\n");
  EXPECT_FALSE(QFile::exists(programDir() + "ADJUSTLIST.TXT"));
  const QStringList mvt = platform::readTextLines(q + "Serie1/Table2/MVT.TXT");
  ASSERT_EQ(mvt.size(), 7);
  EXPECT_TRUE(mvt.contains("1 2 2 9 2"));
  EXPECT_EQ(readBytes(q + "Serie1/BYE.TXT"), "");

  // E/W pair 14 sits out, and table 2 has nobody E/W in round 1.
  PairLabels[14] = Player1Names[14] = "BYE";
  for (int s = 1; s <= ResultSlotCount; ++s)
    if (TestSlots().table[s] == 2 && TestSlots().round[s] == 1) TestSlots().ewPair[s] = 0;
  WriteTabletSessionFiles();
  EXPECT_TRUE(platform::readTextLines(q + "Serie1/Table2/MVT.TXT").contains("1 0  0  0  0"));
  int byeSlot = 0;
  for (int s = ResultSlotCount; s >= 1; --s)
    if (ResultEwPair[s] == 14 && ResultRound[s] == 1) byeSlot = s;
  ASSERT_GT(byeSlot, 0);
  const int t = ResultTable[byeSlot];
  EXPECT_TRUE(platform::readTextLines(q + QString("Serie1/Table%1/MVT.TXT").arg(t))
                  .contains(QString("1 %1 %2 0 %3").arg(t).arg(ResultNsPair[byeSlot]).arg(t)));
  const QStringList byes = platform::readTextLines(q + "Serie1/BYE.TXT");
  EXPECT_EQ(byes.size(), 21 + 3);
  EXPECT_TRUE(byes.contains(QString("1 %1 %2 %3 14").arg(t).arg(ResultBoard[byeSlot]).arg(ResultNsPair[byeSlot])));

  // A Patton of an even number of tables has no folder for its last table.
  IsPatton = true;
  TableCount = 2;
  WriteTabletSessionFiles();
  EXPECT_TRUE(platform::folderExists(q + "Serie1/Table1"));
  EXPECT_FALSE(platform::folderExists(q + "Serie1/Table2"));
}

TEST_F(TabletsTest, ResultAndDeleteLinesAndTheirLogs) {
  WriteTabletResultLine(2, 7, 3, 2, 14, "3SN=", "N");
  EXPECT_EQ(readBytes(table(2) + "RESS7.TXT"), "2 1 999 7 3 2 14 N 3SN= Entame=?\r\n");
  EXPECT_EQ(readBytes(table(2) + "RESX7.TXT"), "2 1 999 7 3 2 14 N 3SN= Entame=?\r\n");
  EXPECT_EQ(readBytes(dataDir() + "ABC.LOG"), "07/12/2026 20:00:00 2 1 999 7 3 2 14 N 3SN= Entame=?\r\n");
  WriteTabletDeleteLine(2, 7, 3, 2, 14);
  EXPECT_EQ(readBytes(table(2) + "RESS7.TXT"), "2 1 999 7 3 2 14 declarant DELETE Entame=?\r\n");
  EXPECT_FALSE(QFile::exists(table(2) + "RESX7.TXT"));
  EXPECT_EQ(readBytes(documentsDir() + "/Quillmarke/LOG.TXT"),
            "07/12/2026 20:00:00 TALVARON.EXE 2 1 999 7 3 2 14 declarant DELETE Entame=?\r\n");

  TableDevicesMode = false;
  WriteTabletResultLine(3, 7, 3, 2, 14, "3SN=", "N");
  EXPECT_FALSE(QFile::exists(table(3) + "RESS7.TXT"));
}

TEST_F(TabletsTest, BridgeMatesEchoesKeepTheRoundsBoardsAndNeverStopTheProgram) {
  const int slot = firstRoundSlot(1);
  const int t = ResultTable[slot];
  TestSlots().contract[slot] = "4PN=";
  TestSlots().lead[slot] = "RC";
  TestSlots().declarer[slot] = "N";
  WriteTableResultFile(slot, false);
  EXPECT_EQ(readBytes(table(t) + "RESS1.TXT"),
            QString("%1 1 1 1 1 %2 %3 N 4PN= RC\r\n").arg(t).arg(ResultNsPair[slot]).arg(ResultEwPair[slot]).toUtf8());
  EXPECT_EQ(readBytes(table(t) + "DONNESTOUR1.TXT"), "1\r\n");
  TestSlots().contract[slot].clear();
  TestSlots().lead[slot] = "?";
  WriteTableResultFile(slot, true);  // RESX1 is pending: the echo goes to 2
  EXPECT_TRUE(readBytes(table(t) + "RESS2.TXT").endsWith(" N DELETE ?\r\n"));
  EXPECT_FALSE(QFile::exists(table(t) + "DONNESTOUR1.TXT"));

  for (int k = 1; k <= 100; ++k) writeBytes(table(t) + QString("RESX%1.TXT").arg(k), "x\r\n");
  WriteTableResultFile(slot, false);
  EXPECT_EQ(talk.messages, QStringList({"Bug! 100 fichiers RESX trouvés..."}));
}

TEST_F(TabletsTest, AResultIsStoredOnceDeletedAndEchoed) {
  const int slot = firstRoundSlot(7);
  const int t = ResultTable[slot];
  const QString file = tables.enterResult(t, 7, 1, ResultNsPair[slot], ResultEwPair[slot], "n 3SN= RC");
  ImportTabletResults();
  EXPECT_FALSE(QFile::exists(file));
  EXPECT_EQ(ResultContract[slot], "3SN=");
  EXPECT_EQ(ResultLead[slot], "RC");
  EXPECT_EQ(ResultDeclarer[slot], "N");
  CurrentBoard = 7;
  EXPECT_EQ(ResultScore[slot], ContractParser("3SN=", false));
  EXPECT_EQ(ResultsEntered, 1);
  EXPECT_EQ(menuView().resultsCounter, "1/147");
  EXPECT_TRUE(readBytes(table(t) + "RESX7.TXT").endsWith(" N 3SN= Entame=?\r\n"));

  tables.enterResult(t, 7, 1, ResultNsPair[slot], ResultEwPair[slot], "N 3SN= RC");
  ImportTabletResults();
  EXPECT_EQ(ResultsEntered, 1);
  tables.enterResult(t, 7, 1, ResultNsPair[slot], ResultEwPair[slot], "N DELETE");
  tables.enterResult(t, 7, 1, ResultNsPair[slot], ResultEwPair[slot], "N DELETE");
  ImportTabletResults();
  EXPECT_EQ(ResultsEntered, 0);
  EXPECT_EQ(ResultScore[slot], kScoreNone);
  EXPECT_EQ(platform::readTextLines(dataDir() + "ABC.LOG").size(), 4);
  EXPECT_TRUE(talk.messages.isEmpty());

  // Corrected at the table five times ("REST5.TXT" .. "REST10.TXT"): the
  // last file written holds the result.
  for (const char* text : {"N 1SN=", "N 2SN=", "N 3SN=", "N 4SN=", "N 5SN=", "N 6SN="})
    tables.enterResult(t, 7, 1, ResultNsPair[slot], ResultEwPair[slot], text);
  ImportTabletResults();
  EXPECT_EQ(ResultContract[slot], "6SN=");
  EXPECT_EQ(ResultsEntered, 1);
}

TEST_F(TabletsTest, SplitsWordsAndRefusedContracts) {
  const int slot = firstRoundSlot(7);
  const int t = ResultTable[slot];
  const int ns = ResultNsPair[slot], ew = ResultEwPair[slot];
  const QString splitLine = QString("Donne: 7, N/S: %1, E/W: %2. Ajustement déjà introduit.").arg(ns).arg(ew - 7);
  const auto expectTheSplit = [&] {
    EXPECT_EQ(ResultContract[slot], "AJU.");
    EXPECT_EQ(ResultScore[slot], kScoreAdjusted);
    EXPECT_EQ(ResultNsPercent[slot], 60);
    EXPECT_EQ(ResultEwPercent[slot], 40);
    EXPECT_EQ(readBytes(dataDir() + "ABC.ADJ"), QString("%1 7 60 40\r\n").arg(slot).toUtf8());
  };
  tables.enterResult(t, 7, 1, ns, ew, "60 - 40");
  tables.enterResult(t, 7, 1, ns, ew, "60 - 40");
  ImportTabletResults();
  tables.enterResult(t, 7, 1, ns, ew, "60 - 40");
  ImportTabletResults();
  expectTheSplit();
  EXPECT_EQ(platform::readTextLines(programDir() + "ADJUSTLIST.TXT"), QStringList({splitLine}));

  // A bare arbitral score keeps the split received before it, line included.
  tables.enterResult(t, 7, 1, ns, ew, "AJU");
  ImportTabletResults();
  expectTheSplit();
  EXPECT_EQ(platform::readTextLines(programDir() + "ADJUSTLIST.TXT").last(),
            QString("Donne: 7, N/S: %1, E/W: %2. Score arbitral à introduire manuellement.").arg(ns).arg(ew - 7));

  // An average is stored as the tablets send it; its line goes.
  tables.enterResult(t, 7, 1, ns, ew, "MOY");
  ImportTabletResults();
  EXPECT_EQ(ResultContract[slot], "MOY");
  EXPECT_EQ(ResultScore[slot], kScoreAverage);
  EXPECT_FALSE(QFile::exists(dataDir() + "ABC.ADJ"));
  tables.enterResult(t, 7, 1, ns, ew, "PASSE");
  ImportTabletResults();
  tables.enterResult(t, 7, 1, ns, ew, "not played");
  ImportTabletResults();
  EXPECT_EQ(ResultContract[slot], "MOY");
  EXPECT_EQ(ResultScore[slot], kScoreAverage);

  tables.enterResult(t, 7, 1, ns, ew, "N 9ZN=");
  ImportTabletResults();
  EXPECT_EQ(ResultContract[slot], "MOY");
  EXPECT_EQ(ResultScore[slot], kScoreAverage);
  ASSERT_EQ(referee.size(), 1);
  EXPECT_TRUE(referee[0].startsWith("20:00:00 - Table " + QString::number(t) + "; contrat refusé (9ZN=)"));
  EXPECT_EQ(spoken, QStringList({"J'appelle l'arbitre"}));
  EXPECT_EQ(talk.beeps, 3);
  EXPECT_EQ(ResultsEntered, 1);
}

TEST_F(TabletsTest, AnUnreadableFileIsSkippedThenSetAsideAtTheTenthFailure) {
  const QString bad = table(1) + "REST0.TXT";
  writeBytes(bad, "1 1 x\r\n");
  const int slot = firstRoundSlot(1);
  tables.enterResult(ResultTable[slot], 1, 1, ResultNsPair[slot], ResultEwPair[slot], "S PASSE");
  ImportTabletResults();
  EXPECT_EQ(ResultContract[slot], "PASSE");  // the pass went on after the bad file
  for (int pass = 2; pass <= 9; ++pass) ImportTabletResults();
  EXPECT_TRUE(QFile::exists(bad));
  EXPECT_TRUE(referee.isEmpty());
  ImportTabletResults();
  EXPECT_FALSE(QFile::exists(bad));
  EXPECT_TRUE(QFile::exists(bad + ".BAD"));
  EXPECT_EQ(referee, QStringList({"20:00:00 - Table 1; impossible de lire le résultat du fichier " + bad +
                                  ".BAD. Le fichier est ignoré."}));
  ImportTabletResults();
  EXPECT_EQ(referee.size(), 1);
}

TEST_F(TabletsTest, PlayersTypedAtTheTables) {
  for (int s = 1; s <= PairCount; ++s) Player1Names[s].clear();
  tables.enterPlayers(1, {"12345&Nom Un", "", "*** Pas rempli ***", "67890&Nom Deux"});
  ReadPlayersFile();
  EXPECT_EQ(Player1Names[1], "Nom Un");
  EXPECT_EQ(Player1Licences[1], "12345");
  EXPECT_EQ(Player2Names[1], "S1 *** Pas rempli ***");
  EXPECT_EQ(Player2Licences[1], "99999");
  EXPECT_EQ(Player1Names[8], "*** Pas rempli ***");
  EXPECT_EQ(Player2Names[8], "Nom Deux");
  EXPECT_EQ(PairLabels[8], "*** Pas rempli *** - Nom Deux");
  EXPECT_EQ(PlayersNamed, 3);  // South was empty; East's "*** Pas rempli ***" came from the server
  EXPECT_FALSE(QFile::exists(table(1) + "PLAYERS.TXT"));
  tables.enterPlayers(1, {"12345&Nom Un", "", "*** Pas rempli ***", "67890&Nom Deux"});
  ReadPlayersFile();
  EXPECT_EQ(PlayersNamed, 3);
  EXPECT_EQ(PairLabels[1], "Nom Un - S1 *** Pas rempli ***");
  // A file the server has not written yet is left for the next pass.
  writeBytes(table(1) + "PLAYERS.TXT", "");
  ReadPlayersFile();
  EXPECT_EQ(Player1Names[1], "Nom Un");
  EXPECT_TRUE(QFile::exists(table(1) + "PLAYERS.TXT"));

  tables.enterPlayers(2, {"1&BYEN Paul", "2&Le BYE", "*** Pas rempli ***", "*** Pas rempli ***"});
  ReadPlayersFile();
  EXPECT_EQ(Player1Names[2], "BYEN Paul");
  EXPECT_TRUE(Player2Names[2].isEmpty());
  EXPECT_EQ(PairLabels[9], "*** Paire E/W 2: non introduite ***");

  PlayerCount = 1;
  PlayerNames[1] = "DUPONT";
  PlayerLicences[1] = " 42 ";
  QString name;
  EXPECT_TRUE(PlayerNameFromLicence("42", name));
  EXPECT_EQ(name, "DUPONT");
  EXPECT_FALSE(PlayerNameFromLicence("43", name));
  EXPECT_EQ(name, "?");
}

TEST_F(TabletsTest, ATickDuringAnImportMessageOrADirectorsComputationReadsNothing) {
  class TickingInteraction : public ui::ScriptedInteraction {
   public:
    void showMessage(const QString& text) override {
      ui::ScriptedInteraction::showMessage(text);
      CollectionTick();
    }
  } ticking;
  menuView().timerEnabled = false;  // a direct call: its message says nothing came
  const int slot = firstRoundSlot(1);
  const QString file =
      tables.enterResult(ResultTable[slot], 1, 1, ResultNsPair[slot], ResultEwPair[slot], "N 1PN=");
  QFile::rename(file, file + ".later");
  ImportTabletResults();
  ASSERT_EQ(ticking.messages, QStringList({"Aucun résultat récupéré."}));
  QFile::rename(file + ".later", file);
  Interactive = true;
  CollectionTick();
  EXPECT_TRUE(QFile::exists(file));
  Interactive = false;
  CollectionTick();
  EXPECT_FALSE(QFile::exists(file));
}

// The mixing changed from the menu during play recomputes the results; the
// collection then goes on with the next tick.
TEST_F(TabletsTest, ATickCollectsAfterTheMixingWasChangedDuringPlay) {
  GeneralOptionsMode = false;
  talk.answer(kOptionMixing).answer(2).answerText("20").answer(kOptionEnd);
  RunGeneralOptions();
  ASSERT_TRUE(talk.allAnswered());
  EXPECT_EQ(MixingPercent, 20);
  const int slot = firstRoundSlot(1);
  const QString file = tables.enterResult(ResultTable[slot], 1, 1, ResultNsPair[slot], ResultEwPair[slot], "N 4CN+1");
  CollectionTick();
  EXPECT_FALSE(QFile::exists(file));
  EXPECT_EQ(ResultScore[slot], 450);
}

TEST_F(TabletsTest, ServersAreRestartedAndAFailedStartStopsTheProgram) {
  writeBytes(programDir() + "PCQuillmarkeServer.EXE", "MZ");
  writeBytes(programDir() + "TABLOSSE.EXE", "MZ");
  processes.running << "/opt/x/PCQuillmarkeServer.EXE" << "/opt/x/talvaron-tables";
  StartTabletServer();
  // The Windows programs are stopped by name as always; the tables' server of
  // that name is another copy's and keeps running beside this copy's own.
  EXPECT_EQ(processes.events.filter(QRegularExpression("^(start|stop|child)")),
            QStringList({"stop: PCQuillmarkeServer.EXE", "start: " + programDir() + "PCQuillmarkeServer.EXE",
                         "start: " + programDir() + "TABLOSSE.EXE",
                         "child: " + programDir() + "talvaron-tables --exchange " + documentsDir() +
                             "/Quillmarke --program " + programDir() + " --port 8080"}));
  EXPECT_TRUE(processes.running.contains("/opt/x/talvaron-tables"));
  EXPECT_TRUE(QRegularExpression("^[0-9]{6}$").match(processes.childEnvironment.value("TALVARON_TABLES_CODE")).hasMatch());
  EXPECT_EQ(processes.childEnvironment.value("TALVARON_TABLES_CODE"), TablesEveningCode());
  EXPECT_TRUE(TablesServerAddress().startsWith("http://"));
  EXPECT_TRUE(TablesServerAddress().endsWith(":8080/"));
  // The tables' server that cannot start leaves the evening going, without an address.
  processes.startResults["TALVARON-TABLES"] = platform::kStartNotFound;
  StartTablesServer();
  EXPECT_TRUE(TablesServerAddress().isEmpty());
  EXPECT_TRUE(talk.messages.isEmpty());
  EXPECT_EQ(CurrentTablesServerStatus().alarm,
            "Les tables ne sont pas servies : impossible de lancer le serveur des tables " + programDir() +
                "talvaron-tables. Nouvel essai en cours...");
  EXPECT_TRUE(QFile::exists(documentsDir() + "/Quillmarke/nPLAY_RECUP.TXT"));
  QStringList stopped;
  flowSteps().stopCompanions = [&] { stopped << "companions"; };
  processes.startResults["TABLOSSE.EXE"] = 2;
  EXPECT_THROW(StartTabletCompanion(), FatalStopError);
  EXPECT_EQ(talk.messages.last(), "Pas trouvé TABLOSSE.EXE. Impossible de continuer!");
  EXPECT_EQ(stopped, QStringList({"companions"}));
  flowSteps().stopCompanions = nullptr;

  MitchellNumbering = true;
  ResultsPerBoard = 10;
  LaunchContractEditor(5, 2, 13);
  EXPECT_EQ(processes.events.filter("start:").last(), "start: " + programDir() + "Kontravel.EXE 5 2 3");
}

TEST_F(TabletsTest, PasswordRegistryAndProgramLocation) {
  SetTabletPassword("Secret");
  EXPECT_EQ(readBytes(programDir() + "ANDROIDPASSWORD.TXT"), "Secret\r\n");
  talk.answerCancel();
  ChangeTabletPassword();
  EXPECT_EQ(TabletPassword, "Secret");
  talk.answerText("farneltosk");
  ChangeTabletPassword();
  EXPECT_EQ(TabletPassword, "FarnelTosk");
  EXPECT_FALSE(QFile::exists(programDir() + "ANDROIDPASSWORD.TXT"));

  platform::MemoryRegistry registry;
  ClubMode = BridgeMatesMode = true;
  SaveOverrideDBSettings();
  EXPECT_EQ(readBytes(programDir() + "overrideDBSettings.TXT"), "yes\r\n");
  RestoreOverrideDBSettings();
  EXPECT_EQ(registry.writes, 0);
  EXPECT_FALSE(QFile::exists(programDir() + "overrideDBSettings.TXT"));

  writeBytes(programDir() + "BMPro.TXT", "/nowhere/BMPro.EXE\r\n");
  writeBytes(rootDir() + "Apps/BM/bmpro.exe", "");
  LocateExternalProgram("BMPro.TXT", "BMPro.EXE", "Recherche du programme BMPro.EXE. Une seule fois...");
  EXPECT_EQ(talk.messages.last(), "Le fichier BMPro.TXT ne contient pas un chemin correct vers BMPro.EXE. On le recrée...");
  EXPECT_EQ(BridgeMatesControlPath, rootDir() + "Apps/BM/bmpro.exe");
  EXPECT_EQ(readBytes(programDir() + "BMPro.TXT"), (rootDir() + "Apps/BM/bmpro.exe\r\n").toUtf8());
  EXPECT_THROW(LocateExternalProgram("Tallyvane.TXT", "Tallyvane.EXE", "..."), FatalStopError);
  EXPECT_TRUE(talk.messages.last().startsWith("Désolé, je ne trouve pas Tallyvane.EXE pour les BridgeMates"));
}

TEST_F(TabletsTest, AFileStaysUntilItsResultIsSavedAndIsOnlyThenEchoed) {
  const int slot = firstRoundSlot(7);
  const int t = ResultTable[slot];
  const int ns = ResultNsPair[slot], ew = ResultEwPair[slot];
  const QString file = tables.enterResult(t, 7, 1, ns, ew, "60 - 40");
  // The results file cannot be written (a folder stands in its place).
  QDir().mkpath(dataDir() + "ABC.VAR");
  EXPECT_ANY_THROW(ImportTabletResults());
  EXPECT_TRUE(QFile::exists(file));
  EXPECT_FALSE(QFile::exists(table(t) + "RESS7.TXT"));
  EXPECT_FALSE(QFile::exists(programDir() + "ADJUSTLIST.TXT"));

  // Written again at the next pass, as after a restart: one line, one echo.
  QDir().rmdir(dataDir() + "ABC.VAR");
  ImportTabletResults();
  EXPECT_FALSE(QFile::exists(file));
  EXPECT_TRUE(readBytes(dataDir() + "ABC.VAR").contains(" AJU."));
  EXPECT_EQ(readBytes(dataDir() + "ABC.ADJ"), QString("%1 7 60 40\r\n").arg(slot).toUtf8());
  EXPECT_TRUE(readBytes(table(t) + "RESS7.TXT").endsWith(" 60 - 40 Entame=?\r\n"));
  EXPECT_EQ(platform::readTextLines(programDir() + "ADJUSTLIST.TXT").size(), 1);
  EXPECT_EQ(ResultsEntered, 1);
}

TEST_F(TabletsTest, AResultReplacesEveryAdjustmentLineOfItsSlot) {
  const int slot = firstRoundSlot(7);
  const int other = firstRoundSlot(2);
  const int t = ResultTable[slot];
  const int ns = ResultNsPair[slot], ew = ResultEwPair[slot];
  // Lines left by a pass that was stopped before its results were saved:
  // the slot itself holds no split.
  writeBytes(dataDir() + "ABC.ADJ",
             QString("%1 7 60 40\r\n%2 2 55 45\r\n%1 7 40 60\r\n").arg(slot).arg(other).toUtf8());
  tables.enterResult(t, 7, 1, ns, ew, "70 - 30");
  ImportTabletResults();
  EXPECT_EQ(readBytes(dataDir() + "ABC.ADJ"), QString("%2 2 55 45\r\n%1 7 70 30\r\n").arg(slot).arg(other).toUtf8());
  // The same file again changes nothing.
  tables.enterResult(t, 7, 1, ns, ew, "70 - 30");
  ImportTabletResults();
  EXPECT_EQ(readBytes(dataDir() + "ABC.ADJ"), QString("%2 2 55 45\r\n%1 7 70 30\r\n").arg(slot).arg(other).toUtf8());

  writeBytes(dataDir() + "ABC.ADJ", QString("%1 7 60 40\r\n%2 2 55 45\r\n").arg(slot).arg(other).toUtf8());
  TestSlots().score[slot] = kScoreNone;
  TestSlots().contract[slot].clear();
  tables.enterResult(t, 7, 1, ns, ew, "N 3SN=");
  ImportTabletResults();
  EXPECT_EQ(readBytes(dataDir() + "ABC.ADJ"), QString("%1 2 55 45\r\n").arg(other).toUtf8());
  EXPECT_EQ(ResultContract[slot], "3SN=");
}

TEST(TablesAddressCode, IsAQrCodeWithItsFinderPatternsAndMargin) {
  const int scale = 2;
  const QImage code = QrCodeImage("http://192.168.1.20:8080/", scale);
  ASSERT_FALSE(code.isNull());
  EXPECT_EQ(code.width(), code.height());
  // 25 characters need a version 2 code at level M: 25 modules, plus a
  // margin of 4 on each side.
  EXPECT_EQ(code.width(), (25 + 8) * scale);
  const auto black = [&](int x, int y) { return qGray(code.pixel(x * scale, y * scale)) < 128; };
  EXPECT_FALSE(black(3, 3));  // the margin
  // The top-left finder: a black ring of 7, a white ring, a black 3x3 centre.
  EXPECT_TRUE(black(4, 4));
  EXPECT_TRUE(black(10, 4));
  EXPECT_TRUE(black(4, 10));
  EXPECT_FALSE(black(5, 5));
  EXPECT_TRUE(black(7, 7));
  EXPECT_FALSE(black(11, 11));  // its separator
  // The top-right and bottom-left finders.
  EXPECT_TRUE(black(4 + 24, 4));
  EXPECT_TRUE(black(4, 4 + 24));
  EXPECT_FALSE(black(4 + 24 - 6 + 1, 4 + 1));
}

namespace {

// The slot's line as a board's result files hold it, written out by hand.
QString boardLine(int slot, const QString& declarerAndContract) {
  return QString("%1 1 999 %2 %3 %4 %5 %6 Entame=?\r\n")
      .arg(ResultTable[slot])
      .arg(ResultBoard[slot])
      .arg(ResultRound[slot])
      .arg(ResultNsPair[slot])
      .arg(ResultEwPair[slot])
      .arg(declarerAndContract);
}

void storeResult(int slot, const QString& contract, int score, const QString& declarer, const QString& lead = "?") {
  TestSlots().contract[slot] = contract;
  TestSlots().score[slot] = score;
  TestSlots().declarer[slot] = declarer;
  TestSlots().lead[slot] = lead;
}

}  // namespace

// A crash between a result's save and its echo: on resume each table gets
// the board lines its slots hold, and only where its files say otherwise.
TEST_F(TabletsTest, AResumeSendsTheTabletsWhatTheSlotsHoldWhereTheirFilesDiffer) {
  const int changed = firstRoundSlot(1), same = firstRoundSlot(4), erased = firstRoundSlot(7),
            typed = firstRoundSlot(10), never = firstRoundSlot(13), passed = firstRoundSlot(16),
            split = firstRoundSlot(19);
  storeResult(changed, "4PN=", 420, "N");
  storeResult(passed, "PASSE", 0, "");
  storeResult(split, "AJU.", kScoreAdjusted, "");
  TestSlots().nsPercent[split] = 60;
  TestSlots().ewPercent[split] = 40;
  storeResult(same, "3SN=", 140, "S");
  storeResult(typed, "", 420, "?");
  const auto folder = [](int slot) { return TableFolder(ResultTable[slot]) + "/"; };
  writeBytes(folder(changed) + "RESS1.TXT", boardLine(changed, "N 3PN=").toUtf8());  // the echo before
  writeBytes(folder(changed) + "RESX1.TXT", boardLine(changed, "N 3PN=").toUtf8());
  writeBytes(folder(same) + "RESS4.TXT", boardLine(same, "S 3SN=").toUtf8());
  writeBytes(folder(same) + "RESX4.TXT", boardLine(same, "S 3SN=").toUtf8());
  // Sent in the desk's words and in the tablet's: both say what is stored.
  writeBytes(folder(passed) + "RESS16.TXT", boardLine(passed, "N PASSE").toUtf8());
  writeBytes(folder(passed) + "RESX16.TXT", boardLine(passed, "N PASSE").toUtf8());
  writeBytes(folder(split) + "RESS19.TXT", boardLine(split, " 60 - 40").toUtf8());
  writeBytes(folder(split) + "RESX19.TXT", boardLine(split, " 60 - 40").toUtf8());
  writeBytes(folder(erased) + "RESS7.TXT", boardLine(erased, "E 2CE=").toUtf8());  // erased since
  writeBytes(folder(erased) + "RESX7.TXT", boardLine(erased, "E 2CE=").toUtf8());

  ResendTableEchoes();
  EXPECT_EQ(readBytes(folder(changed) + "RESS1.TXT"), boardLine(changed, "N 4PN=").toUtf8());
  EXPECT_EQ(readBytes(folder(changed) + "RESX1.TXT"), boardLine(changed, "N 4PN=").toUtf8());
  EXPECT_EQ(readBytes(folder(typed) + "RESS10.TXT"), boardLine(typed, "? 420").toUtf8());
  EXPECT_EQ(readBytes(folder(erased) + "RESS7.TXT"), boardLine(erased, "declarant DELETE").toUtf8());
  EXPECT_FALSE(QFile::exists(folder(erased) + "RESX7.TXT"));
  EXPECT_FALSE(QFile::exists(folder(never) + "RESS13.TXT"));
  EXPECT_EQ(readBytes(folder(passed) + "RESS16.TXT"), boardLine(passed, "N PASSE").toUtf8());
  EXPECT_EQ(readBytes(folder(split) + "RESX19.TXT"), boardLine(split, " 60 - 40").toUtf8());
  // Logged once each, what was sent only.
  EXPECT_EQ(readBytes(dataDir() + "ABC.LOG"),
            ("07/12/2026 20:00:00 " + boardLine(changed, "N 4PN=") + "07/12/2026 20:00:00 " + boardLine(typed, "? 420"))
                .toUtf8());
  EXPECT_EQ(readBytes(documentsDir() + "/Quillmarke/LOG.TXT"),
            ("07/12/2026 20:00:00 TALVARON.EXE " + boardLine(erased, "declarant DELETE")).toUtf8());

  // A second resume finds every table told: nothing is sent again.
  const QByteArray log = readBytes(dataDir() + "ABC.LOG");
  ResendTableEchoes();
  EXPECT_EQ(readBytes(dataDir() + "ABC.LOG"), log);
  EXPECT_EQ(readBytes(documentsDir() + "/Quillmarke/LOG.TXT").count('\n'), 1);
}

// With BridgeMates the tables take numbered files: a slot whose newest
// waiting file does not hold its result is sent again, once.
TEST_F(TabletsTest, AResumeSendsTheBridgeMatesTablesWhatTheirWaitingFilesLack) {
  TabletsMode = false;
  BridgeMatesMode = true;
  const int changed = firstRoundSlot(1), erased = firstRoundSlot(2), listed = firstRoundSlot(3);
  const int t = ResultTable[changed];  // all three at table 1 in round 1
  ASSERT_EQ(ResultTable[erased], t);
  ASSERT_EQ(ResultTable[listed], t);
  storeResult(changed, "4PN=", 420, "N", "RC");
  const auto line = [](int slot, int k, const QString& rest) {
    return QString("%1 1 %2 %3 %4 %5 %6 %7\r\n")
        .arg(ResultTable[slot])
        .arg(k)
        .arg(ResultBoard[slot])
        .arg(ResultRound[slot])
        .arg(ResultNsPair[slot])
        .arg(ResultEwPair[slot])
        .arg(rest)
        .toUtf8();
  };
  // Waiting: board 1's first result, then board 2's result, erased since.
  writeBytes(table(t) + "RESS1.TXT", line(changed, 1, "N 3PN= ?"));
  writeBytes(table(t) + "RESX1.TXT", line(changed, 1, "N 3PN= ?"));
  writeBytes(table(t) + "RESS2.TXT", line(erased, 2, "E 2CE= ?"));
  writeBytes(table(t) + "RESX2.TXT", line(erased, 2, "E 2CE= ?"));
  // Board 3's result was taken by the table; its erasure never went.
  writeBytes(table(t) + "DONNESTOUR1.TXT", "1\r\n2\r\n3\r\n");

  ResendTableEchoes();
  // The erasures go first, then the results.
  EXPECT_EQ(readBytes(table(t) + "RESS3.TXT"), line(erased, 3, "? DELETE ?"));
  EXPECT_EQ(readBytes(table(t) + "RESS4.TXT"), line(listed, 4, "? DELETE ?"));
  EXPECT_EQ(readBytes(table(t) + "RESS5.TXT"), line(changed, 5, "N 4PN= RC"));
  EXPECT_FALSE(QFile::exists(table(t) + "RESS6.TXT"));
  EXPECT_EQ(readBytes(table(t) + "DONNESTOUR1.TXT"), "1\r\n");

  ResendTableEchoes();
  EXPECT_FALSE(QFile::exists(table(t) + "RESS6.TXT"));
  // The table took every file; its list holds board 1: nothing goes again.
  for (int k = 1; k <= 5; ++k) {
    QFile::remove(table(t) + QString("RESS%1.TXT").arg(k));
    QFile::remove(table(t) + QString("RESX%1.TXT").arg(k));
  }
  ResendTableEchoes();
  EXPECT_FALSE(QFile::exists(table(t) + "RESS1.TXT"));
  // Board 3 re-entered, its echo lost before it was written: it goes, listed once.
  storeResult(listed, "3SN=", 400, "S", "?");
  ResendTableEchoes();
  EXPECT_EQ(readBytes(table(t) + "RESS1.TXT"), line(listed, 1, "S 3SN= ?"));
  EXPECT_FALSE(QFile::exists(table(t) + "RESS2.TXT"));
  EXPECT_EQ(readBytes(table(t) + "DONNESTOUR1.TXT"), "1\r\n3\r\n");
  ResendTableEchoes();
  EXPECT_FALSE(QFile::exists(table(t) + "RESS2.TXT"));
}

// Three tables, nine boards: every result 1SN= by N (90, a tie at 50 %),
// but board 9 (E/W vulnerable), where one table makes 90, one goes down
// (1SN-1, -50) and the third gets a split of 60 % - 40 %. With ventilation
// the 90 and the -50 share the board as if the split were an average:
// n = 2, N = 3, (2 x 3/2 + 1/2) / 4 = 87.5 % and (0 + 1/2) / 4 = 12.5 %.
TEST_F(TabletsTest, AFinishedBoardIsVentilatedByTheCollectionAsAtTheDesk) {
  testing_support::LayOutTabletEvening("ABC", 3, 3);
  AutoVentilation = true;
  int made = 0, down = 0, split = 0;
  for (int s = 1; s <= ResultSlotCount; ++s) {
    if (ResultBoard[s] != 9 || ResultNsPair[s] == 0) continue;
    (made == 0 ? made : down == 0 ? down : split) = s;
  }
  ASSERT_GT(split, 0);
  const auto textOf = [&](int s) {
    return s == down ? QString("N 1SN-1") : s == split ? QString("60 - 40") : QString("N 1SN=");
  };
  // Board 9 still in play (the split not sent yet): the collection gives the
  // two results as they stand, 100 % and 0 %.
  for (int s = 1; s <= ResultSlotCount; ++s)
    if (s != split && ResultNsPair[s] != 0 && ResultEwPair[s] != 0)
      tables.enterResult(ResultTable[s], ResultBoard[s], ResultRound[s], ResultNsPair[s], ResultEwPair[s], textOf(s));
  ImportTabletResults();
  EXPECT_DOUBLE_EQ(ResultNsPercent[made], 100);
  EXPECT_DOUBLE_EQ(ResultNsPercent[down], 0);

  tables.enterResult(ResultTable[split], 9, ResultRound[split], ResultNsPair[split], ResultEwPair[split], "60 - 40");
  ImportTabletResults();
  // Each pair plays nine boards: eight at 50 % and its result of board 9.
  const auto expectTheFinishedEvening = [&](const char* where) {
    EXPECT_DOUBLE_EQ(ResultNsPercent[made], 87.5) << where;
    EXPECT_DOUBLE_EQ(ResultEwPercent[made], 12.5) << where;
    EXPECT_DOUBLE_EQ(ResultNsPercent[down], 12.5) << where;
    EXPECT_DOUBLE_EQ(ResultNsPercent[split], 60) << where;
    EXPECT_DOUBLE_EQ(PairFinalScore[ResultNsPair[made]], (400 + 87.5) / 9) << where;
    EXPECT_DOUBLE_EQ(PairFinalScore[ResultEwPair[made]], (400 + 12.5) / 9) << where;
    EXPECT_DOUBLE_EQ(PairFinalScore[ResultNsPair[down]], (400 + 12.5) / 9) << where;
    EXPECT_DOUBLE_EQ(PairFinalScore[ResultEwPair[down]], (400 + 87.5) / 9) << where;
    EXPECT_DOUBLE_EQ(PairFinalScore[ResultNsPair[split]], (400 + 60.0) / 9) << where;
    EXPECT_DOUBLE_EQ(PairFinalScore[ResultEwPair[split]], (400 + 40.0) / 9) << where;
  };
  expectTheFinishedEvening("collected");
  // The board's line sent to the tables: 87.5 and 12.5 as whole numbers.
  EXPECT_TRUE(readBytes(TabletSharedFolder + "/DONNE9.TXT")
                  .contains(QString("1SN=/N 90 %1 88 %2 12").arg(ResultNsPair[made]).arg(ResultEwPair[made]).toUtf8()));
  const QByteArray rankingFile = readBytes(dataDir() + "ABC.SEA");

  // The desk computes the same; a resume computes it again the same way.
  ComputeFrequencies();
  ComputeResults();
  expectTheFinishedEvening("at the desk");
  Interactive = false;
  RefreshFrequenciesForDevices();
  ComputeResults();
  WriteSessionFile();
  expectTheFinishedEvening("resumed");
  EXPECT_EQ(readBytes(dataDir() + "ABC.SEA"), rankingFile);
}

// A table sends "Arbitral" on board 6, leaving the split to the director,
// who gives 40 % - 60 % in "Ajustement des fréquences" at once; the players
// then enter a contract at the table. The adjustment stays, its line too,
// the desk is told and the table's file is kept for the director.
TEST_F(TabletsTest, AResultSentForABoardTheDirectorSettledWaitsForHim) {
  const int slot = firstRoundSlot(6);
  const int t = ResultTable[slot];
  const int ns = ResultNsPair[slot], ew = ResultEwPair[slot];
  tables.enterResult(t, 6, 1, ns, ew, "AJU");
  ImportTabletResults();
  ASSERT_EQ(ResultContract[slot], "AJU.");
  EXPECT_FALSE(QFile::exists(table(t) + "ARBITRE6.TXT"));  // the table's own arbitral score settles nothing

  talk.answerText("2");  // the second line of the window: 40 % - 60 %
  ASSERT_TRUE(AdjustOneResult(6, ns)) << talk.messages.join(" | ").toStdString();
  EXPECT_EQ(readBytes(table(t) + "ARBITRE6.TXT"), "Score arbitral 40 % \x96 60 %\r\n");
  // The table's echo says the split in the tables' words, as a split sent
  // from the table: its page and the board's frequency show 40 % and 60 %.
  const QByteArray echo = QString("%1 1 999 6 1 %2 %3  40 - 60 Entame=?\r\n").arg(t).arg(ns).arg(ew).toUtf8();
  EXPECT_EQ(readBytes(table(t) + "RESX6.TXT"), echo);
  EXPECT_EQ(readBytes(table(t) + "RESS6.TXT"), echo);
  const QByteArray adjustments = readBytes(dataDir() + "ABC.ADJ");
  ASSERT_TRUE(adjustments.startsWith(QString("%1 6 ").arg(slot).toUtf8()));

  const QString file = tables.enterResult(t, 6, 1, ns, ew, "N 4PN= RC");
  ImportTabletResults();
  EXPECT_EQ(ResultContract[slot], "AJU.");
  EXPECT_EQ(ResultScore[slot], kScoreAdjusted);
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot], 40);
  EXPECT_DOUBLE_EQ(ResultEwPercent[slot], 60);
  EXPECT_EQ(readBytes(dataDir() + "ABC.ADJ"), adjustments);
  EXPECT_FALSE(QFile::exists(file));
  EXPECT_TRUE(readBytes(file + ".BAD").contains("4PN= RC"));
  ASSERT_EQ(referee.size(), 1);
  EXPECT_TRUE(referee[0].contains(QString("Table %1; résultat (N 4PN= RC) de la donne 6, N/S %2, E/W %3 non appliqué")
                                      .arg(t)
                                      .arg(ns)
                                      .arg(ew - 7)));
  EXPECT_TRUE(referee[0].contains("réglée par l'arbitre (Score arbitral 40 % – 60 %)"));
  EXPECT_TRUE(referee[0].endsWith(file + ".BAD. Pour rendre la donne à la table, effacez votre résultat à la feuille de "
                                           "marque."));
  // The next pass finds nothing more to say.
  ImportTabletResults();
  EXPECT_EQ(referee.size(), 1);
  EXPECT_EQ(ResultContract[slot], "AJU.");
}

// Table 3's phone is dead: the director keys an average on board 3 and types
// board 2's contract from the paper sheet. Both are his: the phone, still
// showing the boards open, sends its own results, and the desk keeps the
// director's. The sheet shows which lines are settled; deleting one hands
// the board back to its table, whose next result is taken.
TEST_F(TabletsTest, AResultGivenAtTheDeskIsTheDirectorsUntilHeHandsTheBoardBack) {
  const int average = firstRoundSlot(3);
  const int typed = firstRoundSlot(2);
  ASSERT_EQ(ResultTable[average], ResultTable[typed]);
  const int t = ResultTable[average];
  ScoreSheet sheet;
  PutSheetOn(sheet, average);
  ASSERT_TRUE(sheet.readyForResult());
  sheet.storeAverage();
  PutSheetOn(sheet, typed);
  ASSERT_TRUE(sheet.readyForResult());
  talk.answer(1);  // the score confirmed
  ASSERT_TRUE(sheet.validate("3SN=", EntryColumn::Result));
  EXPECT_EQ(readBytes(table(t) + "ARBITRE3.TXT"), "Moyenne\r\n");
  EXPECT_EQ(readBytes(table(t) + "ARBITRE2.TXT"), "3SN=\r\n");

  const QString sentAverage = tables.enterResult(t, 3, 1, ResultNsPair[average], ResultEwPair[average], "N 4PN= RC");
  tables.enterResult(t, 2, 1, ResultNsPair[typed], ResultEwPair[typed], "S 2CS+1 AP");
  ImportTabletResults();
  EXPECT_EQ(ResultContract[average], "MOY.");
  EXPECT_EQ(ResultScore[average], kScoreAverage);
  EXPECT_EQ(ResultContract[typed], "3SN=");
  EXPECT_TRUE(QFile::exists(sentAverage + ".BAD"));
  EXPECT_EQ(referee.size(), 2);

  // The average deleted at the sheet: no longer settled, and the table may
  // enter the board again.
  PutSheetOn(sheet, average);
  ASSERT_TRUE(sheet.settled(sheet.currentLine()));
  sheet.deleteCurrent();
  PutSheetOn(sheet, average);
  EXPECT_FALSE(sheet.settled(sheet.currentLine()));
  EXPECT_FALSE(QFile::exists(table(t) + "ARBITRE3.TXT"));
  EXPECT_TRUE(readBytes(table(t) + "RESS3.TXT").contains("declarant DELETE"));
  tables.enterResult(t, 3, 1, ResultNsPair[average], ResultEwPair[average], "N 4PN= RC");
  ImportTabletResults();
  EXPECT_EQ(ResultContract[average], "4PN=");
  EXPECT_EQ(ResultLead[average], "RC");
  EXPECT_EQ(referee.size(), 2);
  EXPECT_TRUE(QFile::exists(table(t) + "ARBITRE2.TXT"));  // board 2 is still his
}

TEST_F(TabletsTest, ASettledBoardsFileSaysTheDirectorsResultToThePlayers) {
  const int slot = firstRoundSlot(4);
  const int t = ResultTable[slot];
  const QString file = table(t) + "ARBITRE4.TXT";
  const auto settled = [&](const QString& contract, int score, const QString& declarer) {
    TestSlots().contract[slot] = contract;
    TestSlots().score[slot] = score;
    TestSlots().declarer[slot] = declarer;
    WriteSettledBoardFile(slot);
    return readBytes(file);  // written as the echoes are: Windows-1252
  };
  TestSlots().nsPercent[slot] = 37.5;
  TestSlots().ewPercent[slot] = 0.0001;  // 0 % typed
  EXPECT_EQ(settled("AJU.", kScoreAdjusted, ""), QByteArray("Score arbitral 37,5 % \x96 0 %\r\n"));
  EXPECT_EQ(settled("4PN=", 420, "N"), "N 4PN=\r\n");
  EXPECT_EQ(settled("3SO-1", 50, "O"), "O 3SO-1\r\n");
  EXPECT_EQ(settled("PASSE", 0, ""), "PASSE\r\n");
  EXPECT_EQ(settled("MOY.", kScoreAverage, "?"), "Moyenne\r\n");
  EXPECT_EQ(settled("", -620, ""), "-620\r\n");
  EXPECT_EQ(settled("", kScoreNone, "?"), QByteArray("R\xe9sultat effac\xe9 par l'arbitre\r\n"));
  // The BridgeMates read the scorers' database, not this file.
  QFile::remove(file);
  TabletsMode = false;
  BridgeMatesMode = true;
  settled("4PN=", 420, "N");
  EXPECT_FALSE(QFile::exists(file));
}

// A deletion refused at the board's sheet (a result held on the BYE pair's
// line) sends the tables no deletion either.
TEST_F(TabletsTest, ADeletionRefusedAtTheBoardsSheetSendsTheTablesNothing) {
  PairLabels[14] = Player1Names[14] = "BYE";
  int s = 0;
  for (int k = 1; k <= ResultSlotCount && s == 0; ++k)
    if (ResultEwPair[k] == 14) s = k;
  ASSERT_GT(s, 0);
  const int board = ResultBoard[s];
  TestSlots().score[s] = 420;
  TestSlots().contract[s] = "4PN=";
  ScoreSheet sheet;
  sheet.layOut(board);
  for (int line = 1; line <= sheet.lineCount(); ++line)
    if (sheet.slotOfLine(line) == s) sheet.setCurrentLine(line);
  ASSERT_EQ(sheet.currentSlot(), s);
  sheet.deleteCurrent();
  EXPECT_EQ(ResultScore[s], 420);
  EXPECT_EQ(talk.beeps, 1);
  EXPECT_FALSE(QFile::exists(table(ResultTable[s]) + QString("RESS%1.TXT").arg(board)));
  EXPECT_FALSE(QFile::exists(documentsDir() + "/Quillmarke/LOG.TXT"));
}

// The director gives a result 60 % - 40 %, then deletes that adjustment in
// "Ajustements": the board goes back to its table, which enters it again.
TEST_F(TabletsTest, AnAdjustmentDeletedAtTheDeskHandsTheBoardBackToItsTable) {
  const int slot = firstRoundSlot(5);
  const int t = ResultTable[slot];
  talk.answerText("4");  // the fourth line of the window: 60 % - 40 %
  ASSERT_TRUE(AdjustOneResult(5, ResultNsPair[slot]));
  ASSERT_EQ(readBytes(table(t) + "ARBITRE5.TXT"), "Score arbitral 60 % \x96 40 %\r\n");
  talk.answer(1);  // "On efface?": Oui
  ListOrDeleteAdjustments(false);
  EXPECT_EQ(ResultScore[slot], kScoreNone);
  EXPECT_FALSE(QFile::exists(dataDir() + "ABC.ADJ"));
  EXPECT_FALSE(QFile::exists(table(t) + "ARBITRE5.TXT"));
  EXPECT_TRUE(readBytes(table(t) + "RESS5.TXT").contains("declarant DELETE"));
  tables.enterResult(t, 5, 1, ResultNsPair[slot], ResultEwPair[slot], "PASSE");
  ImportTabletResults();
  EXPECT_EQ(ResultContract[slot], "PASSE");
  EXPECT_TRUE(referee.isEmpty());
}

// Table 1 played boards 1 and 2 in round 1 with N/S pair 1 and E/W pair 8
// sitting the other way round: the director swaps board 1 at the board's
// sheet and board 2 at the table's sheet. Each board's line then gives pair
// 8 as N/S and pair 1 as E/W, and a resume finds nothing to send again.
TEST_F(TabletsTest, ASwapOfSidesAtEitherSheetRewritesTheBoardsEcho) {
  const int first = firstRoundSlot(1), second = firstRoundSlot(2);
  ASSERT_EQ(ResultTable[first], 1);
  ASSERT_EQ(ResultNsPair[first], 1);
  ASSERT_EQ(ResultEwPair[first], 8);
  ASSERT_EQ(ResultTable[second], 1);
  ScoreSheet board;
  PutSheetOn(board, first);
  ASSERT_TRUE(board.readyForResult());
  talk.answer(1);  // the score confirmed
  ASSERT_TRUE(board.validate("3SN=", EntryColumn::Result));
  ASSERT_EQ(readBytes(table(1) + "RESS1.TXT"), "1 1 999 1 1 1 8 ? 3SN= Entame=?\r\n");
  PutSheetOn(board, first);
  board.swapCurrent();
  EXPECT_EQ(ResultSwapped[first], 1);
  EXPECT_EQ(readBytes(table(1) + "RESS1.TXT"), "1 1 999 1 1 8 1 ? 3SN= Entame=?\r\n");
  EXPECT_EQ(readBytes(table(1) + "RESX1.TXT"), "1 1 999 1 1 8 1 ? 3SN= Entame=?\r\n");

  EntryByContracts = true;  // as always with table devices
  LastSheetRound = 1;
  TableSheet sheet;
  ASSERT_TRUE(sheet.startRound());
  ASSERT_EQ(sheet.currentSlot(), second);  // its first line without a result
  ASSERT_TRUE(sheet.readyForResult());
  talk.answer(1);
  ASSERT_TRUE(sheet.validate("4CE-1"));
  ASSERT_EQ(readBytes(table(1) + "RESS2.TXT"), "1 1 999 2 1 1 8 E 4CE-1 Entame=?\r\n");
  sheet.up();
  sheet.swapCurrent();
  EXPECT_EQ(readBytes(table(1) + "RESS2.TXT"), "1 1 999 2 1 8 1 E 4CE-1 Entame=?\r\n");
  EXPECT_EQ(readBytes(table(1) + "RESX2.TXT"), "1 1 999 2 1 8 1 E 4CE-1 Entame=?\r\n");

  const QByteArray log = readBytes(dataDir() + "ABC.LOG");
  EXPECT_EQ(log.count('\n'), 4);
  ResendTableEchoes();
  EXPECT_EQ(readBytes(dataDir() + "ABC.LOG"), log);
  EXPECT_EQ(readBytes(table(1) + "RESS1.TXT"), "1 1 999 1 1 8 1 ? 3SN= Entame=?\r\n");
}
