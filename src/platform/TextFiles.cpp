#include "platform/TextFiles.h"

#include "platform/Cp1252.h"
#include "platform/FolderIndex.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <csignal>
#include <mutex>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

IoError::IoError(int code, QString fileName, QString message)
    : std::runtime_error(message.toStdString()),
      code_(code),
      fileName_(std::move(fileName)),
      message_(std::move(message)) {}

IoError::IoError(FileFault fault, QString fileName, QString message)
    : IoError(static_cast<int>(fault), std::move(fileName), std::move(message)) {
  fault_ = fault;
}

namespace {

QString matchInFolder(const QString& folder, const QString& name) {
  return folder_index::find(folder.isEmpty() ? QStringLiteral("/") : QDir::cleanPath(QFileInfo(folder).absoluteFilePath()), name)
      .value_or(QString());
}

enum class Found { No, Yes, Unknown };

// The usual case, answered from the folder's index: an absolute path whose
// folder is spelled as on disk. Unknown when the folder is not.
Found resolveInFolder(const QString& path, QString& resolved) {
  if (!path.startsWith(u'/')) return Found::Unknown;
  const qsizetype end = path.endsWith(u'/') ? path.size() - 1 : path.size();
  const qsizetype cut = path.lastIndexOf(u'/', end - 1);
  if (cut < 0 || end <= cut + 1) return Found::Unknown;
  const QStringView name = QStringView(path).mid(cut + 1, end - cut - 1);
  if (name == u"." || name == u"..") return Found::Unknown;
  const std::optional<QString> found =
      folder_index::find(cut == 0 ? QStringLiteral("/") : path.left(cut), name.toString());
  if (!found) return Found::Unknown;
  if (found->isEmpty() || *found == name) {
    resolved = path;
  } else {
    resolved = path.left(cut + 1) + *found + path.mid(end);
  }
  return found->isEmpty() ? Found::No : Found::Yes;
}

}  // namespace

QString resolvePath(const QString& path) {
  if (path.isEmpty()) return path;
  QString resolved;
  if (resolveInFolder(path, resolved) != Found::Unknown) return resolved;
  if (QFileInfo::exists(path)) return path;
  const bool absolute = path.startsWith('/');
  const QStringList parts = path.split('/', Qt::SkipEmptyParts);
  const auto join = [](const QString& folder, const QString& name) {
    return folder.isEmpty() || folder.endsWith('/') ? folder + name : folder + '/' + name;
  };
  QString current = absolute ? QStringLiteral("/") : QString();
  for (int i = 0; i < parts.size(); ++i) {
    QString next = join(current, parts[i]);
    if (!QFileInfo::exists(next)) {
      const QString found = matchInFolder(current.isEmpty() ? QStringLiteral(".") : current, parts[i]);
      if (found.isEmpty()) {
        // Not there yet (a file or folder about to be created): the rest
        // keeps its own spelling, under the folders found.
        for (int j = i; j < parts.size(); ++j) current = join(current, parts[j]);
        break;
      }
      next = join(current, found);
    }
    current = next;
  }
  if (path.endsWith('/')) current += '/';
  return current;
}

