#include "platform/FolderLock.h"

#include "platform/Clock.h"

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QList>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

struct HeldLock {
  int fd = -1;
  dev_t device = 0;
  ino_t inode = 0;
};

// The locks this process holds, by the name of their file.
HeldLock& held(const QString& fileName) {
  static QHash<QString, HeldLock> locks;
  return locks[fileName];
}

// The lock file's two lines: the process id, then the time in ISO form.
FolderLockHolder readHolder(int fd) {
  FolderLockHolder holder;
  char buffer[256];
  const ssize_t got = ::pread(fd, buffer, sizeof buffer, 0);
  if (got <= 0) return holder;
  const QList<QByteArray> lines = QByteArray(buffer, got).split('\n');
  holder.processId = lines.value(0).trimmed().toLongLong();
  holder.since = QDateTime::fromString(QString::fromLatin1(lines.value(1).trimmed()), Qt::ISODate);
  return holder;
}

}  // namespace

std::optional<FolderLockHolder> lockFolder(const QString& folder, const QString& fileName) {
  int openError = 0;
  return lockFolder(folder, fileName, openError);
}

std::optional<FolderLockHolder> lockFolder(const QString& folder, const QString& fileName, int& openError) {
  openError = 0;
  QString path = folder;
  if (!path.endsWith(u'/')) path += u'/';
  path += fileName;
  // Never through a link: the lock belongs to the folder itself.
  const QByteArray name = QFile::encodeName(path);
  int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) {
    const int error = errno;
    // Another account's file: a shared lock needs no right to write.
    if (error == EACCES || error == EPERM || error == EROFS) fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
      openError = error;
      return std::nullopt;
    }
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    ::close(fd);
    return std::nullopt;
  }
  HeldLock& lock = held(fileName);
  if (lock.fd >= 0 && lock.device == info.st_dev && lock.inode == info.st_ino) {
    ::close(fd);
    return std::nullopt;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    const FolderLockHolder holder = readHolder(fd);
    ::close(fd);
    if (error == EWOULDBLOCK) return holder;
    return std::nullopt;
  }
  // Written in place, not through a temporary file: the lock stays on this
  // very file.
  const QByteArray text = QByteArray::number(static_cast<qint64>(::getpid())) + "\r\n" +
                          now().toString(Qt::ISODate).toLatin1() + "\r\n";
  const bool written = ::ftruncate(fd, 0) == 0 &&
                       ::pwrite(fd, text.constData(), static_cast<size_t>(text.size()), 0) == text.size();
  (void)written;  // unwritten, the lock holds all the same: a second copy only reads less
  unlockFolder(fileName);
  lock = {fd, info.st_dev, info.st_ino};
  return std::nullopt;
}

void unlockFolder(const QString& fileName) {
  HeldLock& lock = held(fileName);
  if (lock.fd >= 0) ::close(lock.fd);
  lock = {};
}

}  // namespace platform
