#pragma once
// The one way up. A lower floor that must tell the program's flows something
// (a screen to show or hide, the counters to refresh, the next step of the
// evening) calls through this face, which the flows fill at start
// (InstallFlows) and the flows' windows fill as they are created. No lower
// floor ever includes a flow's header.
#include <QString>

#include <functional>

// The steps the flows run for a lower floor. All of them are filled by
// InstallFlows before the first window opens (in the program and in every
// test executable).
struct FlowSteps {
  std::function<void()> quitProgram;                     // the confirmed, orderly quit
  std::function<bool(const QString& code)> reloadTournament;
  std::function<void()> startTournament;                 // the pair names' OK
  std::function<void()> runGeneralOptions;
  std::function<void()> recomputeAndSaveResults;
  std::function<void()> recountMenuCounters;             // counted from the slots, then shown
  std::function<void()> startTabletRetrieval;
  std::function<void()> startBridgeMatesRetrieval;
  std::function<void()> startTabletServer;              // a resumed tournament's tablets
  std::function<bool()> collectionRunning;               // the collection timer is on
  // A long piece of work stops the collection and says so on the menu;
  // resume gives the menu back as it was.
  std::function<void()> pauseMenuForWork;
  std::function<void()> resumeMenuAfterWork;
  std::function<void()> stopCompanions;                  // before a fatal stop
};
FlowSteps& flowSteps();

// The windows the flows show, filled by each window when it is created and
// emptied when it goes; an empty one does nothing (or says that the feature
// is not there, where the caller says so).
struct FlowWindows {
  std::function<void()> showStartScreen;
  std::function<void()> hideStartScreen;
  std::function<void()> showParametersWindow;
  std::function<void()> showFederationSummary;
  std::function<void()> showTournamentMenu;
  std::function<void()> hideTournamentMenu;
  std::function<void()> refreshMenu;
  std::function<void(const QString& players, const QString& results)> showCounters;
  std::function<void()> enterTableSheets;
  std::function<void()> showTravellerEntry;
  std::function<void()> showPairChanges;
  std::function<void()> showMovement;
  std::function<void()> showArrowSwitchReminder;
  std::function<void()> showCumulativeEnd;  // beside the hidden menu
};
FlowWindows& flowWindows();

// The screens shown and hidden; each does nothing until its window is there.
void ShowStartScreen();
void HideStartScreen();
void ShowTournamentMenu();
void HideTournamentMenu();
void RefreshMenu();
