#pragma once
// The one way up. A lower floor that must tell the program's flows something
// (a screen to show or hide, the counters to refresh, the next step of the
// evening) calls through this face, which the flows fill at start
// (InstallFlows) and the windows fill as they are created. No lower
// floor ever includes a flow's header.
#include <QHash>
#include <QString>
#include <QStringList>

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
  // The menu's two counters shown as given (ShowCounters gives the counts).
  std::function<void(const QString& players, const QString& results)> showCounters;
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

// What the results window shows.
struct ResultsView {
  bool patton = false;
  bool merged = true;  // one list (Memo1 covers Memo2) or N/S and E/W lists
  QString label1;      // title of Memo1
  QString label2;      // title of Memo2
  QString label3;      // scoring method
  QString label4;      // tournament line
  QStringList memo1;
  QStringList memo2;
};

// A window shown without waiting (ui::ShowNotice): show(text) and hide().
struct NoticeWindow {
  std::function<void(const QString&)> show;
  std::function<void()> hide;
};

// The windows the flows and the routines of the lower floors show, filled by
// each window when it is created (or installed) and emptied when it goes; an
// empty one does nothing (or says that the feature is not there, where the
// caller says so).
struct FlowWindows {
  std::function<void()> showStartScreen;
  std::function<void()> hideStartScreen;
  std::function<void()> showParametersWindow;
  std::function<void()> hideParametersWindow;
  std::function<void()> showFederationSummary;
  std::function<void()> showTournamentMenu;
  std::function<void()> hideTournamentMenu;
  std::function<void()> refreshMenu;
  std::function<void()> enterTableSheets;
  std::function<void()> showTravellerEntry;
  std::function<void()> showPairChanges;  // the menu's pair names, filled then shown
  // The pair-names window of a new tournament: shown with the focus on the
  // player list, hidden, its grids and player list redrawn from the data.
  std::function<void()> showPairsEntry;
  std::function<void()> hidePairsEntry;
  std::function<void()> refreshPairsEntry;
  std::function<void()> refreshPlayerList;  // the free names changed
  // The pair-names window beside the menu, and the team names beside it.
  std::function<void()> bringPairChangesForward;
  std::function<void()> hidePairChanges;
  std::function<void()> refreshPairChanges;
  std::function<void()> showTeamNames;
  std::function<void()> hideTeamNames;
  std::function<void(const ResultsView&)> showResults;  // without blocking
  // The windows shown without waiting, by form name.
  QHash<QString, NoticeWindow> notices;
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
