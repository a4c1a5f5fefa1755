// The tablets' exchange folder is not trusted: links, FIFOs, devices and huge
// files put there neither get an outside file written nor hold the program,
// and what a stop of the program left there goes at the next start.
#include "core/DealDiagrams.h"
#include "core/DeviceFiles.h"
#include "core/DeviceNumbers.h"
#include "core/Globals.h"
#include "core/Flows.h"
#include "core/ScriptedInteraction.h"
#include "core/State.h"
#include "devices/TabletFiles.h"
#include "devices/TabletImport.h"
#include "devices/TabletLines.h"
#include "devices/TablePlayers.h"
#include "devices/BridgeMatesTables.h"
#include "flows/TournamentMenu.h"
#include "platform/FolderIndex.h"
#include "platform/Process.h"
#include "platform/Speech.h"
#include "platform/TextFiles.h"
#include "scoring/ResultFiles.h"
#include "scoring/ResultStore.h"
#include "support/devices/TabletTables.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

#include <QDir>
#include <QDirIterator>
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

// Everything under folder, links not followed: each entry's relative name
// with its bytes, where a link leads, or its kind.
QMap<QString, QByteArray> snapshot(const QString& folder) {
  QMap<QString, QByteArray> entries;
  QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QFileInfo info(it.next());
    const QString name = QDir(folder).relativeFilePath(info.filePath());
    if (info.isSymLink())
      entries[name] = "-> " + info.symLinkTarget().toUtf8();
    else if (info.isDir())
      entries[name] = "<folder>";
    else
      entries[name] = readBytes(info.filePath());
  }
  return entries;
}

}  // namespace

class TabletFolderSafetyTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    flowWindows().notices.insert("TForm114", {[this](const QString& text) { referee << text; }, [] {}});
    platform::setSpeaker([](const QString&) {});
    testing_support::LayOutTabletEvening("ABC", 5, 2);  // 5 tables, 2 boards a table
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
  // The first slot of table t in round 1.
  int firstSlotAt(int t) const {
    for (int s = 1; s <= ResultSlotCount; ++s)
      if (ResultTable[s] == t && ResultRound[s] == 1) return s;
    return 0;
  }
  // A result file's line for slot, the E/W number as the tablets give it.
  QByteArray resultLine(int slot, const char* text) const {
    return QStringLiteral("%1 1 0 %2 1 %3 %4 ")
               .arg(ResultTable[slot])
               .arg(ResultBoard[slot])
               .arg(ResultNsPair[slot])
               .arg(DeviceEwNumber(ResultEwPair[slot]))
               .toLatin1() +
           text + "\r\n";
  }
  // Every reader and writer of the exchange folder, as an evening calls them.
  void readAndWriteEverything(int table, int slot) {
    for (int pass = 1; pass <= 10; ++pass) ImportTabletResults();
    ReadPlayersFile();
    LoadDiagramFiles();
    WriteTabletResultLine(table, ResultBoard[slot], 1, ResultNsPair[slot], ResultEwPair[slot], "3SN=", "N");
    WriteTabletDeleteLine(table, ResultBoard[slot], 1, ResultNsPair[slot], ResultEwPair[slot]);
    TabletsInUse = false;
    TestSlots().contract[slot] = "1SN=";
    WriteTableResultFile(slot, false);
    WriteTableResultFile(slot, true);
    TestSlots().contract[slot].clear();
    WriteDiagramFile(1, DealHoldings{});
    WritePairNameFiles();
    // The set-up of a federation evening keeps the folder and writes into it.
    FederationMode = true;
    WriteTabletSessionFiles();
    FederationMode = false;
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
  // Every entry that could not be read, FIFOs included, is set aside at the
  // tenth pass, links and FIFOs moved as they are, never opened.
  for (const QString& fifo : {table(1) + "REST1.TXT", table(2) + "PLAYERS.TXT"}) {
    EXPECT_FALSE(QFileInfo::exists(fifo)) << fifo.toStdString();
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(fifo + ".BAD").constData(), &st), 0) << fifo.toStdString();
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
  }
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
  EXPECT_EQ(referee.size(), 7) << referee.join("|").toStdString();
  EXPECT_TRUE(referee.contains("20:00:00 - Table 1; impossible de lire le résultat du fichier " + table(1) +
                               "REST1.TXT.BAD. Le fichier est ignoré."));
  EXPECT_TRUE(referee.contains("20:00:00 - Table 2; impossible de lire les joueurs du fichier " + table(2) +
                               "PLAYERS.TXT.BAD. Le fichier est ignoré."));
  EXPECT_TRUE(referee.contains("20:00:00 - Table 1; impossible de lire le résultat du fichier " + table(1) +
                               "REST3.TXT.BAD. Le fichier est ignoré."));
  EXPECT_TRUE(referee.contains("20:00:00 - Table 3; impossible de lire les joueurs du fichier " + table(3) +
                               "PLAYERS.TXT.BAD. Le fichier est ignoré."));
  EXPECT_TRUE(referee.contains("20:00:00 - Impossible de lire le diagramme du fichier " + diagrams +
                               "2.TXT.BAD. Le fichier est ignoré."));
  EXPECT_TRUE(referee.contains("20:00:00 - Table 1; impossible de lire le résultat du fichier " + table(1) +
                               "REST2.TXT.BAD. Le fichier est ignoré."));
  ImportTabletResults();
  EXPECT_EQ(referee.size(), 7);
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

