#include "flows/InstallFlows.h"

#include "core/Counts.h"
#include "core/Flows.h"
#include "core/ResultNews.h"
#include "devices/Companions.h"
#include "flows/GeneralOptions.h"
#include "flows/Quit.h"
#include "flows/Reload.h"
#include "flows/StartTournament.h"
#include "flows/TournamentMenu.h"

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
  AddResultListener(MenuCountersListener());
}