namespace {

// Opens a regular file for reading, neither waiting (a FIFO) nor following a
// link; -1 and error set otherwise. info receives what fstat says of it.
int openRegular(const QString& path, int& error, struct stat& info) {
  const QByteArray name = QFile::encodeName(path);
  struct stat entry {};
  if (::lstat(name.constData(), &entry) != 0) {
    error = errno;
    return -1;
  }
  if (!S_ISREG(entry.st_mode)) {
    error = S_ISLNK(entry.st_mode) ? ELOOP : ENXIO;
    return -1;
  }
  const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error = errno;
    return -1;
  }
  // Replaced by something else between the two looks: not what was checked.
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_dev != entry.st_dev ||
      info.st_ino != entry.st_ino) {
    error = ENXIO;
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

bool fileExists(const QString& path) {
  QString resolved;
  switch (resolveInFolder(path, resolved)) {
    case Found::No: return false;
    case Found::Yes: return QFileInfo(resolved).isFile();
    case Found::Unknown: break;
  }
  return QFileInfo(resolvePath(path)).isFile();
}

std::vector<bool> filesExist(const QString& folder, const QStringList& names) {
  QString spelled = folder;
  while (spelled.size() > 1 && spelled.endsWith(u'/')) spelled.chop(1);
  const bool plainNames = std::all_of(names.begin(), names.end(), [](const QString& name) {
    return !name.isEmpty() && !name.contains(u'/') && name != u"." && name != u"..";
  });
  const std::optional<QStringList> found =
      plainNames && spelled.startsWith(u'/') ? folder_index::findEach(spelled, names) : std::nullopt;
  const QString under = folder.isEmpty() || folder.endsWith(u'/') ? folder : folder + u'/';
  std::vector<bool> exist;
  for (qsizetype i = 0; i < names.size(); ++i) {
    if (!found) {
      exist.push_back(fileExists(under + names[i]));
    } else {
      exist.push_back(!found->at(i).isEmpty() && QFileInfo(under + found->at(i)).isFile());
    }
  }
  return exist;
}

bool folderExists(const QString& path) { return QFileInfo(resolvePath(path)).isDir(); }

bool deleteFile(const QString& path) {
  // Every spelling of the name goes: a twin left behind would be found again.
  const QFileInfo target(resolvePath(path));
  const QString folder = target.absolutePath();
  bool deleted = true;
  for (const QString& e : folder_index::spellings(QDir::cleanPath(folder), target.fileName())) {
    const QFileInfo info(folder + '/' + e);
    if (info.isDir() && !info.isSymLink()) continue;
    if (::unlink(QFile::encodeName(info.filePath()).constData()) != 0) deleted = false;
  }
  return deleted;
}

QStringList listFolder(const QString& folder, const QString& pattern) {
  const QDir dir(resolvePath(folder));
  const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern, QRegularExpression::UnanchoredWildcardConversion),
                              QRegularExpression::CaseInsensitiveOption);
  const QRegularExpression anchored(QRegularExpression::anchoredPattern(re.pattern()), QRegularExpression::CaseInsensitiveOption);
  QStringList out;
  for (const QString& e : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
    if (!isTemporaryName(e) && anchored.match(e).hasMatch()) out << e;
  std::sort(out.begin(), out.end(), [](const QString& a, const QString& b) {
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
  });
  return out;
}

QString decodeText(const QByteArray& bytes) {
  if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
  return fromCp1252(bytes);
}

QStringList splitLines(const QString& text) {
  QStringList lines = text.split('\n');
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  for (QString& l : lines)
    if (l.endsWith('\r')) l.chop(1);
  return lines;
}

QStringList readTextLines(const QString& path) {
  const QString real = resolvePath(path);
  QFile f(real);
  if (!f.open(QIODevice::ReadOnly)) {
    const int code = QFileInfo::exists(real) ? EACCES : ENOENT;
    throw IoError(code, real, QStringLiteral("Impossible de lire le fichier %1 (erreur %2)").arg(real).arg(code));
  }
  return splitLines(decodeText(f.readAll()));
}

std::optional<QStringList> tryReadTextLines(const QString& path) {
  const QString real = resolvePath(path);
  QFile f(real);
  if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
  return splitLines(decodeText(f.readAll()));
}

std::optional<QString> tryReadFirstLine(const QString& path) {
  const auto lines = tryReadTextLines(path);
  if (!lines) return std::nullopt;
  return lines->isEmpty() ? QString() : lines->first();
}

std::optional<QByteArray> readRegularFile(const QString& path, qsizetype maxBytes, int* error) {
  int code = 0;
  struct stat info {};
  // A name missing from its folder's index costs no call to the system.
  QString real;
  const Found found = resolveInFolder(path, real);
  if (found == Found::No) {
    if (error) *error = ENOENT;
    return std::nullopt;
  }
  if (found == Found::Unknown) real = resolvePath(path);
  const int fd = openRegular(QFileInfo(real).absoluteFilePath(), code, info);
  if (fd >= 0 && info.st_size > maxBytes) code = EFBIG;
  QByteArray bytes;
  if (fd >= 0 && code == 0) {
    bytes.reserve(static_cast<qsizetype>(info.st_size) + 1);
    char chunk[16384];
    // One byte more than allowed tells a file that grew since it was looked at.
    while (bytes.size() <= maxBytes) {
      const qsizetype wanted = std::min<qsizetype>(qsizetype(sizeof chunk), maxBytes + 1 - bytes.size());
      const ssize_t n = ::read(fd, chunk, static_cast<size_t>(wanted));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) code = errno;
      if (n <= 0) break;
      bytes.append(chunk, n);
    }
    if (code == 0 && bytes.size() > maxBytes) code = EFBIG;
  }
  if (fd >= 0) ::close(fd);
  if (code != 0) {
    if (error) *error = code;
    return std::nullopt;
  }
  return bytes;
}

