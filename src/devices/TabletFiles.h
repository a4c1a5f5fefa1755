#pragma once
// The tablets' exchange folder under Documents ("Quillmarke"): its folders
// and the session files the tablet server reads when a tournament starts
// (series count, preferences line, rounds, sit-out list, one movement file
// per table, the players and the placeholders of the result files).
#include <QString>

// Documents + "/Quillmarke": the exchange folder, whether it exists or not.
QString TabletExchangeFolder();
// TabletSharedFolder := Documents + "/Quillmarke" (created when missing),
// TabletSeriesFolder := it + "/Serie".
void SetTabletFolders();
// The exchange folder deleted with everything in it and created again, empty.
void ClearTabletFolder();
// The folder of table t: TabletSeriesFolder + "1/Table" + t (no "/" at the end).
QString TableFolder(int table);

// The preferences line of "PREFS.TXT" (PercentagesFromRound is adjusted to
// the rounds played and kept so).
QString TabletPrefsLine();
// Every session file written again for a tournament with devices; outside
// federation mode the exchange folder is cleared first, and
// "ADJUSTLIST.TXT" of the program folder is deleted. Write failures raise
// platform::IoError.
void WriteTabletSessionFiles();
// The same files for a BridgeMates tournament, keeping the folder when its
// "Diagrammes" folder exists, then "TABLOSSE.EXE" started (only a warning
// when it is missing; a failed start is fatal).
void PrepareTabletServer();
