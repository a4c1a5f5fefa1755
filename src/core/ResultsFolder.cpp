#include "core/ResultsFolder.h"

#include "core/Globals.h"
#include "core/SafeFiles.h"
#include "platform/Folders.h"
#include "platform/TextFiles.h"

#include <QDir>
#include <QFileInfo>

void LoadResultsFolder() {
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
