// A live evening whose collection runs in a separate process, killed
// (SIGKILL) at random moments while the tables' results arrive, then resumed
// as the director resumes a tournament after a crash: every result that
// arrived is in its slot once, ".ADJ" holds exactly the splits that stand,
// and every table's echo files report what its slots hold, whether the
// results came as tablets' files or as BridgeMates rows. Once every slot is
// filled, a correction waiting at a table is collected after a resume.
#include "core/Counts.h"
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "core/TournamentFiles.h"
#include "devices/BridgeMatesCorrections.h"
#include "devices/BridgeMatesImport.h"
#include "devices/DevicePolling.h"
#include "devices/SessionDatabase.h"
#include "devices/TabletFiles.h"
#include "devices/TabletImport.h"
#include "devices/TabletLines.h"
#include "flows/Reload.h"
#include "flows/StartScreen.h"
#include "flows/TournamentMenu.h"
#include "platform/TextFiles.h"
#include "scoring/ResultFiles.h"
#include "scoring/ScoringSupport.h"
#include "support/BridgeMatesScorers.h"
#include "support/devices/BridgeMatesTournament.h"
#include "support/devices/TabletTables.h"
#include "support/TestState.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>
#include <random>

namespace {

constexpr int kTables = 4;
constexpr int kBoardsPerTable = 2;
constexpr int kKillsPerDevice = 100;
constexpr int kVerifyEvery = 4;
const QString kCode = QStringLiteral("20261207");

// Contracts whose score does not depend on the vulnerability: as the tablets
// send them, as the scorers key them, as stored, and their N/S score.
struct Played {
  const char* tablet;
  const char* declarer;
  const char* contract;
  const char* result;
  const char* stored;
  int score;
};
const Played kPlayed[] = {
    {"N 1PN=", "N", "1 S", "=", "1PN=", 80},       // 30 + 50
    {"E 2CE=", "E", "2 H", "=", "2CE=", -110},     // 60 + 50, for E/W
    {"S 1SS+1", "S", "1 NT", "+1", "1SS+1", 120},  // 40 + 30 + 50
    {"O 2KO+2", "W", "2 D", "+2", "2KO+2", -130},  // 40 + 2 x 20 + 50, for E/W
};
const std::pair<int, int> kSplits[] = {{60, 40}, {40, 60}, {55, 45}, {50, 50}, {70, 30}};

enum class Kind { Contract, Pass, Average, Arbitral, Split, Delete };

// What the slots must hold after the results that arrived: the last result
// of each slot, and the split its ".ADJ" line must give (the tablets' bare
// "AJU" keeps the split received before it).
struct Expected {
  int score = kScoreNone;
  QString contract;
  std::optional<std::pair<int, int>> line;
};

class DeviceCrashTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    const QString root = qEnvironmentVariable("TALVARON_DEVICE_CRASH_ROOT");
    if (!root.isEmpty()) useFoldersOf(root + '/');
  }
  void TearDown() override {
    scorers.reset();
    CloseSessionDatabase();
    menuView() = TournamentMenuView{};
    TalvaronTest::TearDown();
  }

  // The child works in the parent's folders.
  void useFoldersOf(const QString& root) {
    qputenv("TALVARON_PROGRAM_FOLDER", (root + "program/").toUtf8());
    qputenv("TALVARON_DOCUMENTS_FOLDER", (root + "Documents").toUtf8());
    ProgramFolder = root + "program/";
    DataFolder = root + "program/Resultats/";
    DocumentsFolder = root + "Documents";
  }

  static void deviceModes(bool bridgeMates) {
    ResumeChosen = 1;
    TableDevicesMode = true;
    BridgeMatesMode = bridgeMates;
    TabletsMode = !bridgeMates;
  }

  void buildTournament(bool bridgeMates) {
    testing_support::SetUpBridgeMatesMitchell(kTables, kBoardsPerTable);
    deviceModes(bridgeMates);
    for (int t = 1; t <= kTables; ++t) QDir().mkpath(TableFolder(t));
    if (bridgeMates) {
      testing_support::CreateMitchellDatabase(programDir());
      scorers = std::make_unique<testing_support::BridgeMatesScorers>(BwsFileName);
    }
    SaveTournamentAll();
  }

  // "Reprendre un ancien tournoi" after a crash: the files read back, the
  // counters recounted, the collection started again as the resume of a
  // tournament of today starts it (the tables sent their echoes again, the
  // servers left running) and, unless the caller leaves it to the first pass
  // that stores a result, everything recomputed.
  static void resume(bool bridgeMates, bool recompute = true) {
    testing_support::resetGlobals();
    deviceModes(bridgeMates);
    menuView() = TournamentMenuView{};
    ASSERT_TRUE(ReloadTournament(kCode));
    CountResumedTournament();
    RestartDeviceCollection(false);
    ASSERT_TRUE(menuView().timerEnabled);
    if (recompute) {
      RefreshFrequenciesForDevices();
      RefreshResultsForDevices();
    }
    ResendTableEchoes();
    if (bridgeMates) ResendBridgeMatesCorrections();
  }

  static void collect(bool bridgeMates) {
    if (bridgeMates)
      ImportBridgeMatesResults();
    else
      ImportTabletResults();
  }

  bool pending(bool bridgeMates) const {
    if (bridgeMates) {
      // The program's own rows wait for the control program, not for it.
      for (const QVariantMap& row : scorers->rows("ReceivedData"))
        if (row["Processed"].toInt() == 0 && !row["Remarks"].toString().contains("Morvel")) return true;
      return false;
    }
    for (int t = 1; t <= kTables; ++t)
      if (!tablets.pendingResults(t).isEmpty()) return true;
    return false;
  }

  // One result arriving from the table of slot s.
  void arrive(bool bridgeMates, int s, Kind kind, int pick) {
    Expected& e = expected[s];
    const int ns = ResultNsPair[s], ew = ResultEwPair[s], board = ResultBoard[s], round = ResultRound[s];
    const int table = ResultTable[s];
    const Played& p = kPlayed[pick % std::size(kPlayed)];
    const auto [a, b] = kSplits[pick % std::size(kSplits)];
    QString text;
    switch (kind) {
      case Kind::Contract:
        e = {p.score, p.stored, std::nullopt};
        text = p.tablet;
        if (bridgeMates) scorers->enterResult(table, round, board, ns, ew - kTables, p.declarer, p.contract, p.result);
        break;
      case Kind::Pass:
        e = {0, "PASSE", std::nullopt};
        text = "PASSE";
        if (bridgeMates) scorers->enterResult(table, round, board, ns, ew - kTables, "", "PASS", "");
        break;
      case Kind::Average:
        e = {kScoreAverage, bridgeMates ? "MOY." : "MOY", std::nullopt};
        text = "MOY";
        if (bridgeMates) scorers->enterResult(table, round, board, ns, ew - kTables, "", "", "", "", "Not played");
        break;
      case Kind::Arbitral:
        // The scorers' bare arbitral score leaves no line; the tablets' keeps it.
        e = {kScoreAdjusted, "AJU.", bridgeMates ? std::nullopt : e.line};
        text = "AJU";
        if (bridgeMates) scorers->enterResult(table, round, board, ns, ew - kTables, "", "", "", "", "Arbitral score");
        break;
      case Kind::Split:
        e = {kScoreAdjusted, "AJU.", std::pair{a, b}};
        text = QStringLiteral("%1 - %2").arg(a).arg(b);
        if (bridgeMates)
          scorers->enterResult(table, round, board, ns, ew - kTables, "", "", "", "",
                               QStringLiteral("%1% - %2%").arg(a).arg(b));
        break;
      case Kind::Delete:
        e = {};
        text = "N DELETE";
        if (bridgeMates) scorers->eraseResult(table, round, board, ns, ew - kTables);
        break;
    }
    if (!bridgeMates) tablets.enterResult(table, board, round, ns, ew, text);
  }

  void arriveAtRandom(bool bridgeMates) {
    const int s = 1 + static_cast<int>(rng() % ResultSlotCount);
    const int roll = static_cast<int>(rng() % 100);
    const Kind kind = roll < 50   ? Kind::Contract
                      : roll < 58 ? Kind::Pass
                      : roll < 65 ? Kind::Average
                      : roll < 73 ? Kind::Arbitral
                      : roll < 88 ? Kind::Split
                                  : Kind::Delete;
    arrive(bridgeMates, s, kind, static_cast<int>(rng() % 1000));
  }

  // The resumed tournament holds every result that arrived, once.
  void verify(const QString& when) {
    SCOPED_TRACE(when.toStdString());
    int entered = 0;
    QStringList lines;
    for (int s = 1; s <= ResultSlotCount; ++s) {
      const Expected& e = expected[s];
      EXPECT_EQ(ResultScore[s], e.score) << "slot " << s;
      EXPECT_EQ(ResultContract[s], e.contract) << "slot " << s;
      if (e.line && e.score == kScoreAdjusted) {
        EXPECT_EQ(ResultNsPercent[s], e.line->first) << "slot " << s;
        EXPECT_EQ(ResultEwPercent[s], e.line->second) << "slot " << s;
      }
      if (e.line) lines << QStringLiteral("%1 %2 %3 %4").arg(s).arg(ResultBoard[s]).arg(e.line->first).arg(e.line->second);
      if (e.score != kScoreNone) ++entered;
    }
    EXPECT_EQ(ResultsEntered, entered);
    QStringList onDisk = platform::tryReadTextLines(dataDir() + kCode + ".ADJ").value_or(QStringList{});
    onDisk.sort();
    lines.sort();
    EXPECT_EQ(onDisk.join(" | ").toStdString(), lines.join(" | ").toStdString());
  }

  // The line a table's echo holds for slot s, as stored, written out here.
  static QString echoLine(int s, int marker, const QString& lead) {
    return QStringLiteral("%1 1 %2 %3 %4 %5 %6 %7 %8 %9")
        .arg(ResultTable[s])
        .arg(marker)
        .arg(ResultBoard[s])
        .arg(ResultRound[s])
        .arg(ResultNsPair[s])
        .arg(ResultEwPair[s])
        .arg(ResultDeclarer[s], ResultContract[s], lead);
  }

  static QString firstLine(const QString& path) {
    return platform::tryReadTextLines(path).value_or(QStringList{}).value(0);
  }

  // Every table tells what its slots hold: with tablets, each board's two
  // files hold the slot's result, or tell its deletion; with BridgeMates,
  // the newest waiting file of each slot holds its result (or its deletion),
  // and an erased board is no longer in its round's list.
  void verifyEchoes(bool bridgeMates, const QString& when) {
    SCOPED_TRACE(("echoes " + when).toStdString());
    for (int s = 1; s <= ResultSlotCount; ++s) {
      const QString folder = TableFolder(ResultTable[s]) + '/';
      const bool held = ResultScore[s] != kScoreNone;
      if (!bridgeMates) {
        const QString sent = firstLine(folder + QStringLiteral("RESS%1.TXT").arg(ResultBoard[s]));
        const QString kept = firstLine(folder + QStringLiteral("RESX%1.TXT").arg(ResultBoard[s]));
        if (held) {
          // An arbitral score keeps the words the tablet sent; a result
          // without a contract played, whatever declarer letter.
          const QString head = echoLine(s, 999, "").section(' ', 0, 6) + ' ';
          QStringList forms{echoLine(s, 999, "Entame=?")};
          if (ResultContract[s] == "AJU.")
            forms << head + ResultDeclarer[s] + " AJU Entame=?"
                  << head + ResultDeclarer[s] + QStringLiteral(" %1 - %2 Entame=?").arg(ResultNsPercent[s]).arg(ResultEwPercent[s]);
          const auto heard = [s](const QString& line) {
            if (!ResultContract[s].isEmpty() && ResultContract[s].front().isDigit()) return line;
            QStringList f = line.split(' ');
            if (f.size() > 7) f[7] = ResultDeclarer[s];
            return f.join(' ');
          };
          EXPECT_TRUE(forms.contains(heard(sent)) && heard(sent) == heard(kept))
              << "slot " << s << ": " << sent.toStdString() << " / " << kept.toStdString();
        } else {
          EXPECT_TRUE(sent.isEmpty() || sent.endsWith(" DELETE Entame=?")) << "slot " << s << ": " << sent.toStdString();
          EXPECT_TRUE(kept.isEmpty() || kept.endsWith(" DELETE Entame=?")) << "slot " << s << ": " << kept.toStdString();
        }
        continue;
      }
      int newest = 0;
      QString line;
      for (int k = 1; k <= 100; ++k) {
        const QString ress = firstLine(folder + QStringLiteral("RESS%1.TXT").arg(k));
        if (!QFile::exists(folder + QStringLiteral("RESX%1.TXT").arg(k)) || ress.isEmpty()) continue;
        const QStringList f = ress.split(' ');
        if (f.value(3).toInt() == ResultBoard[s] && f.value(4).toInt() == ResultRound[s] &&
            f.value(5).toInt() == ResultNsPair[s] && f.value(6).toInt() == ResultEwPair[s]) {
          newest = k;
          line = ress;
        }
      }
      const QStringList listed =
          platform::tryReadTextLines(folder + QStringLiteral("DONNESTOUR%1.TXT").arg(ResultRound[s])).value_or(QStringList{});
      if (held) {
        // No file waiting: the table took it (the files taken away after
        // each check), and its round's list tells so.
        if (newest != 0) {
          EXPECT_EQ(line, echoLine(s, newest, ResultLead[s])) << "slot " << s;
        }
        EXPECT_TRUE(listed.contains(QString::number(ResultBoard[s]))) << "slot " << s;
      } else {
        EXPECT_TRUE(newest == 0 || line.endsWith(" DELETE ?")) << "slot " << s << ": " << line.toStdString();
        EXPECT_FALSE(listed.contains(QString::number(ResultBoard[s]))) << "slot " << s;
      }
    }
  }

  // The echoes the tablets' server would have taken away.
  void clearEchoes() {
    for (int t = 1; t <= kTables; ++t)
      for (const QString& name : QDir(TableFolder(t)).entryList({"RESS*.TXT", "RESX*.TXT"}, QDir::Files))
        QFile::remove(TableFolder(t) + '/' + name);
  }

  void evening(bool bridgeMates) {
    buildTournament(bridgeMates);
    expected.assign(ResultSlotCount + 1, Expected{});
    const QString exe = QCoreApplication::applicationFilePath();
    const QString root = QDir::cleanPath(programDir() + "..");
    const char* child = bridgeMates ? "DeviceCrashTest.ChildCollectsBridgeMatesRows"
                                    : "DeviceCrashTest.ChildCollectsTabletFiles";
    int arrived = 0;
    int killedInPass = 0;
    for (int kill = 1; kill <= kKillsPerDevice; ++kill) {
      QProcess run;
      QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
      env.insert("TALVARON_DEVICE_CRASH_ROOT", root);
      run.setProcessEnvironment(env);
      run.start(exe, {QStringLiteral("--gtest_filter=") + child});
      ASSERT_TRUE(run.waitForStarted(10000));
      QByteArray output;
      while (!output.contains("ready") && run.state() != QProcess::NotRunning && run.waitForReadyRead(20000))
        output += run.readAllStandardOutput();
      ASSERT_TRUE(output.contains("ready")) << output.constData() << run.readAllStandardError().constData();

      // A few results arrive while the child collects every 2 ms; it is
      // killed at a random moment among them or shortly after.
      const int count = 1 + static_cast<int>(rng() % 4);
      for (int i = 0; i < count; ++i) {
        arriveAtRandom(bridgeMates);
        ++arrived;
        QThread::usleep(rng() % 2500);
      }
      QThread::usleep(rng() % 6000);
      output += run.readAllStandardOutput();
      ::kill(static_cast<pid_t>(run.processId()), SIGKILL);
      ASSERT_TRUE(run.waitForFinished(20000));
      ASSERT_EQ(run.exitStatus(), QProcess::CrashExit) << run.readAllStandardError().constData();
      if (pending(bridgeMates)) ++killedInPass;

      // Every few kills (and after the last), resumed as the director would,
      // and collected until nothing is left; in between, the next child
      // resumes and takes what the killed one left.
      if (kill % kVerifyEvery == 0 || kill == kKillsPerDevice) {
        resume(bridgeMates);
        verifyEchoes(bridgeMates, QStringLiteral("resumed after kill %1").arg(kill));
        for (int pass = 0; pass < 5 && pending(bridgeMates); ++pass) collect(bridgeMates);
        ASSERT_FALSE(pending(bridgeMates));
        verify(QStringLiteral("after kill %1").arg(kill));
        verifyEchoes(bridgeMates, QStringLiteral("collected after kill %1").arg(kill));
        if (bridgeMates) clearEchoes();
        CloseSessionDatabase();
      }
      if (HasFailure()) return;
    }
    EXPECT_GE(arrived, kKillsPerDevice);
    // Kills land while results wait to be taken or are being taken.
    EXPECT_GT(killedInPass, kKillsPerDevice / 10);
    if (!HasFailure()) correctionOfAFullTournament(bridgeMates);
  }

  // Every slot filled, the program stops; a table then sends a correction.
  // The resume of the full tournament collects it at its next tick.
  void correctionOfAFullTournament(bool bridgeMates) {
    resume(bridgeMates);
    for (int s = 1; s <= ResultSlotCount; ++s)
      if (expected[s].score == kScoreNone) arrive(bridgeMates, s, Kind::Contract, s);
    for (int pass = 0; pass < 5 && pending(bridgeMates); ++pass) collect(bridgeMates);
    ASSERT_FALSE(pending(bridgeMates));
    CloseSessionDatabase();
    const int corrected = ResultSlotCount / 2;
    arrive(bridgeMates, corrected, Kind::Pass, 0);
    ASSERT_TRUE(pending(bridgeMates));

    resume(bridgeMates);
    ASSERT_EQ(ResultsEntered, ResultSlotCount);
    EXPECT_TRUE(menuView().timerEnabled);
    EXPECT_EQ(menuView().timerInterval, bridgeMates ? 1000 : 500);
    CollectionTick();
    EXPECT_FALSE(pending(bridgeMates));
    EXPECT_EQ(ResultContract[corrected], "PASSE");
    verify(QStringLiteral("correction of a full tournament"));
    verifyEchoes(bridgeMates, QStringLiteral("correction of a full tournament"));
    CloseSessionDatabase();
  }

  // The child: resumes the tournament, then collects every 2 ms until it is
  // killed (or, left alone, for 30 seconds).
  void collectUntilKilled(bool bridgeMates) {
    if (qEnvironmentVariableIsEmpty("TALVARON_DEVICE_CRASH_ROOT")) GTEST_SKIP() << "started by the kill test only";
    // The outputs wait for the first pass that stores a result: a child
    // lives a few milliseconds.
    resume(bridgeMates, false);
    std::printf("ready\n");
    std::fflush(stdout);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 30000) {
      collect(bridgeMates);
      QThread::msleep(2);
    }
  }

  std::minstd_rand rng{20261207};
  ui::ScriptedInteraction talk;
  testing_support::TabletTables tablets;
  std::unique_ptr<testing_support::BridgeMatesScorers> scorers;
  std::vector<Expected> expected;
};

TEST_F(DeviceCrashTest, ChildCollectsTabletFiles) { collectUntilKilled(false); }
TEST_F(DeviceCrashTest, ChildCollectsBridgeMatesRows) { collectUntilKilled(true); }

TEST_F(DeviceCrashTest, TabletResultsSurviveKillsAtAnyMoment) {
  if (!qEnvironmentVariableIsEmpty("TALVARON_DEVICE_CRASH_ROOT")) GTEST_SKIP();
  evening(false);
}

TEST_F(DeviceCrashTest, BridgeMatesResultsSurviveKillsAtAnyMoment) {
  if (!qEnvironmentVariableIsEmpty("TALVARON_DEVICE_CRASH_ROOT")) GTEST_SKIP();
  evening(true);
}

}  // namespace
