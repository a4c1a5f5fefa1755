#pragma once
// The tablets' exchange folder under Documents ("Quillmarke"): its folders
// and the session files the tablet server reads when a tournament starts
// (series count, preferences line, rounds, sit-out list, one movement file
// per table, the players and the placeholders of the result files).
#include "core/DeviceFiles.h"

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
// The same with the file's bytes as they were read (at most
// kExchangeLineBytes): what was read can be told from what is there later.
std::optional<QString> ReadExchangeLine(const QString& path, QByteArray& bytes, int* error = nullptr);
// A file of the exchange folder that could not be read: the number of its
// failures in a row, this one included (each file keeps its own count). At
// the kBadReadsBeforeSetAside-th it now bears its name + ".BAD" (replacing an
// older one, moved as it is when it is a link), its count is forgotten and
// the referee is called: refereeText + the new name + ". Le fichier est
// ignoré.". A file that cannot take that name (too long a name) is left
// alone instead, said once the same way, and never read again.
inline constexpr int kBadReadsBeforeSetAside = 10;
int SetAsideAfterBadReads(const QString& path, const QString& refereeText);
// The same at once, for a file the collection does not apply: it bears its
// name + ".BAD" and the referee is called: refereeText + the new name +
// tail; a file that cannot take that name is left alone, told as above.
void SetAside(const QString& path, const QString& refereeText, const QString& tail);
// The file could not be set aside and is not to be read again.
bool IsLeftAlone(const QString& path);
// Said once to the referee (refereeText + what follows), then left alone: a
// file the program cannot even name (not valid UTF-8), told by the name
// shown. False when it was already told.
bool LeaveAlone(const QString& path, const QString& refereeText);
// The file was read, or is gone: its failures are forgotten.
void ForgetBadReads(const QString& path);
// Every count forgotten, and the files left alone (a new evening).
void ForgetAllBadReads();
// The exchange folder emptied of everything but its lock file (created when
// missing).
void ClearTabletFolder();
// The lock file of the exchange folder: one device evening per exchange
// folder.
inline const QString kExchangeLockFile = QStringLiteral("TABLETTES.LCK");
// Takes the exchange folder's lock for this run before a device evening
// starts (SetTabletFolders first). False, after a message saying which
// process holds it and since when, when another copy of the program runs a
// device evening on it: this one then starts none.
bool LockExchangeFolder();
// The number of tables the tablets' files are looked for in: TableCount, or
// when it is 0, the deals per table in a federation Heredia movement, else
// the pair slots. TableCount itself is never changed.
int ImportTableCount();
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
