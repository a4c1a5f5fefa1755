#pragma once
// The start of a new tournament, run by the OK of the pair-names window:
// pairs read back, movement chosen, result slots sized, BYE found, pairs and
// result files written, tournament menu shown; with table devices, the
// devices' files, deals, servers and collection timer.
#include <QString>

#include <functional>

void StartTournament();

// The windows and device work StartTournament drives. Each is set by the
// window or the part of the program that provides it; until then a window
// step does nothing, except the menu, which says it is not available yet,
// and a device step does nothing.
struct StartTournamentServices {
  std::function<void()> hidePairsWindow;       // the pair-names window hidden
  std::function<void()> storePairsGrid;        // the grids read back into the pair slots
  std::function<void()> showPairsWindowAgain;  // grids redrawn, focus on the players, nothing selected
  std::function<void()> showTournamentMenu;    // the menu shown, its Button3 focused
  std::function<void()> showTableStrip;        // BridgeMates: the table states beside the menu
  std::function<void()> createBws;             // BridgeMates: the tournament's database
  std::function<void()> writeBridgeMatesTabletFiles;
  std::function<void()> writeTabletFiles;      // the tablets' session files
  std::function<void()> importPbnDeals;
  std::function<void()> startTabletServer;
  std::function<void()> restartBridgeMatesControl;
  std::function<void(int intervalMs)> startCollectionTimer;
};
StartTournamentServices& startTournamentServices();
