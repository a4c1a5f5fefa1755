#include "platform/Folders.h"

#include "platform/ShippedFiles.h"
#include "platform/TextFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace platform {
namespace {

QString withSlash(QString p) {
  if (!p.endsWith('/')) p += '/';
  return p;
}

std::filesystem::path fsPath(const QString& p) { return std::filesystem::path(p.toStdString()); }

// target is source or lies inside it (links followed, missing parts kept).
bool inside(const std::filesystem::path& target, const std::filesystem::path& source) {
  std::error_code ec;
  std::string t = std::filesystem::weakly_canonical(target, ec).string();
  if (ec) return false;
  std::string s = std::filesystem::weakly_canonical(source, ec).string();
  if (ec) return false;
  while (t.size() > 1 && t.back() == '/') t.pop_back();
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return t == s || (t.starts_with(s) && (s == "/" || t[s.size()] == '/'));
}

QString executableFolder() {
  if (QCoreApplication::instance()) return withSlash(QCoreApplication::applicationDirPath());
  return withSlash(QFileInfo(executablePath()).absolutePath());
}

}  // namespace

QString programFolder() {
  const QString env = qEnvironmentVariable("TALVARON_PROGRAM_FOLDER");
  if (!env.isEmpty()) return withSlash(QDir(env).absolutePath());
  if (!shippedFilesFolder().isEmpty()) return userProgramFolder();
  return executableFolder();
}

QString shippedFilesFolder() {
  const QString bin = executableFolder();
  if (QDir(bin).dirName() != QLatin1String("bin") || QFileInfo::exists(bin + QStringLiteral("Howells"))) return {};
  const QString shipped = QDir::cleanPath(bin + QStringLiteral("../share/talvaron")) + '/';
  return QFileInfo(shipped + QStringLiteral("Howells")).isDir() ? shipped : QString();
}

QString userProgramFolder() {
  QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (data.isEmpty()) data = QDir::homePath() + QStringLiteral("/.local/share");
  return withSlash(data) + QStringLiteral("talvaron/");
}

ProgramFolderStart prepareProgramFolder(const QStringList& emptyFiles) {
  if (!qEnvironmentVariableIsEmpty("TALVARON_PROGRAM_FOLDER")) return {};
  const QString shipped = shippedFilesFolder();
  if (shipped.isEmpty()) return {};
  const QString folder = userProgramFolder();
  ProgramFolderStart start;
  if (!readShippedList(shipped + kShippedListName))
    start.made = seedFolder(folder, shipped, emptyFiles);
  else
    start.made = seedFolder(
        folder, [&](const QString& partial) { return !updateShippedFiles(partial + '/', shipped).version.isEmpty(); },
        emptyFiles);
  // An existing folder is told about a list that cannot be read too.
  if (!start.made) start.update = updateShippedFiles(folder, shipped);
  return start;
}

bool seedFolder(const QString& folder, const QString& seed, const QStringList& emptyFiles) {
  return seedFolder(folder, [&](const QString& partial) { return copyTree(seed, partial); }, emptyFiles);
}

bool seedFolder(const QString& folder, const std::function<bool(const QString&)>& fill,
                const QStringList& emptyFiles) {
  const QString target = QDir::cleanPath(QDir(folder).absolutePath());
  const QFileInfo existing(target);
  if (existing.exists() || existing.isSymLink()) return false;
  const QString parent = existing.absolutePath();
  auto fail = [&](int code) {
    return IoError(code, target, QStringLiteral("Impossible de créer le dossier du programme %1 (erreur %2)").arg(target).arg(code));
  };
  if (!QDir().mkpath(parent)) throw fail(errno ? errno : EACCES);
  QTemporaryDir partial(target + QStringLiteral(".partiel-XXXXXX"));
  if (!partial.isValid()) throw fail(errno ? errno : EACCES);
  if (!fill(partial.path())) throw fail(EIO);
  for (const QString& name : emptyFiles) {
    QFile empty(partial.path() + '/' + name);
    if (!empty.open(QIODevice::WriteOnly | QIODevice::NewOnly)) throw fail(EIO);
  }
  std::error_code ec;
  std::filesystem::rename(fsPath(partial.path()), fsPath(target), ec);
  if (ec) {
    // Another copy of the program, started at the same moment, made it first.
    if (QFileInfo::exists(target)) return false;
    throw fail(ec.value());
  }
  partial.setAutoRemove(false);
  return true;
}

QString executablePath() {
  if (QCoreApplication::instance()) return QCoreApplication::applicationFilePath();
  return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
}

QString documentsFolder() {
  QString p = qEnvironmentVariable("TALVARON_DOCUMENTS_FOLDER");
  if (p.isEmpty()) p = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (p.isEmpty()) p = QDir::homePath() + QStringLiteral("/Documents");
  while (p.size() > 1 && p.endsWith('/')) p.chop(1);
  return p;
}

