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

void copyShipped(const QString& from, const QString& to) {
  if (!QDir().mkpath(QFileInfo(to).absolutePath())) cannotWrite(errno ? errno : EACCES, to);
  if (const int code = copyFileAtomically(from, to)) cannotWrite(code, to);
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
  if (readRegularFile(record, kMaxListBytes) == listBytes) return {};
  const std::optional<ShippedList> list = parseShippedList(listBytes);
  if (!list) return {};

  ShippedFilesUpdate update;
  update.version = list->version;
  WriteBatch batch;
  for (const ShippedFile& file : list->files) {
    const QString target = resolvePath(folder + file.name);
    struct stat st {};
    if (::lstat(QFile::encodeName(target).constData(), &st) != 0) {
      copyShipped(shipped + file.name, target);
      update.added.append(file.name);
      continue;
    }
    const QString sum = S_ISREG(st.st_mode) ? fileChecksum(target) : QString();
    if (sum == file.checksums.first()) continue;
    if (!sum.isEmpty() && file.checksums.contains(sum)) {
      copyShipped(shipped + file.name, target);
      update.replaced.append(file.name);
    } else {
      update.kept.append(file.name);
    }
  }
  copyShipped(listPath, record);
  return update;
}

}  // namespace platform
