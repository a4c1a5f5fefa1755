// A whole evening with tablets: the tournament started, the stand-in server
// running, every table playing through the helper, the menu's timer
// collecting, the ranking and result files written; then the program killed
// and the tournament reloaded with every result there.
#include "core/Counts.h"
#include "core/Flows.h"
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "flows/Reload.h"
#include "flows/StartScreen.h"
#include "flows/StartTournament.h"
#include "flows/TournamentMenu.h"
#include "platform/Process.h"
#include "platform/TextFiles.h"
#include "setup/PairsEntry.h"
#include "support/devices/TabletTables.h"
#include "support/TestState.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

using testing_support::readBytes;

class TabletSessionTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    for (const QString& standIn :
         {testing_support::BuiltTabletServerStandIn(), testing_support::BuiltTabletCompanionStandIn()}) {
      const QString exe = programDir() + standIn.section('/', -1);
      ASSERT_TRUE(QFile::copy(standIn, exe));
      QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
  }
  void TearDown() override {
    platform::SystemProcesses system;
    system.stop("PCQuillmarkeServer.EXE");
    system.stop("TABLOSSE.EXE");
    flowWindows().showTournamentMenu = nullptr;
    menuView() = TournamentMenuView{};
    flowWindows().showPairsEntry = nullptr;
    TalvaronTest::TearDown();
  }
  // Waits until the stand-in has logged its start.
  bool started(const QString& name) {
    QElapsedTimer clock;
    clock.start();
    while (!readBytes(programDir() + name + "-arguments.txt").startsWith("start\n") && clock.elapsed() < 5000)
      QThread::msleep(20);
    return platform::SystemProcesses().isRunning(name + ".EXE");
  }
};

TEST_F(TabletSessionTest, AnEveningWithTabletsFromTheStartToTheReload) {
  TableDevicesMode = TabletsMode = true;
  TournamentCode = "SOIR";
  for (int s = 1; s <= 6; ++s) {
    PairNumbers[s] = s <= 3 ? s : -(s - 3);
    Player1Names[s] = QString("Nom%1").arg(s);
    Player2Names[s] = QString("Autre%1").arg(s);
    PairLabels[s] = Player1Names[s] + " - " + Player2Names[s];
  }
  PairCount = PairSlotCount = 6;
  TableCount = ResultsPerBoard = 3;
  FillPairsGrids();
  flowWindows().showTournamentMenu = [] {};
  PbnOption = 3;  // no deals to import
  {
    ui::ScriptedInteraction talk;
    talk.answer(1).answerText("2").answerText("3");  // standard Mitchell, 2 boards a table, 3 rounds
    StartTournament();
    EXPECT_TRUE(talk.allAnswered());
  }
  ASSERT_EQ(ResultSlotCount, 18);
  EXPECT_TRUE(started("PCQuillmarkeServer"));
  EXPECT_TRUE(started("TABLOSSE"));
  EXPECT_TRUE(menuView().timerEnabled);
  EXPECT_EQ(menuView().timerInterval, 500);

  const QStringList contracts = {"N 3SN= RC", "E 2PE-1 AP", "S 4CS+1", "O 1KO=", "N PASSE", "S 3SS-2 10T"};
  testing_support::TabletTables tables;
  EXPECT_EQ(tables.playEveryTable([&](int slot) { return contracts[slot % contracts.size()]; }), 18);
  ui::ScriptedInteraction quiet;
  for (int tick = 0; tick < 3; ++tick) CollectionTick();
  for (int t = 1; t <= 3; ++t) EXPECT_TRUE(tables.pendingResults(t).isEmpty());
  EXPECT_TRUE(quiet.messages.isEmpty());
  EXPECT_EQ(ResultsEntered, 18);
  EXPECT_EQ(menuView().resultsCounter, "18/18");
  EXPECT_TRUE(FrequenciesComputed);
  for (int p = 1; p <= 6; ++p) EXPECT_GT(RankingOrder[p], 0);
  const QString q = documentsDir() + "/Quillmarke/";
  EXPECT_TRUE(readBytes(q + "RESULTS.TXT").contains("Nom1"));
  EXPECT_TRUE(readBytes(q + "SEANCE.TXT").contains("Nom1"));
  EXPECT_TRUE(QFile::exists(q + "DONNE6.TXT"));
  EXPECT_TRUE(QFile::exists(dataDir() + "SOIR.SEA"));
  EXPECT_EQ(platform::readTextLines(dataDir() + "SOIR.LOG").size(), 18);

  QStringList stored;
  for (int s = 1; s <= 18; ++s) stored << QString("%1 %2 %3 %4").arg(ResultContract[s], ResultLead[s], ResultDeclarer[s]).arg(ResultScore[s]);

  // The program dies: nothing of the memory survives, the files do.
  testing_support::resetGlobals();
  ProgramFolder = programDir();
  DataFolder = dataDir();
  ui::ScriptedInteraction reload;
  ASSERT_TRUE(ReloadTournament("SOIR"));
  QStringList reloaded;
  for (int s = 1; s <= 18; ++s)
    reloaded << QString("%1 %2 %3 %4").arg(ResultContract[s], ResultLead[s], ResultDeclarer[s]).arg(ResultScore[s]);
  EXPECT_EQ(reloaded, stored);
  CountResumedTournament();
  EXPECT_EQ(ResultsEntered, 18);
}
