#pragma once
// Counts and checks on the pair slots.

// Number of pair slots 1..42 holding a pair; none shows "Aucune paire introduite!".
int CountPairs();
