#include "core/ResultsFolder.h"

#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/SafeFiles.h"
#include "platform/Folders.h"
#include "platform/FolderLock.h"
#include "platform/TextFiles.h"

#include <QDir>
#include <QFileInfo>

QString FindResultsFolder() {
  QString folder;
  if (const auto lines = platform::tryReadTextLines(ProgramFolder + QStringLiteral("PATH.TXT")); lines && !lines->isEmpty())
    folder = lines->first().trimmed();
  // A folder given without its full path lies in the program folder, not in
  // whatever folder the program was started from.
  if (!folder.isEmpty() && QDir::isRelativePath(folder)) folder = QDir::cleanPath(ProgramFolder + folder);
  if (folder.isEmpty() || !platform::folderExists(folder)) {
    folder = ProgramFolder + QStringLiteral("Resultats/");
    platform::makeFolder(folder);
  } else {
    folder = platform::resolvePath(folder);
  }
  if (!folder.endsWith('/')) folder += '/';
  return folder;
}

bool LockResultsFolder(const QString& folder, const QString& consequence) {
  int openError = 0;
  const auto holder = platform::lockFolder(folder, kResultsFolderLockFile, openError);
  if (openError != 0) {
    ShowAlert(QStringLiteral("Erreur %1: Talvaron ne peut pas ouvrir le fichier de verrouillage ").arg(openError) +
              folder + kResultsFolderLockFile +
              QStringLiteral(". Sans lui, une autre copie du programme pourrait travailler sur les mêmes fichiers et "
                             "perdre des résultats: ") +
              consequence);
    return false;
  }
  if (!holder) return true;
  QString text = QStringLiteral("Talvaron tourne déjà sur le dossier des résultats ") + folder + LockHolderText(*holder);
  text += QStringLiteral(". Deux programmes sur les mêmes fichiers perdraient des résultats: ") + consequence;
  ShowAlert(text);
  return false;
}

QString LockHolderText(const platform::FolderLockHolder& holder) {
  QString text;
  if (holder.since.isValid())
    text += QStringLiteral(" depuis le ") + holder.since.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(" à ") +
            holder.since.toString(QStringLiteral("HH:mm:ss"));
  if (holder.processId > 0) text += QStringLiteral(" (processus %1)").arg(holder.processId);
  return text;
}

void LockResultsFolderOrHalt(const QString& folder) {
  if (!LockResultsFolder(folder, QStringLiteral("celui-ci s'arrête sans rien écrire.")))
    HaltProgram();
}

void LoadResultsFolder() {
  const QString folder = FindResultsFolder();
  LockResultsFolderOrHalt(folder);
  DataFolder = folder;
  // What saves cut short left behind.
  platform::removeLeftoverTemporaries(DataFolder);
  platform::removeLeftoverTemporaries(ProgramFolder);
  WritePathFile();
}

void WritePathFile() {
  TextFile f;
  SafeRewrite(f, ProgramFolder + QStringLiteral("PATH.TXT"));
  f.write(DataFolder);
  CloseTextFile(f);
}
