// The tablets' exchange folder is not trusted: links, FIFOs, devices and huge
// files put there neither get an outside file written nor hold the program,
// and what a stop of the program left there goes at the next start.
#include "core/Globals.h"
#include "core/Flows.h"
#include "core/ScriptedInteraction.h"
#include "core/State.h"
#include "devices/TabletFiles.h"
#include "devices/TabletImport.h"
#include "flows/TournamentMenu.h"
#include "platform/FolderIndex.h"
#include "platform/Process.h"
#include "platform/Speech.h"
#include "platform/TextFiles.h"
#include "setup/Movements.h"
#include "support/devices/TabletTables.h"
#include "support/TestState.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

// Peak and current resident memory of this process, in kB, from the system.
qint64 statusValue(const char* key) {
  QFile status("/proc/self/status");
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith(key)) return line.mid(qstrlen(key)).trimmed().split(' ').first().toLongLong();
  return -1;
}

// The peak is brought down to the current use, so that a later peak tells
// what happened since.
void resetPeakMemory() {
  QFile refs("/proc/self/clear_refs");
  if (refs.open(QIODevice::WriteOnly)) refs.write("5");
}

// A file of size bytes on one line, most of it a hole on disk.
void writeHugeFile(const QString& path, const QByteArray& start, off_t size) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, start.constData(), static_cast<size_t>(start.size())), start.size());
  ASSERT_EQ(::ftruncate(fd, size), 0);
  ::close(fd);
}

}  // namespace

class TabletFolderSafetyTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    TableDevicesMode = TabletsMode = true;
    TournamentCode = "ABC";
    flowWindows().notices.insert("TForm114", {[this](const QString& text) { referee << text; }, [] {}});
    platform::setSpeaker([](const QString&) {});
    // A Mitchell of 5 tables, 2 boards a table.
    PairCount = PairSlotCount = 10;
    TableCount = ResultsPerBoard = 5;
    for (int s = 1; s <= PairCount; ++s) PairNumbers[s] = s <= 5 ? s : -(s - 5);
    MitchellNumbering = true;
    BoardsPerTable = 2;
    RoundsPlayed = RoundsScheduled = RoundCount = 5;
    BoardCount = DealCount = 10;
    ResultSlotCount = 50;
    GenerateMitchell();
    RenumberMitchellEastWest();
    WriteTabletSessionFiles();
    menuView().timerEnabled = true;
    outside = documentsDir() + "/dehors/";
    QDir().mkpath(outside);
  }
  void TearDown() override {
    flowWindows().notices.remove("TForm114");
    platform::setSpeaker(nullptr);
    menuView() = TournamentMenuView{};
    TalvaronTest::TearDown();
  }
  QString table(int t) const { return TableFolder(t) + "/"; }
  int slotOf(int board, int round) const {
    for (int s = 1; s <= ResultSlotCount; ++s)
      if (ResultBoard[s] == board && ResultRound[s] == round) return s;
    return 0;
  }

  ui::ScriptedInteraction talk;
  platform::FakeProcesses processes;
  testing_support::TabletTables tables;
  QStringList referee;
  QString outside;
};

