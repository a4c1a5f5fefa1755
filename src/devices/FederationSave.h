#pragma once
// The end of a federation tournament: the players, the results and (when
// FFBClubNet sent none) the deals written back into the federation's session
// database.
#include <QString>

// The whole save: the tablets' last results collected, the missing-results
// question (no: nothing is written), results computed and saved, then
// SavePlayerNumbersToSession, SaveResultsToSession and, when the database
// brought no deals, WriteHandRecords; a message names the database.
void SaveForFederation();
// The players' names and licences into the rows of PlayerNumbers that
// FFBClubNet created (none is added). A Mitchell row of table 0 that is not
// E or W stops the program; rows too few for the players are reported.
void SavePlayerNumbersToSession();
// ReceivedData replaced, in one transaction, by one row per result slot that
// holds a result of two real pairs (no BYE, no score 10000).
void SaveResultsToSession();
