// A whole BridgeMates evening: the tournament started with its database and
// the control program, every result keyed by the scorers and collected by
// the menu's timer, a correction typed at the desk sent back, then the
// program gone and the tournament reloaded from its files.
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "core/State.h"
#include "core/TournamentFiles.h"
#include "devices/BridgeMatesControl.h"
#include "devices/SessionDatabase.h"
#include "devices/TableStates.h"
#include "devices/TabletFiles.h"
#include "flows/Reload.h"
#include "flows/TournamentMenu.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "scoring/ResultFiles.h"
#include "scoring/ScoreSheet.h"
#include "support/BridgeMatesScorers.h"
#include "support/devices/BridgeMatesTournament.h"
#include "support/TestState.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

using testing_support::BridgeMatesScorers;

class BridgeMatesEveningTest : public testing_support::TalvaronTest {
 protected:
  void TearDown() override {
    platform::SystemProcesses().stop("BMPro.EXE");
    CloseSessionDatabase();
    TalvaronTest::TearDown();
  }
  ui::ScriptedInteraction talk;
  platform::MemoryRegistry registry;
};

TEST_F(BridgeMatesEveningTest, EveryResultKeyedAtTheTablesIsRankedAndSurvivesAReload) {
  registry.createKey(platform::kBridgeMatesSettingsKey);
  const QString exe = programDir() + "BMPro.EXE";
  ASSERT_TRUE(QFile::copy(testing_support::BuiltControlStandIn(), exe));
  QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

  // The start of play: files, database, strip, control program, timer.
  SetDateGlobals();
  DateText = "07/12/2026";
  TournamentName = "Tournoi du Lundi 07/12/2026";
  testing_support::SetUpBridgeMatesMitchell(3, 2);
  SaveTournamentAll();
  talk.messages.clear();  // no ranking yet: the session file is not written
  testing_support::CreateMitchellDatabase(programDir());
  for (int t = 1; t <= 3; ++t) QDir().mkpath(TableFolder(t));
  ShowTableStatusStrip();
  RestartBridgeMatesControl();
  StartBridgeMatesRetrieval();
  ASSERT_TRUE(menuView().timerEnabled);
  QElapsedTimer clock;
  clock.start();
  while (!platform::SystemProcesses().isRunning("BMPro.EXE") && clock.elapsed() < 5000) QThread::msleep(20);
  EXPECT_TRUE(platform::SystemProcesses().isRunning("BMPro.EXE"));

  // The scorers key every result, round by round; the timer collects.
  BridgeMatesScorers scorers(BwsFileName);
  const char* strains[] = {"S", "H", "NT"};
  const char* results[] = {"=", "+1", "-1", "+2"};
  for (int r = 1; r <= 3; ++r) {
    for (int s = 1; s <= ResultSlotCount; ++s)
      if (ResultRound[s] == r)
        scorers.enterResult(ResultTable[s], r, ResultBoard[s], ResultNsPair[s], ResultEwPair[s] - 3, s % 2 ? "N" : "E",
                            QString("%1 %2").arg(s % 3 + 2).arg(strains[s % 3]), results[s % 4], "SA");
    CollectionTick();
  }
  EXPECT_TRUE(talk.messages.isEmpty()) << talk.messages.join('\n').toStdString();
  EXPECT_EQ(ResultsEntered, 18);
  for (int t = 1; t <= 3; ++t) EXPECT_EQ(tableStatusStrip().states[t], TableFinished);
  double northSouth = 0;
  for (int p = 1; p <= 3; ++p) northSouth += PairFinalScore[p];
  EXPECT_NEAR(northSouth, 150.0, 0.01);

  // A correction typed at the desk on board 1 reaches the database, and the
  // next tick leaves it alone.
  ScoreSheet sheet;
  sheet.layOut(1);
  int line = 1;
  while (sheet.slotOfLine(line) != 1) ++line;
  sheet.setCurrentLine(line);
  talk.answer(1);
  ASSERT_TRUE(sheet.validate("3SN=", EntryColumn::Result));
  CollectionTick();
  EXPECT_EQ(ResultContract[1], "3SN=");
  const QVariantMap sent = scorers.rows("ReceivedData").last();
  EXPECT_EQ(sent["Contract"], "3 NT ");
  EXPECT_EQ(sent["Result"], "=");
  EXPECT_EQ(sent["Remarks"], "Morvel");
  EXPECT_EQ(sent["Processed"].toInt(), 1);

  // The program is gone: every result comes back from the files.
  QList<QPair<QString, int>> held;
  for (int s = 1; s <= 18; ++s) held.append({ResultContract[s], ResultScore[s]});
  platform::SystemProcesses().stop("BMPro.EXE");
  testing_support::resetGlobals();
  SetDateGlobals();
  TableDevicesMode = BridgeMatesMode = true;
  ASSERT_TRUE(ReloadTournament("20261207"));
  for (int s = 1; s <= 18; ++s) {
    EXPECT_EQ(ResultContract[s], held[s - 1].first) << s;
    EXPECT_EQ(ResultScore[s], held[s - 1].second) << s;
  }
}
