#include "flows/InstallFlows.h"

#include "core/Flows.h"
#include "core/Globals.h"
#include "core/ResultNews.h"
#include "devices/Companions.h"
#include "flows/GeneralOptions.h"
#include "flows/Quit.h"
#include "flows/Reload.h"
#include "flows/StartTournament.h"
#include "flows/TournamentMenu.h"

namespace {

// The menu's counters, counted again as the results change. The board sheet
// counts them only with the table devices, the table sheet always: the
// counters the board sheet leaves are the menu's own until it counts again.
class MenuCounters : public ResultListener {
 public:
  MenuCounters() : ResultListener(kMenuCountersListener) {}
  void resultStored(int, ResultSheet sheet, ResultOrigin) override { countFrom(sheet); }
  void resultErased(int, ResultSheet sheet) override { countFrom(sheet); }
  // The sheet stores "AJU." right after, and counts then.
  void resultAdjusted(int, const QString&) override {}
  void resultsCounted() override { RecountMenuCounters(); }

 private:
  static void countFrom(ResultSheet sheet) {
    if (sheet == ResultSheet::Table || TableDevicesMode) RecountMenuCounters();
  }
};

}  // namespace

void InstallFlows() {
  FlowSteps& s = flowSteps();
  s.quitProgram = QuitProgram;
  s.reloadTournament = ReloadTournament;
  s.startTournament = StartTournament;
  s.runGeneralOptions = RunGeneralOptions;
  s.recomputeAndSaveResults = RecomputeAndSaveResults;
  s.recountMenuCounters = RecountMenuCounters;
  s.showCounters = ShowMenuCounters;
  s.startTabletRetrieval = StartTabletRetrieval;
  s.startBridgeMatesRetrieval = StartBridgeMatesRetrieval;
  s.startTabletServer = StartTabletServer;
  s.collectionRunning = [] { return menuView().timerEnabled; };
  s.pauseMenuForWork = PauseMenuForWork;
  s.resumeMenuAfterWork = ResumeMenuAfterWork;
  static MenuCounters counters;
  AddResultListener(counters);
}
