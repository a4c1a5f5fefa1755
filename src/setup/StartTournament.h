#pragma once
// The start of a new tournament, run by the OK of the pair-names window:
// pairs read back, movement chosen, result slots sized, BYE found, pairs and
// result files written, tournament menu shown; with table devices, the
// devices' files, deals, servers and collection timer.
#include <QString>

#include <functional>

void StartTournament();

// The device work of other parts that StartTournament drives. Each is set by
// the part of the program that provides it; until then the step does nothing.
struct StartTournamentServices {
  std::function<void()> showTableStrip;        // BridgeMates: the table states beside the menu
};
StartTournamentServices& startTournamentServices();
