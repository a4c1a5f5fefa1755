#include "core/CompanionPrograms.h"

#include "core/DeviceNumbers.h"
#include "core/Fatal.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/Notices.h"
#include "core/TournamentFileLines.h"
#include "platform/Clock.h"
#include "platform/Folders.h"
#include "platform/Process.h"
#include "platform/TextFiles.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Stops a running copy of the program of the program folder, then starts it.
int startCompanion(const QString& executable, const QStringList& arguments, bool waitAfterStop) {
  platform::Processes& p = platform::processes();
  if (p.isRunning(executable)) {
    p.stop(executable);
    if (waitAfterStop) PauseMs(1000);
  }
  return p.start(ProgramFolder + executable, arguments);
}

}  // namespace

void StartCompanionOrHalt(const QString& executable, bool waitAfterStop) {
  const int code = startCompanion(executable, {}, waitAfterStop);
  if (code == platform::kStartNotFound)
    FatalStop(QStringLiteral("Pas trouvé ") + executable + QStringLiteral(". Impossible de continuer!"));
  if (code == platform::kStartAccessRefused)
    FatalStop(QStringLiteral("Accès refusé par Windows au lancement de ") + executable +
              QStringLiteral(". Impossible de continuer!"));
  if (code <= 32)
    FatalStop(QStringLiteral("Erreur %1 au lancement de ").arg(code) + executable +
              QStringLiteral(". Impossible de continuer!"));
}

QString BridgeMatesControlProgram() {
  if (!BridgeMatesControlPath.isEmpty()) return BridgeMatesControlPath;
  const QString beside = ProgramFolder + kBridgeMatesControlName;
  return platform::fileExists(beside) ? platform::resolvePath(beside) : kBridgeMatesControlName;
}

bool FindFileRecursive(const QString& folder, const QString& name, QString& path) {
  const QDir dir(folder);
  const QFileInfoList entries =
      dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Unsorted);
  for (const QFileInfo& entry : entries) {
    if (entry.isSymLink()) continue;
    if (entry.isDir()) {
      if (FindFileRecursive(entry.filePath(), name, path)) return true;
    } else if (entry.fileName().compare(name, Qt::CaseInsensitive) == 0) {
      path = entry.filePath();
      return true;
    }
  }
  return false;
}

void AppendToPath(const QString& text) {
  QString value = qEnvironmentVariable("PATH");
  if (!value.isEmpty()) value += QDir::listSeparator();
  qputenv("PATH", (value + text).toLocal8Bit());
}

void LocateExternalProgram(const QString& rememberedFile, const QString& executable, const QString& waitingText) {
  const QString remembered = ProgramFolder + rememberedFile;
  QString path;
  if (platform::fileExists(remembered)) {
    path = platform::tryReadFirstLine(remembered).value_or(QString());
    if (path.isEmpty() || !platform::fileExists(path)) {
      path.clear();
      platform::deleteFile(remembered);
      ShowAlert(QStringLiteral("Le fichier ") + rememberedFile + QStringLiteral(" ne contient pas un chemin correct vers ") +
                executable + QStringLiteral(". On le recrée..."));
    }
  }
  if (path.isEmpty()) {
    ui::ShowNotice(forms::ProgramSearchNotice, waitingText);
    const bool found = FindFileRecursive(ProgramFolder, executable, path) ||
                       FindFileRecursive(platform::driveRootFolder(), executable, path);
    if (!found) {
      ui::HideNotice(forms::ProgramSearchNotice);
      FatalStop(QStringLiteral("Désolé, je ne trouve pas ") + executable +
                QStringLiteral(" pour les BridgeMates sur votre disque dur. N'avez-vous pas oublié de l'installer? "
                               "Désolé, on quitte!"));
    }
    PauseMs(2000);
    ui::HideNotice(forms::ProgramSearchNotice);
  }
  tournament_files::RewriteWholeFile(remembered, path + QStringLiteral("\r\n"));
  if (rememberedFile.compare(QStringLiteral("BMPro.TXT"), Qt::CaseInsensitive) == 0)
    BridgeMatesControlPath = path;
  else
    ClubMembersFile = path;
  AppendToPath(QFileInfo(path).absolutePath());
}

void LaunchContractEditor(int board, int nsPair, int ewPair) {
  const int code = startCompanion(kContractEditorName,
                                  {QString::number(board), QString::number(nsPair),
                                   QString::number(DeviceEwNumber(ewPair))},
                                  true);
  if (code == platform::kStartNotFound)
    ShowAlert(QStringLiteral("Impossible de modifier un contrat dans Talvaron pour la version FFB avec tablettes. Je "
                             "tente de lancer le programme \"") +
              kContractEditorName + QStringLiteral("\" que je ne trouve pas dans le dossier standard..."));
  else if (code <= 32)
    ShowAlert(QStringLiteral("Erreur %1 au lancement de ").arg(code) + kContractEditorName);
}

