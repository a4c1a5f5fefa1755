#pragma once
// The results folder of the tournament files, kept in "PATH.TXT", and the
// lock that keeps it to one copy of the program.
#include "platform/FolderLock.h"

#include <QString>

// The name of the lock file in the results folder.
inline const QString kResultsFolderLockFile = QStringLiteral("TALVARON.LCK");

// The folder "PATH.TXT" names, else ProgramFolder + "Resultats/" (created
// when missing); ends with "/". Reads only.
QString FindResultsFolder();
// One copy of the program per results folder: takes the folder's lock for
// this run (letting go of the folder held before). False, after a message
// saying since when and under which process another copy works there and
// ending with consequence, when another copy holds it; false too, after a
// message naming the lock file and the system's code, when that file cannot
// be opened at all (the run would go unprotected: the start stops there).
bool LockResultsFolder(const QString& folder, const QString& consequence);
// What a lock file says of the copy that holds it: " depuis le dd/mm/yyyy à
// HH:MM:SS (processus N)", each part only when the file says it.
QString LockHolderText(const platform::FolderLockHolder& holder);
// The lock of folder at start: held by another copy, the message, then the
// program ends at once, before it writes anything.
void LockResultsFolderOrHalt(const QString& folder);
// DataFolder := FindResultsFolder(), its lock taken (or the program ended),
// what saves cut short left there removed, "PATH.TXT" rewritten.
void LoadResultsFolder();
// Writes DataFolder into "PATH.TXT": one line, no line end.
void WritePathFile();
