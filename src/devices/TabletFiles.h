#pragma once
// The tablets' exchange folder under Documents ("Quillmarke"): its folders
// and the session files the tablet server reads when a tournament starts
// (series count, preferences line, rounds, sit-out list, one movement file
// per table, the players and the placeholders of the result files).
#include <QString>
#include <QStringList>

#include <optional>

// Documents + "/Quillmarke": the exchange folder, whether it exists or not.
QString TabletExchangeFolder();
// TabletSharedFolder := Documents + "/Quillmarke" (created when missing),
// TabletSeriesFolder := it + "/Serie".
void SetTabletFolders();
// At start: the temporary files that rewrites cut short by a stop of the
// program left in the exchange folder and every folder under it are removed.
void RemoveTabletLeftovers();

// The most a result or players file of the exchange folder may hold (one
// line), and a diagram file.
inline constexpr qsizetype kExchangeLineBytes = 4096;
inline constexpr qsizetype kDiagramFileBytes = 65536;
// The first line of a result or players file of the exchange folder, read as
// platform::readRegularFile reads (a regular file only, never through a link,
// never waiting): nothing when it is missing (error ENOENT), empty, not a
// regular file, longer than kExchangeLineBytes or unreadable.
std::optional<QString> ReadExchangeLine(const QString& path, int* error = nullptr);
// The lines of a diagram file, on the same terms, at most kDiagramFileBytes.
std::optional<QStringList> ReadDiagramFileLines(const QString& path, int* error = nullptr);
// A file of the exchange folder that could not be read: the number of its
// failures in a row, this one included (each file keeps its own count). At
// the kBadReadsBeforeSetAside-th it now bears its name + ".BAD" (replacing an
// older one, moved as it is when it is a link) and its count is forgotten.
inline constexpr int kBadReadsBeforeSetAside = 10;
int SetAsideAfterBadReads(const QString& path);
// The file was read, or is gone: its failures are forgotten.
void ForgetBadReads(const QString& path);
// Every count forgotten (a new evening).
void ForgetAllBadReads();
// The exchange folder deleted with everything in it and created again, empty.
void ClearTabletFolder();
// The number of tables the tablets' files are looked for in: TableCount, or
// when it is 0, the deals per table in a federation Heredia movement, else
// the pair slots. TableCount itself is never changed.
int ImportTableCount();
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