std::optional<QStringList> readRegularTextLines(const QString& path, qsizetype maxBytes, int* error) {
  const std::optional<QByteArray> bytes = readRegularFile(path, maxBytes, error);
  if (!bytes) return std::nullopt;
  return splitLines(decodeText(*bytes));
}

TextWriter::TextWriter(TextWriter&& other) noexcept { *this = std::move(other); }

TextWriter& TextWriter::operator=(TextWriter&& other) noexcept {
  if (this != &other) {
    abandon();
    fd_ = std::exchange(other.fd_, -1);
    mode_ = other.mode_;
    target_ = std::move(other.target_);
    temp_ = std::move(other.temp_);
    buffer_ = std::move(other.buffer_);
  }
  return *this;
}

TextWriter::~TextWriter() { abandon(); }

namespace {

thread_local WriteBatch* currentBatch = nullptr;

// Temporary files this process has open: never taken for leftovers. Writers
// of several threads (the tables' server) share the list.
std::mutex openTemporariesLock;
QStringList& openTemporaries() {
  static QStringList names;
  return names;
}
void addOpenTemporary(const QString& path) {
  const std::lock_guard<std::mutex> guard(openTemporariesLock);
  openTemporaries() << QDir::cleanPath(path);
}
void removeOpenTemporary(const QString& path) {
  const std::lock_guard<std::mutex> guard(openTemporariesLock);
  openTemporaries().removeOne(QDir::cleanPath(path));
}
bool isOpenTemporary(const QString& path) {
  const std::lock_guard<std::mutex> guard(openTemporariesLock);
  return openTemporaries().contains(path);
}

void syncFolder(const QString& folder) {
  const int dirFd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
}

// The entry a rewrite or an append acts on: found without regard to case,
// never followed through a symbolic link.
QString writeTarget(const QString& path) { return QFileInfo(resolvePath(path)).absoluteFilePath(); }

}  // namespace

void TextWriter::refuse(int code, const QString& openFailureMessage) {
  const QString msg = openFailureMessage.isEmpty()
                          ? QStringLiteral("Erreur %1 à l'ouverture en écriture du fichier %2").arg(code).arg(target_)
                          : QString(openFailureMessage).arg(code).arg(target_);
  throw IoError(code, target_, msg);
}

void TextWriter::open(const QString& path, WriteMode mode, const QString& openFailureMessage) {
  abandon();
  mode_ = mode;
  buffer_.clear();
  if (mode != WriteMode::Rewrite) {
    // An existing file whose name differs only in case is the one added to.
    // A link is refused by the system (ELOOP); a FIFO neither blocks the
    // opening (no reader: ENXIO) nor is written to when it has one.
    target_ = writeTarget(path);
    const int fd = ::open(QFile::encodeName(target_).constData(),
                          O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) refuse(errno, openFailureMessage);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      const int code = S_ISDIR(st.st_mode) ? EISDIR : ENXIO;
      ::close(fd);
      refuse(code, openFailureMessage);
    }
    // A hard link: the same file has another name, perhaps outside the
    // folder, which would get these lines too.
    if (mode == WriteMode::AppendOneName && st.st_nlink > 1) {
      ::close(fd);
      refuse(EMLINK, openFailureMessage);
    }
    fd_ = fd;
    return;
  }
  target_ = writeTarget(path);
  const QByteArray targetName = QFile::encodeName(target_);
  mode_t permissions = 0644;
  struct stat st {};
  // A link, a FIFO or a device in the target's place is replaced, never
  // written through.
  if (::lstat(targetName.constData(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) refuse(EISDIR, openFailureMessage);  // a folder cannot be replaced by a file
    // A file the director made read-only stays as it is.
    if (S_ISREG(st.st_mode)) {
      if ((st.st_mode & 0222) == 0 || ::access(targetName.constData(), W_OK) != 0)
        refuse(EACCES, openFailureMessage);
      permissions = st.st_mode & 07777;
    }
  }
  const QFileInfo info(target_);
  QByteArray tmpl = QFile::encodeName(info.absolutePath() + "/." + info.fileName() + '.' +
                                      QString::number(::getpid()) + ".XXXXXX" + QLatin1String(kTemporarySuffix));
  const int fd = ::mkstemps(tmpl.data(), static_cast<int>(std::strlen(kTemporarySuffix)));
  if (fd < 0) refuse(errno, openFailureMessage);
  ::fchmod(fd, permissions);
  fd_ = fd;
  temp_ = QFile::decodeName(tmpl);
  addOpenTemporary(temp_);
}