TEST_F(TabletFolderSafetyTest, LinkedTableSeriesAndDiagramFoldersAreNeverFollowed) {
  const QString q = documentsDir() + "/Quillmarke/";
  const int slot = firstSlotAt(2);
  ASSERT_GT(slot, 0);
  // Table 2's folder and the diagrams' folder lead outside, where files
  // named as the tablets name theirs are waiting.
  writeBytes(outside + "t2/REST1.TXT", resultLine(slot, "N 3SN= RC"));
  writeBytes(outside + "t2/REST2.TXT", "pas un résultat\r\n");
  writeBytes(outside + "t2/PLAYERS.TXT", "1&DEHORS@2&DEHORS@3&DEHORS@4&DEHORS\r\n");
  writeBytes(outside + "t2/MVT.TXT", "ancien\r\n");
  writeBytes(outside + "diagrammes/1.TXT", "Board 1\r\n--------\r\n");
  ASSERT_TRUE(QDir(table(2)).removeRecursively());
  ASSERT_TRUE(QFile::link(outside + "t2", TableFolder(2)));
  QDir(q + "Diagrammes").removeRecursively();
  ASSERT_TRUE(QFile::link(outside + "diagrammes", q + "Diagrammes"));
  const QMap<QString, QByteArray> before = snapshot(outside);

  readAndWriteEverything(2, slot);
  EXPECT_EQ(snapshot(outside), before);
  EXPECT_EQ(ResultScore[slot], kScoreNone);
  EXPECT_TRUE(DealDiagrams[1].isEmpty());
  for (int p = 1; p <= PairCount; ++p) EXPECT_NE(Player1Names[p], "DEHORS") << p;
  EXPECT_TRUE(QFileInfo(TableFolder(2)).isSymLink());
  // The other tables still work.
  EXPECT_TRUE(QFileInfo::exists(table(1) + "MVT.TXT"));
  EXPECT_EQ(referee, QStringList({"20:00:00 - Le dossier " + TableFolder(2) +
                                      " des tablettes est un lien: il est ignoré, rien n'y est lu ni écrit. Remplacez-le "
                                      "par un vrai dossier.",
                                  "20:00:00 - Le dossier " + q + "Diagrammes des tablettes est un lien: il est ignoré, "
                                      "rien n'y est lu ni écrit. Remplacez-le par un vrai dossier."}));

  // The whole series folder made a link: nothing under it is touched.
  referee.clear();
  writeBytes(outside + "serie/Table1/REST1.TXT", resultLine(firstSlotAt(1), "N 2CN= RC"));
  writeBytes(outside + "serie/NomsPaires/N1.TXT", "ancien");
  ASSERT_TRUE(QDir(q + "Serie1").removeRecursively());
  ASSERT_TRUE(QFile::link(outside + "serie", q + "Serie1"));
  const QMap<QString, QByteArray> beforeSeries = snapshot(outside);
  readAndWriteEverything(1, firstSlotAt(1));
  EXPECT_EQ(snapshot(outside), beforeSeries);
  EXPECT_EQ(ResultScore[firstSlotAt(1)], kScoreNone);
  ASSERT_EQ(referee.size(), 1);
  EXPECT_TRUE(referee[0].contains(q + "Serie1 des tablettes est un lien")) << referee[0].toStdString();

  // A new evening's set-up clears the folder, links and all, and writes a
  // clean one; what the links led to stays as it was.
  WriteTabletSessionFiles();
  EXPECT_EQ(snapshot(outside), beforeSeries);
  EXPECT_FALSE(QFileInfo(q + "Serie1").isSymLink());
  EXPECT_FALSE(QFileInfo::exists(q + "Diagrammes"));
  for (int t = 1; t <= 5; ++t) EXPECT_TRUE(QFileInfo(table(t) + "MVT.TXT").isFile()) << t;
}

