#include "core/Flows.h"
#include "core/Backups.h"
#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "devices/TablesServer.h"
#include "flows/Quit.h"
#include "flows/TournamentMenu.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/TextFiles.h"
#include "support/TestState.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

using testing_support::readBytes;
using testing_support::writeBytes;

class QuitTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    // The collection runs; the menu records each stop and restart of it.
    menuView().timerEnabled = true;
    flowWindows().refreshMenu = [this] {
      if (menuView().timerEnabled == collectionShown) return;
      collectionShown = menuView().timerEnabled;
      calls << (collectionShown ? "restart collection" : "stop collection");
    };
    flowWindows().notices.insert("TForm110", {[this](const QString& text) { calls << "wait shown: " + text; },
                                              [this] { calls << "wait hidden"; }});
  }
  void TearDown() override {
    flowWindows().refreshMenu = nullptr;
    menuView() = TournamentMenuView{};
    flowWindows().notices.remove("TForm110");
    flowSteps().stopCompanions = nullptr;
    TalvaronTest::TearDown();
  }

  // An open tournament of two pairs, reloaded from its files of 1 January 2020.
  void openTournament() {
    TournamentCode = "ABC";
    DateDay = "01";
    DateMonth = "01";
    DateYear = "2020";
    TournamentTitle = "Mercredi";
    PairNumbers[1] = 1;
    PairNumbers[2] = -1;
    Player1Names[1] = "DUPONT Jean";
    Player2Names[1] = "MARTIN Anne";
    PairLabels[1] = "DUPONT Jean - MARTIN Anne";
    Player1Names[2] = "DURAND Paul";
    Player2Names[2] = "PETIT Marc";
    PairLabels[2] = "DURAND Paul - PETIT Marc";
    PairCount = 2;
    writeBytes(dataDir() + "ABC.DAT", "01/01/2020\r\nMercredi");
  }

  // Quits with the confirmation given; the end of the program is expected.
  int quitConfirmed() {
    talk.answer(1);
    try {
      QuitProgram();
    } catch (const FatalStopError& stop) {
      return stop.exitCode();
    }
    ADD_FAILURE() << "the program did not end";
    return -1;
  }

  QString backups() const { return rootDir() + "BackupsTalvaron/"; }
  bool exists(const QString& path) const { return QFileInfo::exists(path); }

  ui::ScriptedInteraction talk;
  QStringList calls;
  bool collectionShown = true;
};

TEST_F(QuitTest, DecliningTheConfirmationChangesNothing) {
  openTournament();
  writeBytes(programDir() + "NOMBM.TXT", "Tournoi\r\n");
  talk.answer(0);
  QuitProgram();
  ASSERT_EQ(talk.choices.size(), 1);
  EXPECT_EQ(talk.choices[0].form, "TForm59");
  EXPECT_EQ(talk.choices[0].caption, "Confirmation?");
  EXPECT_EQ(talk.choices[0].text, "Vraiment quitter le programme?");
  EXPECT_EQ(talk.choices[0].buttons, QStringList({"&OK", "&Annuler = ESC"}));
  EXPECT_EQ(ChoiceResult, 0);
  EXPECT_EQ(readBytes(dataDir() + "ABC.DAT"), "01/01/2020\r\nMercredi");
  EXPECT_FALSE(exists(dataDir() + "ABC.PAI"));
  EXPECT_FALSE(exists(backups()));
  EXPECT_TRUE(exists(programDir() + "NOMBM.TXT"));
  EXPECT_TRUE(calls.isEmpty());  // the collection goes on
  EXPECT_EQ(TournamentCode, "ABC");
}

