#include "core/SafeFiles.h"

#include "core/Globals.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString openMessage(const char* how) {
  return QStringLiteral("Erreur I/O %1 à l'ouverture en écriture du fichier (") + QLatin1String(how) +
         QStringLiteral(") : %2\r\nDites-le à Teo VARNAL...");
}

bool inExchangeFolder(const QString& fileName) {
  if (TabletSharedFolder.isEmpty()) return false;
  const QString folder = QDir::cleanPath(QFileInfo(TabletSharedFolder).absoluteFilePath()) + QLatin1Char('/');
  return QDir::cleanPath(QFileInfo(fileName).absoluteFilePath()).startsWith(folder);
}
}  // namespace

QString SafeRewriteFailureMessage() { return openMessage("rewrite"); }

void SafeRewrite(TextFile& file, const QString& fileName) {
  file.open(fileName, platform::WriteMode::Rewrite, SafeRewriteFailureMessage());
}

void SafeAppend(TextFile& file, const QString& fileName) {
  file.open(fileName, inExchangeFolder(fileName) ? platform::WriteMode::AppendOneName : platform::WriteMode::Append,
            openMessage("append"));
}

void CloseTextFile(TextFile& file) { file.close(); }