TEST_F(TabletFolderSafetyTest, LinesAreNeverAddedToAFileWithAnotherName) {
  const QString q = documentsDir() + "/Quillmarke/";
  writeBytes(outside + "journal.txt", "dehors\r\n");
  writeBytes(outside + "donnes.txt", "dehors\r\n");
  ASSERT_EQ(::link(QFile::encodeName(outside + "journal.txt").constData(), QFile::encodeName(q + "LOG.TXT").constData()),
            0);
  ASSERT_EQ(::link(QFile::encodeName(outside + "donnes.txt").constData(),
                   QFile::encodeName(q + "DonnesArbitre.TXT").constData()),
            0);
  const int slot = firstSlotAt(1);
  const auto refused = [](const std::function<void()>& append, const QString& name) {
    try {
      append();
      ADD_FAILURE() << "appended to " << name.toStdString();
    } catch (const platform::IoError& e) {
      EXPECT_EQ(e.code(), EMLINK);
      EXPECT_EQ(e.fileName(), name);
    }
  };
  refused([&] { WriteTabletDeleteLine(1, ResultBoard[slot], 1, ResultNsPair[slot], ResultEwPair[slot]); },
          q + "LOG.TXT");
  refused([] { WriteRefereeDealsFile(3, 1, 6); }, q + "DonnesArbitre.TXT");
  EXPECT_EQ(readBytes(outside + "journal.txt"), "dehors\r\n");
  EXPECT_EQ(readBytes(outside + "donnes.txt"), "dehors\r\n");
  // A rewrite replaces the name in the folder; the other name keeps its bytes.
  writeBytes(outside + "compteurs.txt", "dehors\r\n");
  QFile::remove(q + "nPLAY_RECUP.TXT");
  ASSERT_EQ(::link(QFile::encodeName(outside + "compteurs.txt").constData(),
                   QFile::encodeName(q + "nPLAY_RECUP.TXT").constData()),
            0);
  ResultsEntered = 3;
  WriteRecoveryCounters();
  EXPECT_EQ(readBytes(outside + "compteurs.txt"), "dehors\r\n");
  EXPECT_EQ(readBytes(q + "nPLAY_RECUP.TXT"), "0 0 3 50\r\n");
}

TEST_F(TabletFolderSafetyTest, AFileRewrittenInPlaceBeforeItsDeletionIsCollectedAtTheNextPass) {
  const int slot = firstSlotAt(3);
  ASSERT_GT(slot, 0);
  const QString file = table(3) + "REST1.TXT";
  writeBytes(file, resultLine(slot, "N 3SN= RC"));
  struct stat first {};
  ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &first), 0);
  // While the pass saves, the server writes its correction into the same
  // file, same length, and the clock has not moved.
  ASSERT_TRUE(testing_support::RunWithChangeWhileSaving(ImportTabletResults, [&] {
    const int fd = ::open(QFile::encodeName(file).constData(), O_WRONLY);
    const QByteArray corrected = resultLine(slot, "N 4SN= RC");
    ASSERT_EQ(::write(fd, corrected.constData(), static_cast<size_t>(corrected.size())), corrected.size());
    ::close(fd);
    const struct timespec times[2] = {first.st_atim, first.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(file).constData(), times, 0), 0);
  }));
  EXPECT_EQ(ResultContract[slot], "3SN=");
  ASSERT_TRUE(QFileInfo::exists(file));
  ImportTabletResults();
  EXPECT_EQ(ResultContract[slot], "4SN=");
  EXPECT_FALSE(QFileInfo::exists(file));
}

TEST_F(TabletFolderSafetyTest, NamesThatCannotBeSetAsideOrSpelledAreToldOnceAndLeftAlone) {
  // 255 bytes, the longest name: ".BAD" does not fit.
  const QString longName = "REST" + QString(247, u'1') + ".TXT";
  writeBytes(table(1) + longName, "pas un résultat\r\n");
  // Not valid UTF-8: no name the program can spell reaches it.
  const QByteArray badName = QFile::encodeName(table(2)) + "REST\xff.TXT";
  const int fd = ::open(badName.constData(), O_WRONLY | O_CREAT, 0644);
  ASSERT_GE(fd, 0);
  const QByteArray line = resultLine(firstSlotAt(2), "N 3SN= RC");
  ASSERT_EQ(::write(fd, line.constData(), static_cast<size_t>(line.size())), line.size());
  ::close(fd);
  for (int pass = 1; pass <= 30; ++pass) ImportTabletResults();
  EXPECT_EQ(referee, QStringList({"20:00:00 - Table 2; le nom du fichier " + table(2) + "REST\uFFFD.TXT n'est pas lisible "
                                  "(caractères non UTF-8): le fichier est laissé tel quel et n'est pas lu.",
                                  "20:00:00 - Table 1; impossible de lire le résultat du fichier " + table(1) + longName +
                                      ": il ne peut pas être renommé en \".BAD\" (erreur 36). Le fichier est laissé tel "
                                      "quel et n'est plus lu."}));
  EXPECT_TRUE(QFileInfo::exists(table(1) + longName));
  EXPECT_EQ(::access(badName.constData(), F_OK), 0);
  EXPECT_EQ(ResultScore[firstSlotAt(2)], kScoreNone);
}
