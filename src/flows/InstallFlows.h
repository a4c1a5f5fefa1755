#pragma once
// The flows' side of the one way up (core/Flows.h).

// Fills the steps a lower floor may ask of the flows, and adds the menu's
// counters to the listeners of the results' news (core/ResultNews.h). Run
// once at start, in the program and in every test executable, before the
// first window opens. The stop of the companions before a fatal stop is
// installed apart (InstallCompanionStopper), by the program only.
void InstallFlows();