void TextWriter::write(const QString& text) {
  buffer_.append(toCp1252(text));
  // An append goes out in one piece at close(): a part of it written early
  // would stay behind alone if the program stopped before the rest.
  if (mode_ == WriteMode::Rewrite && buffer_.size() >= 1 << 16) flushBuffer();
}

void TextWriter::writeLine(const QString& text) {
  write(text);
  buffer_.append("\r\n");
}

void TextWriter::writeBytes(const QByteArray& bytes) { buffer_.append(bytes); }

void TextWriter::flushBuffer() {
  const char* p = buffer_.constData();
  qsizetype left = buffer_.size();
  while (left > 0) {
    const ssize_t n = ::write(fd_, p, static_cast<size_t>(left));
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(errno, QStringLiteral("écriture"));
    }
    p += n;
    left -= n;
  }
  buffer_.clear();
}

void TextWriter::fail(int code, const QString& what) {
  const QString name = target_;
  abandon();
  throw IoError(code, name, QStringLiteral("Erreur %1 (%2) du fichier %3").arg(code).arg(what, name));
}

void TextWriter::appendBuffer() {
  struct stat st {};
  if (::fstat(fd_, &st) != 0) fail(errno, QStringLiteral("écriture"));
  const off_t before = st.st_size;
  // A last line left without its line end (a file edited by hand, a writer
  // stopped midway) is ended first, so that it does not swallow this line.
  if (before > 0 && !buffer_.isEmpty() && !buffer_.startsWith('\n') && !buffer_.startsWith("\r\n")) {
    char last = '\n';
    int code = 0;
    struct stat info {};
    const int reader = openRegular(target_, code, info);
    if (reader >= 0) {
      if (::pread(reader, &last, 1, before - 1) == 1 && last != '\n') buffer_.prepend(last == '\r' ? "\n" : "\r\n");
      ::close(reader);
    }
  }
  const char* p = buffer_.constData();
  qsizetype left = buffer_.size();
  while (left > 0) {
    const ssize_t n = ::write(fd_, p, static_cast<size_t>(left));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      // No part of a line stays behind: the file goes back to its length.
      const int code = n < 0 ? errno : ENOSPC;
      [[maybe_unused]] const int restored = ::ftruncate(fd_, before);
      fail(code, QStringLiteral("écriture"));
    }
    p += n;
    left -= n;
  }
  buffer_.clear();
}

void TextWriter::close() {
  if (fd_ < 0) return;
  if (mode_ != WriteMode::Rewrite)
    appendBuffer();
  else
    flushBuffer();
  if (::fsync(fd_) != 0 && errno != EINVAL) fail(errno, QStringLiteral("écriture sur disque"));
  if (::close(fd_) != 0) {
    fd_ = -1;
    fail(errno, QStringLiteral("fermeture"));
  }
  fd_ = -1;
  if (mode_ == WriteMode::Rewrite) {
    if (::rename(QFile::encodeName(temp_).constData(), QFile::encodeName(target_).constData()) != 0) {
      const int code = errno;
      abandon();
      throw IoError(code, target_, QStringLiteral("Erreur %1 au remplacement du fichier %2").arg(code).arg(target_));
    }
    removeOpenTemporary(temp_);
    temp_.clear();
    const QString folder = QFileInfo(target_).absolutePath();
    if (currentBatch)
      currentBatch->addFolder(folder);
    else
      syncFolder(folder);
  }
}

void TextWriter::abandon() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!temp_.isEmpty()) {
    ::unlink(QFile::encodeName(temp_).constData());
    removeOpenTemporary(temp_);
    temp_.clear();
  }
  buffer_.clear();
}

void writeTextLines(const QString& path, const QStringList& lines, bool finalLineEnd) {
  TextWriter w;
  w.open(path, WriteMode::Rewrite);
  for (int i = 0; i < lines.size(); ++i) {
    if (i + 1 < lines.size() || finalLineEnd)
      w.writeLine(lines[i]);
    else
      w.write(lines[i]);
  }
  w.close();
}

}  // namespace platform

namespace platform {

namespace {

// A link or a FIFO never holds them: it is to be replaced.
bool holdsExactly(const QString& path, const QByteArray& bytes) {
  int code = 0;
  struct stat st {};
  const int fd = openRegular(path, code, st);
  if (fd < 0) return false;
  bool same = st.st_size == bytes.size();
  if (same) {
    QByteArray current(bytes.size(), Qt::Uninitialized);
    qsizetype got = 0;
    while (got < current.size()) {
      const ssize_t n = ::read(fd, current.data() + got, static_cast<size_t>(current.size() - got));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += n;
    }
    same = got == bytes.size() && current == bytes;
  }
  ::close(fd);
  return same;
}

bool processRunning(qint64 pid) { return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM); }

}  // namespace

