#pragma once
// The start of a new tournament, run by the OK of the pair-names window:
// pairs read back, movement chosen, result slots sized, BYE found, pairs and
// result files written, tournament menu shown; with table devices, the
// devices' files, deals, servers and collection timer.

void StartTournament();
