#pragma once
// Start-up initialisation, the resets of the tournament state and the
// special folders.
#include "core/ResultSlots.h"

#include <QDate>
#include <QString>

// The start-up initialisation, run once by the start screen's creation.
void InitGlobals();
// Date and time texts, weekday, title and version from the clock.
void SetDateGlobals();
// The French name of the date's weekday ("Lundi").
QString FrenchWeekdayName(const QDate& date);
// Current year - 2019, then month and day of the executable's date: "7.3.9".
QString BuildVersionString();
QString BuildVersionString(const QDate& executableDate, int currentYear);
// The release this program was built from, as its Debian package names it
// ("1.0.0-1"): the first entry of the package's changelog.
QString PackageVersion();
// Empties the 42 pair slots (PairCount is left alone).
void ClearPairSlots();
// Empties one result slot: score 0, lead and declarer "?".
void ClearResultSlot(int slot);
// Empties the 1344 result slots and the per-pair tables.
void ClearAllResults();
// E/W pairs given as 1..ResultsPerBoard in the slots of boards 1..BoardCount
// become ResultsPerBoard + k; 0 and higher numbers are left alone.
void RenumberMitchellEastWest();
// Deletes a folder or a file with everything in it; true on success.
bool DeleteFolderSilently(const QString& path);
// Path of a special folder (5 = the user's Documents); false for others.
bool GetSpecialFolder(int folderNumber, QString& path);
// Path of a shell special folder (5: the user's Documents); false and an
// empty path for any other folder.
bool GetSpecialFolderPath(int folderId, QString& path);
