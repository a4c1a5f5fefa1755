#include "core/Backups.h"

#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/Notices.h"
#include "core/TournamentFiles.h"
#include "platform/Clock.h"
#include "platform/FolderIndex.h"
#include "platform/Folders.h"
#include "platform/TextFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
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

bool CopyFolderSilently(const QString& sourceFolder, const QString& targetFolder, QStringList& leftOut) {
  const QString source = platform::resolvePath(sourceFolder);
  if (!QFileInfo(source).isDir()) return false;
  QList<platform::LeftOut> left;
  const bool copied = platform::copyRegularFiles(backupSource(source), targetFolder, kBackupFileBytes, left);
  for (const platform::LeftOut& l : left) {
    switch (l.why) {
      case platform::LeftOut::NotAFile: leftOut << l.name + QStringLiteral(" (pas un fichier ordinaire)"); break;
      case platform::LeftOut::TooLarge:
        leftOut << l.name + QStringLiteral(" (plus de %1 Mo)").arg(kBackupFileBytes / (1024 * 1024));
        break;
      case platform::LeftOut::Unreadable: leftOut << l.name + QStringLiteral(" (illisible)"); break;
    }
  }
  return copied;
}

namespace {

// The lines of a list shown before the count of the others.
constexpr qsizetype kLeftOutShown = 20;

void tellLeftOut(const QString& folder, const QStringList& leftOut) {
  if (leftOut.isEmpty()) return;
  QString text = QStringLiteral("La sauvegarde du dossier des tablettes ") + folder +
                 QStringLiteral(" a laissé de côté %1 élément(s):").arg(leftOut.size());
  for (qsizetype i = 0; i < std::min(leftOut.size(), kLeftOutShown); ++i) text += QStringLiteral("\r\n") + leftOut[i];
  if (leftOut.size() > kLeftOutShown)
    text += QStringLiteral("\r\n... et %1 autres").arg(leftOut.size() - kLeftOutShown);
  ShowAlert(text);
}

}  // namespace

QString SetAsideFolder(const QString& code) {
  const QDateTime now = platform::now();
  const QString day = BackupRoot() + now.toString(QStringLiteral("yyyyMMdd")) + '/';
  const QString base = day + QStringLiteral("Efface-") + code + '-' + now.toString(QStringLiteral("HHmmss"));
  // A second erase of the same code within the same second keeps the first.
  QString folder = base + '/';
  for (int n = 2; platform::folderExists(folder); ++n) folder = base + QStringLiteral("-%1/").arg(n);
  return folder;
}

QString SetAsideTournamentFiles(const QString& code) { return SetAsideTournamentFiles(code, QString()); }

QString SetAsideTournamentFiles(const QString& code, const QString& asked) {
  const QString folder = asked.isEmpty() ? SetAsideFolder(code) : asked;
  if (!platform::makeFolder(folder))
    throw platform::IoError(EACCES, folder, QStringLiteral("Impossible de créer le dossier ") + folder);
  QStringList extensions;
  for (const char* ext : kTournamentExtensions) extensions << QLatin1String(ext);
  if (BridgeMatesMode) extensions << QStringLiteral(".BWS");
  for (const QString& ext : extensions) {
    // Every spelling of the name, as the deletion below takes them all.
    const QFileInfo found(platform::resolvePath(DataFolder + code + ext));
    const QString from = found.absolutePath() + '/';
    int twin = 0;
    for (const QString& name : platform::folder_index::spellings(QDir::cleanPath(from), found.fileName())) {
      const QString source = from + name;
      if (!QFileInfo(source).isFile()) continue;
      // Names are matched without regard to case there too: a twin gets a
      // number rather than replacing the first spelling's copy.
      const QString target = folder + name + (twin++ == 0 ? QString() : QStringLiteral(".%1").arg(twin));
      if (const int error = platform::copyFileAtomically(backupSource(source), target); error != 0)
        throw platform::IoError(error, target,
                                QStringLiteral("Impossible de copier ") + source + QStringLiteral(" en ") + target);
    }
  }
  DeleteTournamentFiles(code);
  return folder;
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
    QStringList leftOut;
    CopyFolderSilently(TabletSharedFolder, day + QStringLiteral("Quillmarke"), leftOut);
    tellLeftOut(TabletSharedFolder, leftOut);
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