TEST_F(TabletFolderSafetyTest, AnEchoReplacesLinksAndNeverWritesWhereTheyLead) {
  writeBytes(outside + "secret.txt", "ne pas toucher\r\n");
  const int slot = slotOf(3, 1);
  ASSERT_GT(slot, 0);
  const int t = ResultTable[slot];
  ASSERT_TRUE(QFile::link(outside + "secret.txt", table(t) + "RESS3.TXT"));
  ASSERT_TRUE(QFile::link(outside + "cree.txt", table(t) + "RESX3.TXT"));  // leads nowhere yet
  tables.enterResult(t, 3, 1, ResultNsPair[slot], ResultEwPair[slot], "S 2CS+1 AP");
  ImportTabletResults();
  EXPECT_EQ(ResultContract[slot], "2CS+1");
  EXPECT_EQ(readBytes(outside + "secret.txt"), "ne pas toucher\r\n");
  EXPECT_FALSE(QFileInfo::exists(outside + "cree.txt"));
  for (const char* name : {"RESS3.TXT", "RESX3.TXT"}) {
    EXPECT_FALSE(QFileInfo(table(t) + name).isSymLink()) << name;
    const QByteArray line = readBytes(table(t) + name);
    EXPECT_TRUE(line.startsWith(QStringLiteral("%1 1 999 3 1 %2 ").arg(t).arg(ResultNsPair[slot]).toLatin1())) << line.toStdString();
    EXPECT_TRUE(line.endsWith(" S 2CS+1 Entame=?\r\n")) << line.toStdString();
  }
  EXPECT_EQ(QDir(outside).entryList(QDir::Files | QDir::Hidden), QStringList{"secret.txt"});

  // The log of the echoes made a link: refused with the system's code, and
  // nothing added to what it leads to.
  QFile::remove(dataDir() + "ABC.LOG");
  ASSERT_TRUE(QFile::link(outside + "secret.txt", dataDir() + "ABC.LOG"));
  tables.enterResult(t, 3, 1, ResultNsPair[slot], ResultEwPair[slot], "S 3CS= AP");
  try {
    ImportTabletResults();
    FAIL() << "the echo was logged through a link";
  } catch (const platform::IoError& e) {
    EXPECT_EQ(e.code(), ELOOP);
    EXPECT_EQ(e.fileName(), dataDir() + "ABC.LOG");
  }
  EXPECT_EQ(readBytes(outside + "secret.txt"), "ne pas toucher\r\n");
}

TEST_F(TabletFolderSafetyTest, FifosDevicesAndHugeFilesLeaveEveryPassQuickAndSmall) {
  ASSERT_EQ(::mkfifo(QFile::encodeName(table(1) + "REST1.TXT").constData(), 0600), 0);
  ASSERT_TRUE(QFile::link("/dev/zero", table(1) + "REST2.TXT"));
  writeHugeFile(table(1) + "REST3.TXT", "1 1 0 1 1 1 6 N 1SN= ", 200LL * 1024 * 1024);
  ASSERT_EQ(::mkfifo(QFile::encodeName(table(2) + "PLAYERS.TXT").constData(), 0600), 0);
  writeBytes(outside + "joueurs.txt", "1&DEHORS@2&DEHORS@3&DEHORS@4&DEHORS\r\n");
  ASSERT_TRUE(QFile::link(outside + "joueurs.txt", table(3) + "PLAYERS.TXT"));
  const QString diagrams = documentsDir() + "/Quillmarke/Diagrammes/";
  QDir().mkpath(diagrams);
  ASSERT_TRUE(QFile::link("/dev/zero", diagrams + "1.TXT"));
  writeHugeFile(diagrams + "2.TXT", "Board 2\r\n", 70 * 1024);
  // A good result among them is still taken.
  const int slot = slotOf(9, 1);
  const int t = ResultTable[slot];
  tables.enterResult(t, 9, 1, ResultNsPair[slot], ResultEwPair[slot], "E 4PE= RK");

  for (int pass = 1; pass <= 10; ++pass) {
    resetPeakMemory();
    const qint64 before = statusValue("VmRSS:");
    // Where the system cannot bring the peak down, memory is not measured.
    const bool measured = before > 0 && statusValue("VmHWM:") - before < 4 * 1024;
    QElapsedTimer clock;
    clock.start();
    ImportTabletResults();
    EXPECT_LT(clock.elapsed(), 1000) << "pass " << pass;
    if (measured) {
      EXPECT_LT(statusValue("VmHWM:") - before, 32 * 1024) << "pass " << pass;
    }
    if (pass == 1) {
      EXPECT_EQ(ResultContract[slot], "4PE=");
      EXPECT_TRUE(referee.isEmpty());
    }
  }
  // The entries that are not files stay where they are, never read; the
  // files that could not be read are set aside at the tenth pass, links
  // moved as they are.
  EXPECT_TRUE(QFileInfo::exists(table(1) + "REST1.TXT"));
  EXPECT_TRUE(QFileInfo::exists(table(2) + "PLAYERS.TXT"));
  EXPECT_FALSE(QFileInfo::exists(table(1) + "REST3.TXT"));
  EXPECT_TRUE(QFileInfo(table(1) + "REST2.TXT.BAD").isSymLink());
  EXPECT_EQ(QFileInfo(table(1) + "REST3.TXT.BAD").size(), 200LL * 1024 * 1024);
  EXPECT_TRUE(QFileInfo(table(3) + "PLAYERS.TXT.BAD").isSymLink());
  EXPECT_TRUE(QFileInfo(diagrams + "1.TXT.BAD").isSymLink());
  EXPECT_EQ(QFileInfo(diagrams + "2.TXT.BAD").size(), 70 * 1024);
  EXPECT_EQ(readBytes(outside + "joueurs.txt"), "1&DEHORS@2&DEHORS@3&DEHORS@4&DEHORS\r\n");
  for (int p = 1; p <= PairCount; ++p) EXPECT_NE(Player1Names[p], "DEHORS") << p;
  EXPECT_TRUE(DealDiagrams[1].isEmpty());
  EXPECT_TRUE(DealDiagrams[2].isEmpty());
  EXPECT_EQ(referee.size(), 5) << referee.join("|").toStdString();
  EXPECT_TRUE(referee.contains("20:00:00 - Table 1; impossible de lire le résultat du fichier " + table(1) +
                               "REST3.TXT.BAD. Le fichier est ignoré."));
  EXPECT_TRUE(referee.contains("20:00:00 - Table 3; impossible de lire les joueurs du fichier " + table(3) +
                               "PLAYERS.TXT.BAD. Le fichier est ignoré."));
  EXPECT_TRUE(referee.contains("20:00:00 - Impossible de lire le diagramme du fichier " + diagrams +
                               "2.TXT.BAD. Le fichier est ignoré."));
  EXPECT_TRUE(referee.contains("20:00:00 - Table 1; impossible de lire le résultat du fichier " + table(1) +
                               "REST2.TXT.BAD. Le fichier est ignoré."));
  ImportTabletResults();
  EXPECT_EQ(referee.size(), 5);
}