QString driveRootFolder() {
  const QString env = qEnvironmentVariable("TALVARON_ROOT_FOLDER");
  return withSlash(env.isEmpty() ? QDir::homePath() : QDir(env).absolutePath());
}

bool copyTree(const QString& from, const QString& to) {
  // A folder copied into itself would grow without end.
  if (std::filesystem::is_directory(fsPath(from)) && inside(fsPath(to), fsPath(from))) return false;
  std::error_code ec;
  const auto opts = std::filesystem::copy_options::recursive | std::filesystem::copy_options::copy_symlinks |
                    std::filesystem::copy_options::overwrite_existing;
  std::filesystem::copy(fsPath(from), fsPath(to), opts, ec);
  return !ec;
}

namespace {

// Copies one regular file of at most maxBytes, opened without following a
// link nor waiting on a FIFO put in its place meanwhile.
std::optional<LeftOut::Why> copyOneFile(const QByteArray& from, const QByteArray& to, qint64 maxBytes) {
  const int in = ::open(from.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (in < 0) return errno == ELOOP ? LeftOut::NotAFile : LeftOut::Unreadable;
  struct stat st {};
  std::optional<LeftOut::Why> why;
  if (::fstat(in, &st) != 0) why = LeftOut::Unreadable;
  else if (!S_ISREG(st.st_mode)) why = LeftOut::NotAFile;
  else if (st.st_size > maxBytes) why = LeftOut::TooLarge;
  const int out = why ? -1 : ::open(to.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (!why && out < 0) why = LeftOut::Unreadable;
  char chunk[1 << 16];
  qint64 copied = 0;
  while (!why) {
    const ssize_t n = ::read(in, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) why = LeftOut::Unreadable;
    if (n <= 0) break;
    copied += n;
    if (copied > maxBytes) why = LeftOut::TooLarge;  // grown since it was looked at
    for (ssize_t done = 0; !why && done < n;) {
      const ssize_t w = ::write(out, chunk + done, static_cast<size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) why = LeftOut::Unreadable;
      else done += w;
    }
  }
  ::close(in);
  if (out >= 0) {
    ::close(out);
    if (why) ::unlink(to.constData());
  }
  return why;
}

}  // namespace

bool copyRegularFiles(const QString& from, const QString& to, qint64 maxBytes, QList<LeftOut>& leftOut) {
  // Deep enough for any folder the program makes; without links no tree loops.
  constexpr int kMaxDepth = 16;
  if (std::filesystem::is_directory(fsPath(from)) && inside(fsPath(to), fsPath(from))) return false;
  struct Pending {
    QByteArray from;
    QByteArray to;
    QString name;  // under the folder copied
    int depth;
  };
  QList<Pending> pending{{QFile::encodeName(from), QFile::encodeName(to), QString(), 0}};
  bool made = true;
  while (!pending.isEmpty()) {
    const Pending folder = pending.takeLast();
    if (::mkdir(folder.to.constData(), 0755) != 0 && errno != EEXIST) {
      if (folder.depth == 0) made = false;
      leftOut.append({folder.name, LeftOut::Unreadable});
      continue;
    }
    // Below the folder copied, a folder is never reached through a link.
    const int noFollow = folder.depth > 0 ? O_NOFOLLOW : 0;
    const int fd = ::open(folder.from.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | noFollow);
    DIR* dir = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (!dir) {
      if (fd >= 0) ::close(fd);
      leftOut.append({folder.name, LeftOut::Unreadable});
      continue;
    }
    while (const dirent* e = ::readdir(dir)) {
      if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
      const QByteArray source = folder.from + '/' + e->d_name;
      const QByteArray target = folder.to + '/' + e->d_name;
      const QString name = folder.name.isEmpty() ? QFile::decodeName(e->d_name)
                                                 : folder.name + u'/' + QFile::decodeName(e->d_name);
      struct stat st {};
      if (::lstat(source.constData(), &st) != 0) continue;  // gone meanwhile
      if (S_ISDIR(st.st_mode)) {
        if (folder.depth < kMaxDepth) pending.append({source, target, name, folder.depth + 1});
        else leftOut.append({name, LeftOut::NotAFile});
        continue;
      }
      if (!S_ISREG(st.st_mode)) {
        leftOut.append({name, LeftOut::NotAFile});
        continue;
      }
      if (const auto why = copyOneFile(source, target, maxBytes)) leftOut.append({name, *why});
    }
    ::closedir(dir);
  }
  return made;
}

bool deleteTree(const QString& path) {
  if (path.isEmpty()) return false;
  std::error_code ec;
  std::filesystem::remove_all(fsPath(path), ec);  // removes links, never what they point to
  return !ec && !std::filesystem::exists(std::filesystem::symlink_status(fsPath(path)));
}

bool makeFolder(const QString& path) { return QDir().mkpath(resolvePath(path)); }

}  // namespace platform
