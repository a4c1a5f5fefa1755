#pragma once
// What one tick of the tournament menu's collection timer reads from the
// table devices, and the silent recomputation after a device import.

// One BridgeMates poll: table states, player numbers, deals and results of
// the session database, then, when tablets were added, the tablets' files.
void PollTableDevices();
// The frequencies computed without automatic ventilation and without any
// window (Interactive cleared); AutoVentilation is kept.
void ComputeFrequenciesSilently();
// Frequencies computed without automatic ventilation and without any window
// (the setting itself unchanged afterwards), then the result files and the
// per-board files.
void RefreshFrequenciesForDevices();
// Results computed, then the result files, the per-board files and the
// session file.
void RefreshResultsForDevices();

// The readers of the BridgeMates' session database are in
// devices/TableStates.h and devices/BridgeMatesImport.h.
