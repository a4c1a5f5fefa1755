#pragma once
// One process per folder: a lock file inside the folder, held open and
// locked for the whole run, naming the process that holds it and since when.
// The system lets the lock go when the process ends, however it ends: a lock
// left by a program that was killed is taken over at once.
#include <QDateTime>
#include <QString>

#include <optional>

namespace platform {

// What the lock file says of the process that holds it.
struct FolderLockHolder {
  qint64 processId = 0;  // 0 when the file does not say yet
  QDateTime since;       // invalid when the file does not say yet
};

// As lockFolder below; besides, when the lock file cannot be opened at all (no right
// to create it, a link in its place) openError gets the code of the
// read-write opening (else 0). A lock file this account may only read (a
// results folder shared with another account) is locked through a read-only
// descriptor: the lock holds all the same, only the file keeps the other
// run's lines.
std::optional<FolderLockHolder> lockFolder(const QString& folder, const QString& fileName, int& openError);

// Takes the lock of folder for this process: the file fileName in it is
// created when missing, locked without waiting, and made to hold this
// process's id and the time (platform::now()). Taking a folder lets go of the
// folder this process held before under the same file name (locks of other
// names are held beside it); taking the same folder again changes nothing. Nothing comes back when the lock is this process's, and also when
// the folder cannot hold a lock file at all (a folder nobody may write in, a
// file system without locks): there is then nothing to protect. Another
// process holding it gives what its file says.
std::optional<FolderLockHolder> lockFolder(const QString& folder, const QString& fileName);
// The lock of this file name this process holds let go (its file stays for
// the next run).
void unlockFolder(const QString& fileName);

}  // namespace platform
