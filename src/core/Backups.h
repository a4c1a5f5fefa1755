#pragma once
// The backups of the tournament's files into a folder named after the day,
// and the purge of old backups and old tournaments.
#include <QString>
#include <QStringList>

// Copies the tournament's files into the backup folder of today (added
// beside what the day's folder already holds), then purges old backups and
// old tournaments; what the copy of the tablets' folder left out is told.
// Nothing happens when the backup root holds "NoBackup.TXT" or
// "TeoSpecial.TXT", nor with devices whose exchange folder is not set.
void BackupAndPurge();
// Deletes the backup folders (named yyyymmdd) of last year dated before
// today's day and month; older years are not looked at.
void PurgeOldBackups();
// Deletes the files of every tournament of DataFolder dated (first line of
// its ".DAT") more than a year before today, except the open tournament's;
// its ".BWS" and ".PBN" are kept.
void PurgeOldTournaments();
// Copies DataFolder + TournamentCode + "." + extension into the folder when
// that file exists; a failed copy is not reported.
void BackupTournamentFile(const QString& extension, const QString& targetFolder);
// The largest file a backup of the tablets' folder copies.
inline constexpr qint64 kBackupFileBytes = 10LL * 1024 * 1024;
// Copies the regular files of a folder tree, each of at most
// kBackupFileBytes, into target (which it becomes); everything else (links,
// FIFOs, devices, larger or unreadable files) is left out and named in
// leftOut ("<name> (<why>)"). False when the source is no folder or the
// target cannot be made.
bool CopyFolderSilently(const QString& sourceFolder, const QString& targetFolder, QStringList& leftOut);

// Moves the files of tournament code (those DeleteTournamentFiles deletes)
// out of DataFolder into a folder of today's backups, "Efface-" + code + "-"
// + hhmmss, so that a tournament erased by mistake can be put back; returns
// that folder. Every file is copied there before any is deleted: a failed
// copy raises IoError (with the file's name) and leaves DataFolder whole.
QString SetAsideTournamentFiles(const QString& code);
// The same into folder, as SetAsideFolder gave it when the erase was asked
// ("" for the folder of now).
QString SetAsideTournamentFiles(const QString& code, const QString& folder);
// The folder SetAsideTournamentFiles(code) would use now (not created).
QString SetAsideFolder(const QString& code);

// The backup root (what "C:\BackupsTalvaron" is on Windows), ending with "/".
QString BackupRoot();
