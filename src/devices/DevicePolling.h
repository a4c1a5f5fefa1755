#pragma once
// What one tick of the tournament menu's collection timer reads from the
// table devices and the state it keeps between ticks, and the silent
// recomputation after a device import.

// One BridgeMates poll: table states, player numbers, deals and results of
// the session database, then, when tablets were added, the tablets' files.
void PollTableDevices();
// The state the collection keeps between ticks, cleared at start-up: the
// tablets' result file that failed to read and its count, the locked polls
// of the database, the rows of ReceivedData left unread, the strip's squares.
void ClearDevicePollingState();
// Frequencies computed as the collection computes them (ComputeFrequenciesSilently:
// no window, a board still in play not ventilated), then the result files
// and the per-board files.
void RefreshFrequenciesForDevices();
// Results computed, then the result files, the per-board files and the
// session file.
void RefreshResultsForDevices();

// The readers of the BridgeMates' session database are in
// devices/TableStates.h and devices/BridgeMatesImport.h.
