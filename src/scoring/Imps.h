#pragma once
// IMPs, the Butler datum of a board and victory points.
#include <QString>

// Points to IMPs on the standard scale: sign(d) x the number of thresholds
// that |d| strictly exceeds (0..24).
int ImpsFromDifference(int difference);

// IMP margin of a match to victory points on the 25-point scale of the last
// row whose boards per match is at most boardsPerMatch; below 8 boards per
// match there is no row and the margin is returned as it is.
int VictoryPointsFromImps(int margin, int boardsPerMatch);
inline constexpr int kFewestBoardsWithVictoryPoints = 8;
// The same with BoardsPerTable as the boards per match.
int VictoryPointsFromImps(int margin);

// The Butler pass over every board: ResultMatchpoints := score - datum,
// ResultNsPercent / ResultEwPercent := the N/S and E/W IMPs (negated for a
// swapped result). Averages, adjusted and missing results keep 0.
void ComputeButlerImps();

// The datum of board b as computed by the last Butler pass, as text; "9999"
// when the board has no normal result.
QString BoardDatum(int board);
