#include "core/Flows.h"

#include "core/DeviceEchoes.h"
#include "core/ResultNews.h"

#include <string>

NotInstalledError::NotInstalledError(const char* face)
    : std::logic_error(std::string("Rien d'installé pour ") + face + ". L'opération n'a pas été faite.") {}

FlowSteps& flowSteps() {
  static FlowSteps steps;
  return steps;
}

FlowWindows& flowWindows() {
  static FlowWindows windows;
  return windows;
}

QStringList EmptyFaces() {
  QStringList empty;
  const auto check = [&empty](const auto& face) {
    if (!face) empty << QString::fromUtf8(face.name());
  };
  const FlowSteps& s = flowSteps();
  check(s.quitProgram);
  check(s.reloadTournament);
  check(s.startTournament);
  check(s.runGeneralOptions);
  check(s.recomputeAndSaveResults);
  check(s.recountMenuCounters);
  check(s.showCounters);
  check(s.startTabletRetrieval);
  check(s.startBridgeMatesRetrieval);
  check(s.startTabletServer);
  check(s.collectionRunning);
  check(s.pauseMenuForWork);
  check(s.resumeMenuAfterWork);
  check(s.stopCompanions);
  const FlowWindows& w = flowWindows();
  check(w.showStartScreen);
  check(w.hideStartScreen);
  check(w.showParametersWindow);
  check(w.hideParametersWindow);
  check(w.showFederationSummary);
  check(w.showTournamentMenu);
  check(w.hideTournamentMenu);
  check(w.refreshMenu);
  check(w.enterTableSheets);
  check(w.showTravellerEntry);
  check(w.showPairChanges);
  check(w.showPairsEntry);
  check(w.hidePairsEntry);
  check(w.refreshPairsEntry);
  check(w.bringPairChangesForward);
  check(w.hidePairChanges);
  check(w.refreshPairChanges);
  check(w.showTeamNames);
  check(w.hideTeamNames);
  check(w.showResults);
  check(w.showMovement);
  check(w.showArrowSwitchReminder);
  check(w.showCumulativeEnd);
  check(w.printText);
  check(w.printHandRecords);
  check(w.showAnalysisProgress);
  check(w.openPairRecap);
  check(w.fillPairRecap);
  check(w.closePairRecap);
  check(w.redrawTableStrip);
  check(w.placeTableStrip);
  check(w.hideTableStrip);
  if (!DeviceEchoesInstalled()) empty << QStringLiteral("deviceEchoes()");
  for (const char* listener : {kMenuCountersListener, kTableDevicesListener})
    if (!ResultListenerAdded(listener)) empty << QString::fromUtf8(listener);
  return empty;
}

namespace {

void showIfThere(const Face<void()>& window) {
  if (window) window();
}

}  // namespace

void ShowStartScreen() { showIfThere(flowWindows().showStartScreen); }
void HideStartScreen() { showIfThere(flowWindows().hideStartScreen); }
void ShowTournamentMenu() { showIfThere(flowWindows().showTournamentMenu); }
void HideTournamentMenu() { showIfThere(flowWindows().hideTournamentMenu); }
void RefreshMenu() { showIfThere(flowWindows().refreshMenu); }
