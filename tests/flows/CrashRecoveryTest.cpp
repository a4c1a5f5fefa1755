// A tournament whose results are saved one by one by a separate process that
// is killed (SIGKILL) at chosen moments, also inside a save, and restarted:
// every result saved before a kill reloads, and no file is damaged.
#include "core/Globals.h"
#include "core/SafeFiles.h"
#include "core/State.h"
#include "core/TournamentFiles.h"
#include "flows/Reload.h"
#include "platform/TextFiles.h"
#include "scoring/ResultFiles.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSet>
#include <QThread>

#include <csignal>
#include <cstdio>

using testing_support::readBytes;

namespace {

constexpr int kTables = 10;
constexpr int kBoards = 20;
const QString kCode = QStringLiteral("CRASH");

int ExpectedScore(int slot) { return (slot * 370) % 2000 - 1000; }
QString ExpectedContract(int slot) { return QStringLiteral("%1SE+1").arg(slot % 7 + 1); }

class CrashRecoveryTest : public testing_support::TalvaronTest {
 protected:
  // The device settings under which the tournament is played and reloaded.
  static void playWithTablets() {
    ResumeChosen = 1;
    TableDevicesMode = TabletsMode = true;
  }

  static void buildTournament() {
    TournamentCode = kCode;
    for (int t = 1; t <= kTables; ++t) {
      PairNumbers[t] = t;
      PairNumbers[kTables + t] = -t;
    }
    for (int p = 1; p <= 2 * kTables; ++p) {
      Player1Names[p] = QStringLiteral("JOUEUR %1").arg(p);
      Player2Names[p] = QStringLiteral("PARTENAIRE %1").arg(p);
      PairLabels[p] = Player1Names[p] + " - " + Player2Names[p];
    }
    PairCount = 2 * kTables;
    ResultsPerBoard = TableCount = kTables;
    BoardCount = DealCount = kBoards;
    BoardsPerTable = 2;
    RoundCount = RoundsScheduled = RoundsPlayed = kBoards / 2;
    DateText = "07/12/2026";
    TournamentName = "Simultane";
    ResultSlotCount = kTables * kBoards;
    for (int s = 1; s <= ResultSlotCount; ++s) {
      TestSlots().nsPair[s] = (s - 1) % kTables + 1;
      TestSlots().ewPair[s] = kTables + (s - 1) % kTables + 1;
      TestSlots().board[s] = (s - 1) / kTables + 1;
      TestSlots().table[s] = TestSlots().nsPair[s];
      TestSlots().round[s] = (TestSlots().board[s] + 1) / 2;
      TestSlots().score[s] = kScoreNone;
    }
    for (int d = 1; d <= kBoards; ++d) DealDiagrams[d] = QStringLiteral("Donne %1\r\nP  A R D V\r\n").arg(d).repeated(15);
  }
};

// The process that is killed: it saves the results still missing one by one,
// saying "saved <slot>" once each save is complete.
TEST_F(CrashRecoveryTest, ChildProcessStoresResultsOneByOne) {
  const QString data = qEnvironmentVariable("TALVARON_CRASH_DATA");
  if (data.isEmpty()) GTEST_SKIP() << "started by the crash recovery test only";
  DataFolder = data;
  const int insideSaveAt = qEnvironmentVariableIntValue("TALVARON_CRASH_INSIDE_SAVE_AT");
  playWithTablets();
  if (platform::fileExists(DataFolder + kCode + ".PAI")) {
    ASSERT_TRUE(ReloadTournament(kCode));
  } else {
    buildTournament();
    SaveTournamentAll();
  }
  std::printf("ready\n");
  std::fflush(stdout);
  for (int s = 1; s <= ResultSlotCount; ++s) {
    if (ResultScore[s] != kScoreNone) continue;
    TestSlots().score[s] = ExpectedScore(s);
    TestSlots().contract[s] = ExpectedContract(s);
    TestSlots().lead[s] = "RC";
    TestSlots().declarer[s] = "S";
    if (s == insideSaveAt) {
      // Half of the new results file written, more than the writer keeps in
      // memory, and the process stopped there.
      TextFile f;
      SafeRewrite(f, DataFolder + kCode + ".VAR");
      const QString text = ResultsFileText();
      f.write(text.left(text.size() / 2).repeated(40));
      std::printf("inside %d\n", s);
      std::fflush(stdout);
      for (;;) QThread::msleep(1000);
    }
    std::printf("saving %d\n", s);
    std::fflush(stdout);
    if (s % 10 == 0)
      SaveTournamentAll();
    else
      SaveResults();
    std::printf("saved %d\n", s);
    std::fflush(stdout);
  }
  std::printf("done\n");
}

struct Kill {
  QByteArray when;  // the line after which the process is killed
  int count;        // the how-many-th such line of the run
  int insideSaveAt = 0;
};

TEST_F(CrashRecoveryTest, EveryResultSavedBeforeAKillIsThereAfterTheRestartAndNoFileIsDamaged) {
  const QString exe = QCoreApplication::applicationFilePath();
  QSet<int> saved;
  QMap<QString, QByteArray> fixedFiles;
  int lastSaved = 0;
  const Kill kills[] = {{"saved", 6},  {"saving", 3},  {"inside", 1, -1}, {"saving", 1}, {"saved", 11},
                        {"saving", 9}, {"inside", 1, -2}, {"saved", 1},    {"saving", 2}, {"saving", 5},
                        {"saving", 10}, {"saving", 4}, {"saving", 7}};
  for (const Kill& kill : kills) {
    SCOPED_TRACE((kill.when + QByteArray::number(kill.count)).toStdString());
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TALVARON_CRASH_DATA", dataDir());
    // Inside the save of the second or third result still missing.
    const int insideAt = kill.insideSaveAt == 0 ? 0 : lastSaved - kill.insideSaveAt + 1;
    env.insert("TALVARON_CRASH_INSIDE_SAVE_AT", QString::number(insideAt));
    run.setProcessEnvironment(env);
    run.start(exe, {"--gtest_filter=CrashRecoveryTest.ChildProcessStoresResultsOneByOne"});
    ASSERT_TRUE(run.waitForStarted(10000));

    int seen = 0;
    bool killed = false;
    QByteArray output;
    const auto takeLine = [&](const QByteArray& line) {
      output += line;
      if (line.startsWith("saved ")) {
        const int slot = line.mid(6).trimmed().toInt();
        saved.insert(slot);
        lastSaved = std::max(lastSaved, slot);
      }
      return line.startsWith(kill.when);
    };
    while (!killed && run.state() != QProcess::NotRunning) {
      if (!run.canReadLine() && !run.waitForReadyRead(20000)) break;
      while (run.canReadLine())
        if (takeLine(run.readLine()) && ++seen == kill.count) {
          ::kill(static_cast<pid_t>(run.processId()), SIGKILL);
          killed = true;
          break;
        }
    }
    ASSERT_TRUE(killed) << output.constData() << run.readAllStandardError().constData();
    ASSERT_TRUE(run.waitForFinished(20000));
    EXPECT_EQ(run.exitStatus(), QProcess::CrashExit);
    // Lines written before the kill were complete saves too.
    while (run.canReadLine()) takeLine(run.readLine());
    if (fixedFiles.isEmpty())
      for (const char* ext : {".DAT", ".PAI", ".MUL"}) fixedFiles[ext] = readBytes(dataDir() + kCode + ext);

    // Restarted: the tournament reloads whole.
    testing_support::resetGlobals();
    playWithTablets();
    ASSERT_TRUE(ReloadTournament(kCode));
    ASSERT_EQ(ResultSlotCount, kTables * kBoards);
    for (int s = 1; s <= ResultSlotCount; ++s) {
      if (saved.contains(s)) {
        EXPECT_EQ(ResultScore[s], ExpectedScore(s)) << "slot " << s;
        EXPECT_EQ(ResultContract[s], ExpectedContract(s)) << "slot " << s;
        EXPECT_EQ(ResultLead[s] + ResultDeclarer[s], "RCS") << "slot " << s;
      } else if (ResultScore[s] != kScoreNone) {
        // A save that completed just before the kill, before it could say so.
        EXPECT_EQ(ResultScore[s], ExpectedScore(s)) << "slot " << s;
      }
      EXPECT_EQ(ResultNsPair[s], (s - 1) % kTables + 1) << "slot " << s;
    }
    EXPECT_EQ(DealDiagrams[kBoards], QStringLiteral("Donne %1\r\nP  A R D V\r\n").arg(kBoards).repeated(15));
    for (auto f = fixedFiles.cbegin(); f != fixedFiles.cend(); ++f)
      EXPECT_EQ(readBytes(dataDir() + kCode + f.key()), f.value()) << f.key().toStdString();
  }
  EXPECT_GE(saved.size(), 20);
}

}  // namespace