TEST_F(TabletFolderSafetyTest, AFileReadAfterBadReadsStartsTheCountAgain) {
  // Still empty while the server writes it: nine failures, then read.
  writeBytes(table(2) + "PLAYERS.TXT", "");
  for (int pass = 1; pass <= 9; ++pass) ImportTabletResults();
  EXPECT_TRUE(QFileInfo::exists(table(2) + "PLAYERS.TXT"));
  writeBytes(table(2) + "PLAYERS.TXT", "1&UN@2&DEUX@3&TROIS@4&QUATRE\r\n");
  ImportTabletResults();
  EXPECT_FALSE(QFileInfo::exists(table(2) + "PLAYERS.TXT"));
  EXPECT_EQ(Player1Names[2], "UN");  // North of table 2 plays in N/S pair 2
  // The next file of that name fails once: the first of its own series.
  writeBytes(table(2) + "PLAYERS.TXT", "");
  ImportTabletResults();
  EXPECT_TRUE(QFileInfo::exists(table(2) + "PLAYERS.TXT"));
  EXPECT_FALSE(QFileInfo::exists(table(2) + "PLAYERS.TXT.BAD"));
  EXPECT_TRUE(referee.isEmpty());
}

TEST_F(TabletFolderSafetyTest, WhatAStopLeftInTheExchangeFolderGoesAtStart) {
  const QString q = documentsDir() + "/Quillmarke/";
  const QString dead = QStringLiteral(".nPLAY_RECUP.TXT.99999999.a1b2c3") + platform::kTemporarySuffix;
  const QStringList folders = {q, q + "Serie1/", q + "Serie1/Table4/", q + "Serie1/NomsPaires/", q + "Diagrammes/"};
  for (const QString& folder : folders) writeBytes(folder + dead, "1 2 3 4");
  writeBytes(q + "Serie1/Table4/RESS2.TXT", "4 1 999 2 1 4 9 N 1SN= Entame=?\r\n");
  InitGlobals();
  for (const QString& folder : folders) EXPECT_FALSE(QFileInfo::exists(folder + dead)) << folder.toStdString();
  EXPECT_EQ(readBytes(q + "Serie1/Table4/RESS2.TXT"), "4 1 999 2 1 4 9 N 1SN= Entame=?\r\n");
}
