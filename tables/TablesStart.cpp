#include "TablesStart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace tables {

QList<int> PortsToTry(int asked) {
  if (asked <= 0) return {0};
  QList<int> ports;
  for (int port = asked; port < asked + kPortsTried && port <= 65535; ++port) ports << port;
  return ports;
}

bool PortListenedOn(int port, const QString& socketTables) {
  static const QRegularExpression blanks(QStringLiteral("\\s+"));
  for (const QString& line : socketTables.split(u'\n')) {
    // "  sl  local_address rem_address   st ...": the port in hex after the
    // local address, 0A a listening socket.
    const QStringList f = line.split(blanks, Qt::SkipEmptyParts);
    if (f.size() < 4 || f[3] != QLatin1String("0A")) continue;
    const qsizetype colon = f[1].lastIndexOf(u':');
    bool ok = false;
    if (colon >= 0 && static_cast<int>(f[1].mid(colon + 1).toUInt(&ok, 16)) == port && ok) return true;
  }
  return false;
}

QString ReadSocketTables() {
  QString text;
  for (const char* name : {"/proc/net/tcp", "/proc/net/tcp6"}) {
    QFile f(QString::fromLatin1(name));
    if (f.open(QIODevice::ReadOnly)) text += QString::fromLatin1(f.readAll()) + u'\n';
  }
  return text;
}

QStringList PagesFolders(const QString& exeFolder) {
  const QDir bin(exeFolder);
  QStringList folders;
  if (bin.dirName() == QLatin1String("bin"))
    folders << QDir::cleanPath(bin.absoluteFilePath(QStringLiteral("../share/talvaron/tables")));
  folders << QDir::cleanPath(bin.absoluteFilePath(QStringLiteral("tables")));
  return folders;
}

QString ExecutableFolder() {
  return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).absolutePath();
}

}  // namespace tables
