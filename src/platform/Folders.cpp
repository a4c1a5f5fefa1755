#include "platform/Folders.h"

#include "platform/TextFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cerrno>
#include <filesystem>
#include <system_error>

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

bool makeProgramFolder(const QStringList& emptyFiles) {
  if (!qEnvironmentVariableIsEmpty("TALVARON_PROGRAM_FOLDER")) return false;
  const QString shipped = shippedFilesFolder();
  if (shipped.isEmpty()) return false;
  return seedFolder(userProgramFolder(), shipped, emptyFiles);
}

bool seedFolder(const QString& folder, const QString& seed, const QStringList& emptyFiles) {
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
  if (!copyTree(seed, partial.path())) throw fail(EIO);
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

bool deleteTree(const QString& path) {
  if (path.isEmpty()) return false;
  std::error_code ec;
  std::filesystem::remove_all(fsPath(path), ec);  // removes links, never what they point to
  return !ec && !std::filesystem::exists(std::filesystem::symlink_status(fsPath(path)));
}

bool makeFolder(const QString& path) { return QDir().mkpath(resolvePath(path)); }

}  // namespace platform
