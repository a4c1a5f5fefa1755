#pragma once
// The backups of the tournament's files into a folder named after the day,
// and the purge of old backups and old tournaments.
#include <QString>

// Copies the tournament's files into the backup folder of today (added
// beside what the day's folder already holds), then purges old backups and
// old tournaments. Nothing happens when the backup root holds "NoBackup.TXT"
// or "TeoSpecial.TXT", nor with devices whose exchange folder is not set.
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
// Copies a whole folder into target (which it becomes); true on success.
bool CopyFolderSilently(const QString& sourceFolder, const QString& targetFolder);

// Moves the files of tournament code (those DeleteTournamentFiles deletes)
// out of DataFolder into a folder of today's backups, "Efface-" + code + "-"
// + hhmmss, so that a tournament erased by mistake can be put back; returns
// that folder. Every file is copied there before any is deleted: a failed
// copy raises IoError (with the file's name) and leaves DataFolder whole.
QString SetAsideTournamentFiles(const QString& code);

// The backup root (what "C:\BackupsTalvaron" is on Windows), ending with "/".
QString BackupRoot();
