#include "core/Backups.h"

#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Notices.h"
#include "core/TournamentFiles.h"
#include "platform/Clock.h"
#include "platform/Folders.h"
#include "platform/TextFiles.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace {

// The waiting window forms::BackupWait, hidden again however the backup ends.
class WaitWindow {
 public:
  WaitWindow() { ui::ShowNotice(forms::BackupWait, QStringLiteral("Backup en cours...")); }
  ~WaitWindow() { ui::HideNotice(forms::BackupWait); }
  WaitWindow(const WaitWindow&) = delete;
  WaitWindow& operator=(const WaitWindow&) = delete;
};

std::optional<int> twoOrFourDigits(const QString& text) {
  for (const QChar c : text)
    if (!c.isDigit()) return std::nullopt;
  bool ok = false;
  const int n = text.toInt(&ok);
  return ok ? std::optional<int>(n) : std::nullopt;
}

bool eightDigits(const QString& name) {
  if (name.size() != 8) return false;
  for (const QChar c : name)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

QString BackupRoot() { return platform::driveRootFolder() + QStringLiteral("BackupsTalvaron/"); }

namespace {

// What a backup copies: the file or folder a link leads to, not the link,
// which would keep nothing once its target changes.
QString backupSource(const QString& path) {
  const QFileInfo info(path);
  return info.isSymLink() ? info.canonicalFilePath() : path;
}

}  // namespace

void BackupTournamentFile(const QString& extension, const QString& targetFolder) {
  const QString source = platform::resolvePath(DataFolder + TournamentCode + '.' + extension);
  if (!QFileInfo(source).isFile()) return;
  const QString target = targetFolder + QFileInfo(source).fileName();
  platform::deleteFile(target);
  platform::copyTree(backupSource(source), target);
}

bool CopyFolderSilently(const QString& sourceFolder, const QString& targetFolder) {
  const QString source = platform::resolvePath(sourceFolder);
  if (!QFileInfo(source).isDir()) return false;
  return platform::copyTree(backupSource(source), targetFolder);
}

void BackupAndPurge() {
  if (TableDevicesMode && TabletSharedFolder.isEmpty()) return;
  const QString root = BackupRoot();
  if (platform::fileExists(root + QStringLiteral("NoBackup.TXT")) ||
      platform::fileExists(root + QStringLiteral("TeoSpecial.TXT")))
    return;
  WaitWindow wait;
  platform::makeFolder(root);
  // The folder of today, whatever the tournament's date; a second tournament
  // of the day adds its files beside the first one's.
  const QString day = root + platform::now().toString(QStringLiteral("yyyyMMdd")) + '/';
  platform::makeFolder(day);
  // An earlier backup of the same tournament today goes first, so that a
  // file deleted since then does not come back from the backup.
  if (!TournamentCode.isEmpty())
    for (const QString& name : QDir(day).entryList(QDir::Files | QDir::Hidden | QDir::System))
      if (name.contains(u'.') && name.section(u'.', 0, 0).compare(TournamentCode, Qt::CaseInsensitive) == 0)
        platform::deleteFile(day + name);
  for (const char* ext : kTournamentExtensions) BackupTournamentFile(QLatin1String(ext + 1), day);
  for (const char* ext : {"BWS", "PBN"}) BackupTournamentFile(QLatin1String(ext), day);
  if (TableDevicesMode) {
    platform::deleteTree(day + QStringLiteral("Quillmarke"));
    CopyFolderSilently(TabletSharedFolder, day + QStringLiteral("Quillmarke"));
    if (FederationMode && !FederationBwsFile.isEmpty()) {
      const QString bws = platform::resolvePath(FederationBwsFile);
      if (QFileInfo(bws).isFile()) {
        const QString target = day + QFileInfo(bws).fileName();
        platform::deleteFile(target);
        platform::copyTree(backupSource(bws), target);
      }
    }
  }
  PurgeOldBackups();
  PurgeOldTournaments();
}

void PurgeOldBackups() {
  const QDate today = platform::now().date();
  DateYear = today.toString(QStringLiteral("yyyy"));
  DateMonth = today.toString(QStringLiteral("MM"));
  DateDay = today.toString(QStringLiteral("dd"));
  const QString lastYear = QString::number(today.year() - 1);
  const QString root = BackupRoot();
  for (const QString& name : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    if (!eightDigits(name) || !name.startsWith(lastYear)) continue;
    const int month = name.mid(4, 2).toInt();
    const int day = name.mid(6, 2).toInt();
    if (month < today.month() || (month == today.month() && day < today.day())) platform::deleteTree(root + name);
  }
}

void PurgeOldTournaments() {
  const QDate today = platform::now().date();
  const int thresholdYear = today.year() - 1;
  for (const QString& name : platform::listFolder(DataFolder, QStringLiteral("*.DAT"))) {
    const QString code = name.left(name.size() - 4);
    if (code.isEmpty() || code.compare(TournamentCode, Qt::CaseInsensitive) == 0) continue;
    const auto lines = platform::tryReadTextLines(DataFolder + name);
    if (!lines || lines->isEmpty()) continue;
    const QString line = lines->first();
    const auto d = twoOrFourDigits(line.mid(0, 2));
    const auto m = twoOrFourDigits(line.mid(3, 2));
    auto y = twoOrFourDigits(line.mid(6, 4));
    if (!d || !m || !y) continue;
    // A year typed with two digits is of this century ("05/12/26" is not
    // nineteen centuries old); with one or three digits the date is unsure
    // and the tournament is kept.
    const qsizetype yearDigits = line.mid(6, 4).size();
    if (yearDigits == 2)
      *y += 2000;
    else if (yearDigits != 4)
      continue;
    const bool before = *y < thresholdYear || (*y == thresholdYear && *m < today.month()) ||
                        (*y == thresholdYear && *m == today.month() && *d < today.day());
    if (!before) continue;
    for (const char* ext : kTournamentExtensions) platform::deleteFile(DataFolder + code + QLatin1String(ext));
  }
}

