#pragma once
// Files the program keeps for the tablets' server in the exchange folder:
// the counters file "nPLAY_RECUP.TXT" and one pair-name file per pair; and
// the check that a folder of the exchange folder is a real one.
#include <QString>


// Writes TabletSharedFolder + "/nPLAY_RECUP.TXT": PlayersNamed,
// PlayersExpected, ResultsEntered and ResultSlotCount on one line. Nothing
// while the exchange folder is not set.
void WriteRecoveryCounters();
// Results entered 0; players expected 2 x the pairs (the BYE pair left out);
// players named 0, or all of them when the names were entered in the program.
// The menu shows the new counters.
void ResetCounters();
// The name of the pair-name file of pair number n: "N3.TXT" / "E2.TXT" in
// Mitchell numbering, else "P3.TXT" / "P9.TXT" (E/W pair k is ResultsPerBoard + k).
QString PairNameFileName(int pairNumber);
// With table devices: TabletSeriesFolder + "1/NomsPaires/" gets one file per
// pair slot 1..PairCount holding its label, without line end.
void WritePairNameFiles();

// The folder of table t: TabletSeriesFolder + "1/Table" + t (no "/" at the end).
QString TableFolder(int table);
// The evening's series folder: TabletSeriesFolder and the series' number (no "/" at the end).
QString SeriesFolder();
// The file that says the director settled a board of a table at the desk:
// "ARBITRE<board>.TXT" of the table's folder (whether it exists or not). It
// holds his result in words for the players; the tables' server refuses the
// board to the table while it is there.
QString SettledBoardFile(int table, int board);
// Whether the slot's board is settled at its table (a tablets evening only).
bool BoardSettled(int slot);

// True when folder, inside the exchange folder (TabletSharedFolder), can be
// used: every entry between the exchange folder and it (the series folder,
// a table folder, "Diagrammes", "NomsPaires") is a real folder, or missing
// (it is then created as one). An entry that is a link, or anything else
// than a folder, makes it unusable: nothing is read, written, renamed or
// deleted through it, and the referee is told once about that entry. The
// exchange folder itself may be a link. A folder outside it is not judged
// (true); no exchange folder set yet gives false.
bool TabletFolderIsReal(const QString& folder);
