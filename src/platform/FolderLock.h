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

// Takes the lock of folder for this process: the file fileName in it is
// created when missing, locked without waiting, and made to hold this
// process's id and the time (platform::now()). Taking a folder lets go of the
// folder this process held before; taking the same folder again changes
// nothing. A lock file this account may only read (a results folder shared
// with another account) is locked through a read-only descriptor: the lock
// holds all the same, only the file keeps the other run's lines. Nothing
// comes back when the lock is this process's, and also on a file system
// without locks: there is then nothing to protect. Another process holding
// it gives what its file says. A lock file that cannot be opened at all (no
// right to create it, a link in its place) gives nothing either, and the
// code of the read-write opening in *openError when asked for (else 0).
std::optional<FolderLockHolder> lockFolder(const QString& folder, const QString& fileName, int* openError = nullptr);
// The lock this process holds let go (its file stays for the next run).
void unlockFolder();

}  // namespace platform
