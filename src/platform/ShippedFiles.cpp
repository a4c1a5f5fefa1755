#include "platform/ShippedFiles.h"

#include "platform/TextFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// The list is a few kilobytes; anything far larger is not one.
constexpr qsizetype kMaxListBytes = 1 << 20;

bool isChecksum(const QString& text) {
  if (text.size() != 64) return false;
  for (const QChar c : text)
    if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f'))) return false;
  return true;
}

// A name under the shipped folder: relative, without "." or ".." parts.
bool isInsideName(const QString& name) {
  if (name.isEmpty() || name.startsWith(u'/') || name.contains(u'\\')) return false;
  for (const QString& part : name.split(u'/'))
    if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..")) return false;
  return true;
}

[[noreturn]] void cannotWrite(int code, const QString& target) {
  throw IoError(code, target,
                QStringLiteral("Impossible de mettre à jour le fichier %1 (erreur %2)").arg(target).arg(code));
}

// Writing refused by the folder's owner or its file system, not a fault.
bool refusedCode(int code) { return code == EACCES || code == EPERM || code == EROFS; }

// False when the folder refuses the file; throws on any other failure.
bool copyShipped(const QString& from, const QString& to) {
  errno = 0;
  int code = QDir().mkpath(QFileInfo(to).absolutePath()) ? copyFileAtomically(from, to) : (errno ? errno : EACCES);
  if (refusedCode(code)) return false;
  if (code) cannotWrite(code, to);
  return true;
}

// The list held in bytes; nothing when there are none or they are not such a list.
std::optional<ShippedList> parseShippedList(const std::optional<QByteArray>& bytes) {
  if (!bytes) return std::nullopt;
  const QStringList lines = splitLines(QString::fromUtf8(*bytes));
  if (lines.isEmpty() || !lines.first().startsWith(QLatin1String("Talvaron "))) return std::nullopt;
  ShippedList list;
  list.version = lines.first().mid(9).trimmed();
  if (list.version.isEmpty()) return std::nullopt;
  for (qsizetype i = 1; i < lines.size(); ++i) {
    if (lines[i].isEmpty()) continue;
    QStringList fields = lines[i].split(u'\t');
    ShippedFile file{fields.takeFirst(), fields};
    if (!isInsideName(file.name) || file.checksums.isEmpty()) return std::nullopt;
    for (const QString& sum : file.checksums)
      if (!isChecksum(sum)) return std::nullopt;
    list.files.append(file);
  }
  return list;
}

}  // namespace

std::optional<ShippedList> readShippedList(const QString& path) {
  return parseShippedList(readRegularFile(path, kMaxListBytes));
}

QString fileChecksum(const QString& path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return {};
  struct stat st {};
  QString sum;
  QFile file;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && file.open(fd, QIODevice::ReadOnly)) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (hash.addData(&file)) sum = QString::fromLatin1(hash.result().toHex());
  }
  file.close();
  ::close(fd);
  return sum;
}

ShippedFilesUpdate updateShippedFiles(const QString& folder, const QString& shipped) {
  const QString listPath = shipped + kShippedListName;
  const QString record = folder + kShippedListName;
  // The usual start: the folder already holds this list, read once and not parsed.
  const std::optional<QByteArray> listBytes = readRegularFile(listPath, kMaxListBytes);
  const std::optional<QByteArray> recordBytes = readRegularFile(record, kMaxListBytes);
  if (recordBytes == listBytes || !listBytes) return {};
  ShippedFilesUpdate update;
  const std::optional<ShippedList> list = parseShippedList(listBytes);
  if (!list) {
    update.unreadableList = true;
    copyShipped(listPath, record);
    return update;
  }
  // The release the folder was last brought up to, when this one does not
  // know its files' bytes: a newer one.
  const std::optional<ShippedList> before = parseShippedList(recordBytes);
  auto shippedBefore = [&before](const ShippedFile& file, const QString& sum) {
    if (!before) return false;
    for (const ShippedFile& earlier : before->files)
      if (earlier.name == file.name) return earlier.checksums.contains(sum);
    return false;
  };

  update.version = list->version;
  WriteBatch batch;
  for (const ShippedFile& file : list->files) {
    const QString target = resolvePath(folder + file.name);
    struct stat st {};
    if (::lstat(QFile::encodeName(target).constData(), &st) != 0) {
      (copyShipped(shipped + file.name, target) ? update.added : update.refused).append(file.name);
      continue;
    }
    const QString sum = S_ISREG(st.st_mode) ? fileChecksum(target) : QString();
    if (sum == file.checksums.first()) continue;
    if (!sum.isEmpty() && file.checksums.contains(sum)) {
      (copyShipped(shipped + file.name, target) ? update.replaced : update.refused).append(file.name);
    } else if (!sum.isEmpty() && shippedBefore(file, sum)) {
      update.newer.append(file.name);
      update.newerVersion = before->version;
    } else {
      update.kept.append(file.name);
    }
  }
  // Tried again at the next start while a file is missing.
  if (update.refused.isEmpty() && !copyShipped(listPath, record)) update.refused.append(kShippedListName);
  return update;
}

}  // namespace platform