TEST_F(QuitTest, ConfirmingSavesBacksUpIntoTodaysFolderAndPurgesByTheDates) {
  openTournament();
  writeBytes(programDir() + "NOMBM.TXT", "Tournoi\r\n");
  // Backups: today is 7 December 2026.
  for (const char* folder : {"20251130", "20251206", "20251207", "20251215", "20241130", "2025113", "2025113x"})
    QDir().mkpath(backups() + folder);
  writeBytes(backups() + "20251130/OLD.PAI", "x");
  writeBytes(backups() + "20261207/FIRST.PAI", "first tournament of the day");
  // Tournaments of the results folder.
  writeBytes(dataDir() + "OLD.DAT", "06/12/2025\r\nSamedi");
  for (const char* ext : {"PAI", "VAR", "MUL", "SPECS", "DIA", "SEA", "ADJ", "PEN", "PAT", "AS", "CUM", "BWS", "PBN"})
    writeBytes(dataDir() + "OLD." + ext, "x");
  writeBytes(dataDir() + "EDGE.DAT", "07/12/2025\r\nLundi");
  writeBytes(dataDir() + "EDGE.PAI", "x");
  writeBytes(dataDir() + "NODATE.DAT", "Aujourd'hui\r\nLundi");
  writeBytes(dataDir() + "NODATE.PAI", "x");
  writeBytes(dataDir() + "abc.pen", "penalties");
  // Years typed with two digits: of this century, not of the year 25.
  writeBytes(dataDir() + "SHORT.DAT", "06/12/26\r\nDimanche");
  writeBytes(dataDir() + "SHORT.PAI", "x");
  writeBytes(dataDir() + "SHORTOLD.DAT", "06/12/25\r\nSamedi");
  writeBytes(dataDir() + "SHORTOLD.PAI", "x");

  EXPECT_EQ(quitConfirmed(), 0);

  // Saved, then copied into the folder of today (not of the tournament's date).
  const QString day = backups() + "20261207/";
  EXPECT_EQ(readBytes(dataDir() + "ABC.DAT"), "01/01/2020\r\nMercredi");
  EXPECT_FALSE(readBytes(dataDir() + "ABC.PAI").isEmpty());
  EXPECT_EQ(readBytes(day + "ABC.DAT"), readBytes(dataDir() + "ABC.DAT"));
  EXPECT_EQ(readBytes(day + "ABC.PAI"), readBytes(dataDir() + "ABC.PAI"));
  EXPECT_EQ(readBytes(day + "abc.pen"), "penalties");
  EXPECT_EQ(readBytes(day + "FIRST.PAI"), "first tournament of the day");
  EXPECT_FALSE(exists(backups() + "20200101"));

  // Backups of last year before today's day and month are gone; others stay.
  EXPECT_FALSE(exists(backups() + "20251130"));
  EXPECT_FALSE(exists(backups() + "20251206"));
  for (const char* kept : {"20251207", "20251215", "20241130", "2025113", "2025113x"})
    EXPECT_TRUE(exists(backups() + kept)) << kept;

  // Tournaments dated more than a year ago are purged but for their ".BWS" and
  // ".PBN"; the open tournament, however old, is kept.
  for (const char* ext : {"DAT", "PAI", "VAR", "MUL", "SPECS", "DIA", "SEA", "ADJ", "PEN", "PAT", "AS", "CUM"})
    EXPECT_FALSE(exists(dataDir() + "OLD." + ext)) << ext;
  EXPECT_TRUE(exists(dataDir() + "OLD.BWS") && exists(dataDir() + "OLD.PBN"));
  EXPECT_TRUE(exists(dataDir() + "EDGE.PAI") && exists(dataDir() + "NODATE.PAI"));
  EXPECT_TRUE(exists(dataDir() + "SHORT.PAI"));
  EXPECT_FALSE(exists(dataDir() + "SHORTOLD.PAI"));
  EXPECT_TRUE(exists(dataDir() + "ABC.DAT") && exists(dataDir() + "ABC.PAI"));

  EXPECT_FALSE(exists(programDir() + "NOMBM.TXT"));
  EXPECT_EQ(calls, QStringList({"stop collection", "wait shown: Backup en cours...", "wait hidden"}));
}

TEST_F(QuitTest, NoBackupMarkerSkipsTheBackupAndBothPurges) {
  openTournament();
  writeBytes(backups() + "NoBackup.TXT", "");
  QDir().mkpath(backups() + "20251130");
  writeBytes(dataDir() + "OLD.DAT", "05/12/2025\r\nVendredi");
  EXPECT_EQ(quitConfirmed(), 0);
  EXPECT_TRUE(exists(dataDir() + "ABC.PAI"));  // saved all the same
  EXPECT_FALSE(exists(backups() + "20261207"));
  EXPECT_TRUE(exists(backups() + "20251130"));
  EXPECT_TRUE(exists(dataDir() + "OLD.DAT"));
  EXPECT_EQ(calls, QStringList({"stop collection"}));
}

TEST_F(QuitTest, ACumulativeTournamentIsNeitherSavedNorBackedUpAndImpsAreWarned) {
  openTournament();
  CumulativeMode = true;
  ImpScoring = true;
  writeBytes(programDir() + "NOMBM.TXT", "x");
  EXPECT_EQ(quitConfirmed(), 0);
  EXPECT_FALSE(exists(dataDir() + "ABC.PAI"));
  EXPECT_FALSE(exists(backups()));
  EXPECT_TRUE(exists(programDir() + "NOMBM.TXT"));
  EXPECT_EQ(talk.messages, QStringList({"Attention! Les résultats du tournoi seront quand même sauvés en formule Paires. Si "
                                        "vous le rechargez, n'oubliez pas de recocher la formule Butler avant de "
                                        "recalculer les résultats..."}));
  EXPECT_EQ(talk.beepsBefore("Attention!"), 1);
}

