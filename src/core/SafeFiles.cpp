#include "core/SafeFiles.h"

namespace {
QString openMessage(const char* how) {
  return QStringLiteral("Erreur I/O %1 à l'ouverture en écriture du fichier (") + QLatin1String(how) +
         QStringLiteral(") : %2\r\nDites-le à Teo VARNAL...");
}
}  // namespace

QString SafeRewriteFailureMessage() { return openMessage("rewrite"); }

void SafeRewrite(TextFile& file, const QString& fileName) {
  file.open(fileName, platform::WriteMode::Rewrite, SafeRewriteFailureMessage());
}

void SafeAppend(TextFile& file, const QString& fileName) {
  file.open(fileName, platform::WriteMode::Append, openMessage("append"));
}

void CloseTextFile(TextFile& file) { file.close(); }
