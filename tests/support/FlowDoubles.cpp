#include "support/FlowDoubles.h"

#include "core/Counts.h"
#include "core/Flows.h"
#include "core/Globals.h"
#include "core/ResultNews.h"

namespace testing_support {

QStringList& flowCalls() {
  static QStringList calls;
  return calls;
}

namespace {

std::function<void()> noted(const char* name) {
  return [name] { flowCalls() << QLatin1String(name); };
}

}  // namespace

void InstallFlowDoubles() {
  FlowSteps& s = flowSteps();
  s.quitProgram = noted("quitProgram");
  s.reloadTournament = [](const QString& code) {
    flowCalls() << QStringLiteral("reloadTournament ") + code;
    return false;
  };
  s.startTournament = noted("startTournament");
  s.runGeneralOptions = noted("runGeneralOptions");
  s.recomputeAndSaveResults = noted("recomputeAndSaveResults");
  // The counters as the step promises them: counted again from the slots,
  // then shown where a test shows them (no menu to fall back on here).
  s.recountMenuCounters = [] {
    flowCalls() << QStringLiteral("recountMenuCounters");
    CountResumedTournament();
    ShowCounters();
  };
  s.startTabletRetrieval = noted("startTabletRetrieval");
  s.startBridgeMatesRetrieval = noted("startBridgeMatesRetrieval");
  s.startTabletServer = noted("startTabletServer");
  s.collectionRunning = [] {
    flowCalls() << QStringLiteral("collectionRunning");
    return false;
  };
  s.pauseMenuForWork = noted("pauseMenuForWork");
  s.resumeMenuAfterWork = noted("resumeMenuAfterWork");
  // The menu's counters listen to the results' news as in the program,
  // counted again through the recount's double.
  AddResultListener(MenuCountersListener());
}

}  // namespace testing_support