TEST_F(QuitTest, AFailedSaveLeavesTheProgramOpenAndTheCollectionRunning) {
  openTournament();
  QFile::remove(dataDir() + "ABC.DAT");
  QDir().mkpath(dataDir() + "ABC.DAT");  // cannot be replaced by a file
  talk.answer(1);
  EXPECT_THROW(QuitProgram(), platform::IoError);
  EXPECT_EQ(calls, QStringList({"stop collection", "restart collection"}));
  EXPECT_FALSE(exists(backups()));
}

TEST_F(QuitTest, InClubModeTheRegistryValueIsRestored) {
  openTournament();
  ClubMode = BridgeMatesMode = true;
  platform::MemoryRegistry registry;
  registry.createKey(platform::kBridgeMatesSettingsKey);
  registry.setValue(platform::kBridgeMatesSettingsKey, platform::kOverrideDbSettingsValue, "no");
  testing_support::writeBytes(programDir() + "overrideDBSettings.TXT", "maybe\r\n");
  EXPECT_EQ(quitConfirmed(), 0);
  EXPECT_EQ(registry.value(platform::kBridgeMatesSettingsKey, platform::kOverrideDbSettingsValue), "maybe");
  EXPECT_FALSE(QFile::exists(programDir() + "overrideDBSettings.TXT"));
}

TEST_F(QuitTest, WithDevicesTheTabletsFolderAndTheFederationDatabaseAreBackedUp) {
  openTournament();
  TableDevicesMode = TabletsMode = true;
  EXPECT_EQ(quitConfirmed(), 0);  // exchange folder not set yet: no backup
  EXPECT_FALSE(exists(backups()));

  FederationMode = true;
  TabletSharedFolder = documentsDir() + "/Quillmarke";
  writeBytes(TabletSharedFolder + "/Serie1/Table1/RESULT.TXT", "1 2 3");
  FederationBwsFile = documentsDir() + "/FFB/Seance.BWS";
  writeBytes(FederationBwsFile, "bws");
  writeBytes(backups() + "20261207/Quillmarke/stale.txt", "old");
  EXPECT_EQ(quitConfirmed(), 0);
  const QString day = backups() + "20261207/";
  EXPECT_EQ(readBytes(day + "Quillmarke/Serie1/Table1/RESULT.TXT"), "1 2 3");
  EXPECT_FALSE(exists(day + "Quillmarke/stale.txt"));
  EXPECT_EQ(readBytes(day + "Seance.BWS"), "bws");

  // Through links, what they lead to is backed up, not the links.
  ASSERT_TRUE(QDir(documentsDir() + "/Quillmarke").rename(documentsDir() + "/Quillmarke", documentsDir() + "/Partage"));
  ASSERT_TRUE(QFile::link(documentsDir() + "/Partage", documentsDir() + "/Quillmarke"));
  writeBytes(documentsDir() + "/ailleurs/ABC.CUM", "cumul");
  ASSERT_TRUE(QFile::link(documentsDir() + "/ailleurs/ABC.CUM", dataDir() + "ABC.CUM"));
  EXPECT_EQ(quitConfirmed(), 0);
  EXPECT_FALSE(QFileInfo(day + "Quillmarke").isSymLink());
  EXPECT_EQ(readBytes(day + "Quillmarke/Serie1/Table1/RESULT.TXT"), "1 2 3");
  EXPECT_FALSE(QFileInfo(day + "ABC.CUM").isSymLink());
  EXPECT_EQ(readBytes(day + "ABC.CUM"), "cumul");
}

