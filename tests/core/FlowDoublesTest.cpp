// Below the flows, the steps a routine asks of them are doubles: none of them
// may be empty (an empty step throws std::bad_function_call in the routine),
// and the counters' recount keeps its promise, counting the slots again.
#include "core/Flows.h"
#include "core/Globals.h"
#include "support/FlowDoubles.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

using testing_support::flowCalls;

class FlowDoublesTest : public testing_support::TalvaronTest {
 protected:
  void TearDown() override {
    flowSteps().showCounters = nullptr;
    TalvaronTest::TearDown();
  }
};

TEST_F(FlowDoublesTest, EveryStepButTheCompanionsStopperAnswersAndNotesItsName) {
  FlowSteps& s = flowSteps();
  s.quitProgram();
  EXPECT_FALSE(s.reloadTournament("LUNDI"));
  s.startTournament();
  s.runGeneralOptions();
  s.recomputeAndSaveResults();
  s.recountMenuCounters();
  s.startTabletRetrieval();
  s.startBridgeMatesRetrieval();
  s.startTabletServer();
  EXPECT_FALSE(s.collectionRunning());
  s.pauseMenuForWork();
  s.resumeMenuAfterWork();
  EXPECT_FALSE(s.stopCompanions);  // the program installs its own, and only it
  EXPECT_EQ(flowCalls(), QStringList({"quitProgram", "reloadTournament LUNDI", "startTournament", "runGeneralOptions",
                                      "recomputeAndSaveResults", "recountMenuCounters", "startTabletRetrieval",
                                      "startBridgeMatesRetrieval", "startTabletServer", "collectionRunning",
                                      "pauseMenuForWork", "resumeMenuAfterWork"}));
}

TEST_F(FlowDoublesTest, TheRecountCountsTheSlotsAgainThenShowsTheCounters) {
  // Three pairs, one of them the BYE: four players expected. Four slots, one
  // without a pair and one without a score: two results.
  PairCount = 3;
  ByePresent = true;
  Player1Names[1] = "ARNAUD Paul";
  Player2Names[1] = "S2";  // a default name names nobody
  Player1Names[2] = "BLANC Marie";
  ResultSlotCount = 4;
  TestSlots().nsPair[1] = TestSlots().nsPair[2] = TestSlots().nsPair[3] = 1;
  TestSlots().score[1] = 420;
  TestSlots().score[2] = kScoreNone;
  TestSlots().score[3] = -50;
  ResultsEntered = PlayersNamed = 99;

  flowSteps().recountMenuCounters();  // nothing to show it: counted all the same
  EXPECT_EQ(ResultsEntered, 2);
  EXPECT_EQ(PlayersNamed, 2);

  QStringList shown;
  flowSteps().showCounters = [&](const QString& players, const QString& results) { shown << players << results; };
  TestSlots().score[2] = 100;
  flowSteps().recountMenuCounters();
  EXPECT_EQ(shown, QStringList({"2/4", "3/4"}));
}
