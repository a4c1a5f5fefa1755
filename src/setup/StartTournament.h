#pragma once
// The start of a new tournament, run by the OK of the pair-names window:
// pairs read back, movement chosen, result slots sized, BYE found, pairs and
// result files written, tournament menu shown; with table devices, the
// devices' files, deals, servers and collection timer.
#include <QString>

#include <functional>

void StartTournament();

// The device work StartTournament drives. Each is set by the part of the
// program that provides it; until then a device step does nothing.
struct StartTournamentServices {
  std::function<void()> showTableStrip;        // BridgeMates: the table states beside the menu
  std::function<void()> writeBridgeMatesTabletFiles;
  std::function<void()> writeTabletFiles;      // the tablets' session files
  std::function<void()> importPbnDeals;
  std::function<void()> startTabletServer;
};
StartTournamentServices& startTournamentServices();