bool rewriteIfChanged(const QString& path, const QByteArray& bytes, const QString& openFailureMessage) {
  if (holdsExactly(writeTarget(path), bytes)) return false;
  TextWriter w;
  w.open(path, WriteMode::Rewrite, openFailureMessage);
  w.writeBytes(bytes);
  w.close();
  return true;
}

int copyFileAtomically(const QString& from, const QString& to) {
  const int in = ::open(QFile::encodeName(resolvePath(from)).constData(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return errno;
  // A link of that name is replaced, never what it leads to.
  const QString target = QFileInfo(resolvePath(to)).absoluteFilePath();
  const QFileInfo info(target);
  QByteArray tmpl = QFile::encodeName(info.absolutePath() + "/." + info.fileName() + '.' +
                                      QString::number(::getpid()) + ".XXXXXX" + QLatin1String(kTemporarySuffix));
  const int out = ::mkstemps(tmpl.data(), static_cast<int>(std::strlen(kTemporarySuffix)));
  if (out < 0) {
    const int code = errno;
    ::close(in);
    return code;
  }
  ::fchmod(out, 0644);
  int code = 0;
  char chunk[1 << 16];
  for (;;) {
    const ssize_t n = ::read(in, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) code = errno;
    if (n <= 0) break;
    for (ssize_t done = 0; done < n && code == 0;) {
      const ssize_t w = ::write(out, chunk + done, static_cast<size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) code = w < 0 ? errno : ENOSPC;
      else done += w;
    }
    if (code != 0) break;
  }
  ::close(in);
  if (code == 0 && ::fsync(out) != 0 && errno != EINVAL) code = errno;
  if (::close(out) != 0 && code == 0) code = errno;
  if (code == 0 && ::rename(tmpl.constData(), QFile::encodeName(target).constData()) != 0) code = errno;
  if (code != 0) {
    ::unlink(tmpl.constData());
    return code;
  }
  if (currentBatch)
    currentBatch->addFolder(info.absolutePath());
  else
    syncFolder(info.absolutePath());
  return 0;
}

WriteBatch::WriteBatch() : outer_(currentBatch) { currentBatch = this; }

WriteBatch::~WriteBatch() {
  currentBatch = outer_;
  for (const QString& folder : folders_) {
    if (outer_)
      outer_->addFolder(folder);
    else
      syncFolder(folder);
  }
}

void WriteBatch::addFolder(const QString& folder) {
  if (!folders_.contains(folder)) folders_ << folder;
}

void removeLeftoverTemporaries(const QString& folder, const QString& namePrefix) {
  const QString dir = QDir::cleanPath(QFileInfo(resolvePath(folder)).absoluteFilePath());
  for (const QString& name : folder_index::temporaries(dir)) {
    // "." + target + "." + pid + "." + six characters + suffix
    const QStringView inner = QStringView(name).mid(1, name.size() - 1 - qsizetype(std::strlen(kTemporarySuffix)));
    const qsizetype random = inner.lastIndexOf(u'.');
    const qsizetype pidAt = random > 0 ? inner.lastIndexOf(u'.', random - 1) : -1;
    if (pidAt <= 0) continue;
    if (!inner.left(pidAt).startsWith(namePrefix, Qt::CaseInsensitive)) continue;
    bool ok = false;
    const qint64 pid = inner.mid(pidAt + 1, random - pidAt - 1).toLongLong(&ok);
    const QString full = dir + u'/' + name;
    const bool mine = ok && pid == ::getpid();
    if (!ok || (mine && isOpenTemporary(full)) || (!mine && processRunning(pid))) continue;
    ::unlink(QFile::encodeName(full).constData());
  }
}

void removeLeftoverTemporariesBelow(const QString& folder) {
  // Deep enough for any folder the program makes; no folder tree can loop
  // without links, which are not followed.
  constexpr int kMaxDepth = 16;
  QList<std::pair<QString, int>> pending{{QDir::cleanPath(QFileInfo(resolvePath(folder)).absoluteFilePath()), 0}};
  while (!pending.isEmpty()) {
    const auto [dir, depth] = pending.takeLast();
    removeLeftoverTemporaries(dir);
    if (depth >= kMaxDepth) continue;
    for (const QString& sub : QDir(dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::NoSymLinks))
      pending.append({dir + u'/' + sub, depth + 1});
  }
}

}  // namespace platform
