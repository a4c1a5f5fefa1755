#pragma once
// Stand-ins for the flows, for the tests of the floors below them: the flows
// are not linked there, so the steps a routine asks of them (core/Flows.h)
// are filled with doubles that only note their name. The companions'
// stopper stays empty, as the program leaves it until it installs its own.
#include <QStringList>

namespace testing_support {

// The steps asked for since the test began, by name ("recountMenuCounters").
QStringList& flowCalls();

// Fills every step but stopCompanions with a double: each notes its name in
// flowCalls() and does nothing more, but recountMenuCounters counts the slots
// again and shows the counters through flowWindows().showCounters where it is
// filled; reloadTournament answers false (no tournament reloaded),
// collectionRunning false (no collection running). Adds the menu's counters
// to the listeners of the results' news, recounting through that double
// when the flows' own listener would.
void InstallFlowDoubles();

}  // namespace testing_support
