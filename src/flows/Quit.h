#pragma once
// The orderly end of the program: a confirmation, the save of the whole
// tournament, a backup into a folder named after the day, the purge of old
// backups and old tournaments, and the stop of the device servers.
#include <QString>

#include <functional>

// The quit of every main window (quit button, Esc, close box). Returns only
// when the director declines, or when the save fails (the error is passed on
// and the program stays open).
void QuitProgram();

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

// The backup root (what "C:\BackupsTalvaron" is on Windows), ending with "/".
QString BackupRoot();

// With devices: stops the device servers and the control program still
// running, in order, waiting 1 s after each stop. Without devices nothing is
// looked for.
void StopDeviceServers();
// Makes StopDeviceServers the companion stopper of StopCompanionsAndHalt.
void InstallCompanionStopper();

// The collection timer of the tournament menu: stop answers whether it was
// running; restart starts it again (after a failed save).
void SetCollectionTimerControl(std::function<bool()> stop, std::function<void()> restart);
