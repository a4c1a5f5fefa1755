#pragma once
// How the tables' server starts: where its pages are, which ports it tries.
#include <QString>
#include <QStringList>

namespace tables {

// The ports tried when a port is asked: it, then the next ones while they
// are taken, up to kPortsTried in all (8080 to 8099); 0 (any free port)
// alone.
inline constexpr int kPortsTried = 20;
QList<int> PortsToTry(int asked);
// Some program listens on port, by the system's tables of TCP sockets (the
// text of /proc/net/tcp and /proc/net/tcp6): whatever its address, the
// port is not this server's to share.
bool PortListenedOn(int port, const QString& socketTables);
// The text of /proc/net/tcp and /proc/net/tcp6.
QString ReadSocketTables();

// The folders where the pages may be for an executable in folder exeFolder
// (its real folder, links resolved), the first one that exists taken: an
// installed copy's <prefix>/share/talvaron/tables when the executable is in
// <prefix>/bin, then "tables" beside the executable (the build tree).
QStringList PagesFolders(const QString& exeFolder);
// The real folder of this process's executable (/proc/self/exe, links
// resolved).
QString ExecutableFolder();

}  // namespace tables