TEST_F(QuitTest, TheDeviceServersAreStoppedInOrderOnlyWithDevices) {
  platform::FakeProcesses processes;
  processes.running << "C:\\Talvaron\\PCQuillmarkeServer.EXE" << "TABLOSSE.EXE" << "/usr/bin/talvaron-tables";
  StopDeviceServers();
  EXPECT_TRUE(processes.events.isEmpty());
  // This copy's own tables' server is stopped by its handle, and only once.
  StartTablesServer();
  processes.events.clear();
  StopDeviceServers();
  StopDeviceServers();
  EXPECT_EQ(processes.events, QStringList({"stop child: " + programDir() + "talvaron-tables"}));
  processes.events.clear();

  TableDevicesMode = true;
  InstallCompanionStopper();
  EXPECT_THROW(FatalStop("Pas trouvé le fichier ABC.VAR"), FatalStopError);
  // A tables' server of that name is another copy's: this copy stops only its own.
  EXPECT_EQ(processes.events,
            QStringList({"running?: PCQuillmarkeServer.EXE", "stop: PCQuillmarkeServer.EXE", "running?: BMPro.EXE",
                         "running?: TABLOSSE.EXE", "stop: TABLOSSE.EXE"}));
  EXPECT_EQ(processes.running, QStringList({"/usr/bin/talvaron-tables"}));
  EXPECT_EQ(talk.pausedMs, 2000);
  EXPECT_EQ(talk.messages, QStringList({"Pas trouvé le fichier ABC.VAR"}));
}

TEST_F(QuitTest, ASecondBackupOfTheDayDropsTheTournamentsFilesDeletedSince) {
  TournamentCode = "ABC";
  writeBytes(dataDir() + "ABC.DAT", "07/12/2026\r\nLundi");
  const QString day = backups() + "20261207/";
  for (const char* name : {"ABC.ADJ", "abc.cum", "ABC.PAT", "ABCD.ADJ", "XABC.ADJ"}) writeBytes(day + name, "earlier");
  BackupAndPurge();
  EXPECT_EQ(readBytes(day + "ABC.DAT"), "07/12/2026\r\nLundi");
  for (const char* gone : {"ABC.ADJ", "abc.cum", "ABC.PAT"}) EXPECT_FALSE(exists(day + gone)) << gone;
  for (const char* kept : {"ABCD.ADJ", "XABC.ADJ"}) EXPECT_TRUE(exists(day + kept)) << kept;
}

TEST_F(QuitTest, TheTabletsFolderBackupCopiesOrdinaryFilesAndNamesWhatItLeftOut) {
  openTournament();
  TableDevicesMode = TabletsMode = true;
  TabletSharedFolder = documentsDir() + "/Quillmarke";
  const QString q = TabletSharedFolder + "/";
  // Files on both sides of a FIFO in the listing's order, whatever it is.
  for (int i = 1; i <= 30; ++i) writeBytes(q + QString("Serie1/Table1/RESS%1.TXT").arg(i), QByteArray::number(i));
  writeBytes(q + "nPLAY_RECUP.TXT", "0 8 0 16\r\n");
  ASSERT_EQ(::mkfifo(QFile::encodeName(q + "Serie1/Table1/REST7.TXT").constData(), 0600), 0);
  // 200 MB on one line, almost all of it a hole on disk.
  writeBytes(q + "Serie1/enorme.bin", "x");
  ASSERT_EQ(::truncate(QFile::encodeName(q + "Serie1/enorme.bin").constData(), 200LL * 1024 * 1024), 0);
  writeBytes(documentsDir() + "/dehors/secret.txt", "dehors");
  ASSERT_TRUE(QFile::link(documentsDir() + "/dehors", q + "Serie1/Table2"));
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(quitConfirmed(), 0);
  EXPECT_LT(clock.elapsed(), 10000);
  const QString copy = backups() + "20261207/Quillmarke/";
  for (int i = 1; i <= 30; ++i)
    EXPECT_EQ(readBytes(copy + QString("Serie1/Table1/RESS%1.TXT").arg(i)), QByteArray::number(i)) << i;
  EXPECT_EQ(readBytes(copy + "nPLAY_RECUP.TXT"), "0 8 0 16\r\n");
  for (const char* left : {"Serie1/Table1/REST7.TXT", "Serie1/enorme.bin", "Serie1/Table2"})
    EXPECT_FALSE(QFileInfo::exists(copy + left) || QFileInfo(copy + left).isSymLink()) << left;
  ASSERT_FALSE(talk.messages.isEmpty());
  QStringList lines = talk.messages.last().split("\r\n");
  ASSERT_EQ(lines.size(), 4);
  EXPECT_EQ(lines.takeFirst(), "La sauvegarde du dossier des tablettes " + TabletSharedFolder +
                                   " a laissé de côté 3 élément(s):");
  lines.sort();
  EXPECT_EQ(lines, QStringList({"Serie1/Table1/REST7.TXT (pas un fichier ordinaire)",
                                "Serie1/Table2 (pas un fichier ordinaire)", "Serie1/enorme.bin (plus de 10 Mo)"}));
}
