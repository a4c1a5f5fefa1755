#include "platform/TextFiles.h"

#include "platform/Cp1252.h"
#include "platform/FolderIndex.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

IoError::IoError(int code, QString fileName, QString message)
    : std::runtime_error(message.toStdString()),
      code_(code),
      fileName_(std::move(fileName)),
      message_(std::move(message)) {}

namespace {

QString matchInFolder(const QString& folder, const QString& name) {
  return folder_index::find(folder.isEmpty() ? QStringLiteral("/") : QFileInfo(folder).absoluteFilePath(), name)
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

bool fileExists(const QString& path) {
  QString resolved;
  switch (resolveInFolder(path, resolved)) {
    case Found::No: return false;
    case Found::Yes: return QFileInfo(resolved).isFile();
    case Found::Unknown: break;
  }
  return QFileInfo(resolvePath(path)).isFile();
}

bool folderExists(const QString& path) { return QFileInfo(resolvePath(path)).isDir(); }

bool deleteFile(const QString& path) {
  // Every spelling of the name goes: a twin left behind would be found again.
  const QFileInfo target(resolvePath(path));
  const QString folder = target.absolutePath();
  bool deleted = true;
  for (const QString& e : QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
    if (e.compare(target.fileName(), Qt::CaseInsensitive) != 0) continue;
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
    if (anchored.match(e).hasMatch()) out << e;
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

void TextWriter::open(const QString& path, WriteMode mode, const QString& openFailureMessage) {
  abandon();
  mode_ = mode;
  // An existing file whose name differs only in case is the one rewritten.
  target_ = QFileInfo(resolvePath(path)).absoluteFilePath();
  buffer_.clear();
  int fd = -1;
  if (mode == WriteMode::Append) {
    fd = ::open(QFile::encodeName(target_).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  } else {
    const QFileInfo info(target_);
    QByteArray tmpl = QFile::encodeName(info.absolutePath() + "/." + info.fileName() + ".XXXXXX");
    fd = ::mkstemp(tmpl.data());
    if (fd >= 0) {
      temp_ = QFile::decodeName(tmpl);
      ::fchmod(fd, 0644);
    }
    if (fd >= 0 && info.isDir()) {  // a folder cannot be replaced by a file
      ::close(fd);
      ::unlink(tmpl.constData());
      temp_.clear();
      fd = -1;
      errno = EISDIR;
    }
  }
  if (fd < 0) {
    const int code = errno;
    const QString msg = openFailureMessage.isEmpty()
                            ? QStringLiteral("Erreur %1 à l'ouverture en écriture du fichier %2").arg(code).arg(target_)
                            : QString(openFailureMessage).arg(code).arg(target_);
    throw IoError(code, target_, msg);
  }
  fd_ = fd;
}

void TextWriter::write(const QString& text) {
  buffer_.append(toCp1252(text));
  if (buffer_.size() >= 1 << 16) flushBuffer();
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

void TextWriter::close() {
  if (fd_ < 0) return;
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
      ::unlink(QFile::encodeName(temp_).constData());
      temp_.clear();
      throw IoError(code, target_, QStringLiteral("Erreur %1 au remplacement du fichier %2").arg(code).arg(target_));
    }
    temp_.clear();
    const int dirFd = ::open(QFile::encodeName(QFileInfo(target_).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
      ::fsync(dirFd);
      ::close(dirFd);
    }
  }
}

void TextWriter::abandon() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!temp_.isEmpty()) {
    ::unlink(QFile::encodeName(temp_).constData());
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
