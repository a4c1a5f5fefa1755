// How the tables' server starts: its pages found from its own executable,
// wherever it is started from, and the ports other programs listen on.
#include "TablesStart.h"

#include "support/devices/TablesClient.h"
#include "support/TestState.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <gtest/gtest.h>

using testing_support::writeBytes;

namespace {

// The built server copied to path, as a package or a build places it.
void placeServer(const QString& path) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  ASSERT_TRUE(QFile::copy(QCoreApplication::applicationDirPath() + "/talvaron-tables", path));
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

struct Served {
  int exitCode = -1;  // -1 while it serves
  QByteArray errors;
  std::string page;  // "/" as the server answers it
};

// Starts the server from workingFolder on a free loopback port, asks for
// its first page and stops it.
Served serve(const QString& program, const QString& workingFolder, const QStringList& extra = {}) {
  QTemporaryDir exchange;
  QProcess p;
  p.setWorkingDirectory(workingFolder);
  p.start(program, QStringList{"--exchange", exchange.path(), "--address", "127.0.0.1", "--port", "0"} + extra);
  Served s;
  if (!p.waitForStarted(5000)) return s;
  p.waitForReadyRead(5000);
  const QRegularExpressionMatch m = QRegularExpression(":(\\d+)/").match(QString::fromUtf8(p.readLine()));
  if (m.hasMatch()) {
    s.page = testing_support::GetTables(m.captured(1).toInt(), "/").body;
    p.terminate();
  }
  p.waitForFinished(5000);
  s.exitCode = p.exitStatus() == QProcess::NormalExit && !m.hasMatch() ? p.exitCode() : -1;
  s.errors = p.readAllStandardError();
  return s;
}

}  // namespace

TEST(TablesStart, ThePagesAreThoseInstalledWithTheExecutableWhereverItIsStartedFrom) {
  QTemporaryDir dir;
  const QString prefix = dir.path() + "/usr";
  placeServer(prefix + "/bin/talvaron-tables");
  writeBytes(prefix + "/share/talvaron/tables/index.html", "<p>pages installées</p>");
  // Pages of the user's own folder, or beside: never those of an installed copy.
  writeBytes(prefix + "/bin/tables/index.html", "<p>à côté</p>");
  writeBytes(dir.path() + "/ailleurs/tables/index.html", "<p>dossier courant</p>");
  // Started from the PATH through a link, from another folder.
  QDir().mkpath(dir.path() + "/lien");
  ASSERT_TRUE(QFile::link(prefix + "/bin/talvaron-tables", dir.path() + "/lien/talvaron-tables"));
  Served s = serve(dir.path() + "/lien/talvaron-tables", dir.path() + "/ailleurs");
  EXPECT_EQ(s.page, "<p>pages installées</p>") << s.errors.constData();

  // --pages still chooses.
  s = serve(prefix + "/bin/talvaron-tables", dir.path(), {"--pages", dir.path() + "/ailleurs/tables"});
  EXPECT_EQ(s.page, "<p>dossier courant</p>");

  // In a build tree: the pages beside the executable.
  placeServer(dir.path() + "/build/out/talvaron-tables");
  writeBytes(dir.path() + "/build/out/tables/index.html", "<p>arbre de construction</p>");
  s = serve(dir.path() + "/build/out/talvaron-tables", dir.path() + "/ailleurs");
  EXPECT_EQ(s.page, "<p>arbre de construction</p>");
}

TEST(TablesStart, MissingPagesAreSaidWithTheFoldersLookedIn) {
  QTemporaryDir dir;
  placeServer(dir.path() + "/opt/bin/talvaron-tables");
  const Served s = serve(dir.path() + "/opt/bin/talvaron-tables", dir.path());
  EXPECT_EQ(s.exitCode, 2);
  EXPECT_EQ(QString::fromUtf8(s.errors),
            "Les pages des tables sont introuvables : pas de fichier index.html dans " + dir.path() +
                "/opt/share/talvaron/tables ni dans " + dir.path() + "/opt/bin/tables.\n");
  EXPECT_TRUE(s.page.empty());

  placeServer(dir.path() + "/out/talvaron-tables");
  const Served beside = serve(dir.path() + "/out/talvaron-tables", dir.path());
  EXPECT_EQ(beside.exitCode, 2);
  EXPECT_EQ(QString::fromUtf8(beside.errors), "Les pages des tables sont introuvables : pas de fichier index.html dans " +
                                                  dir.path() + "/out/tables.\n");
}

// The exit codes the server gives, each seen here or above (the pages not
// found: 2), are those its manual page lists, each beside its case.
TEST(TablesStart, HelpGivesTheUsageAndEndsWellAndTheManualPageListsEachExitCode) {
  const QString server = QCoreApplication::applicationDirPath() + "/talvaron-tables";
  QProcess help;
  help.start(server, {"--help"});
  ASSERT_TRUE(help.waitForFinished(5000));
  EXPECT_EQ(help.exitCode(), 0);
  EXPECT_TRUE(help.readAllStandardOutput().startsWith("Usage : talvaron-tables --exchange <dossier>"));
  EXPECT_TRUE(help.readAllStandardError().isEmpty());
  QProcess wrong;
  wrong.start(server, {"--exchange", QDir::tempPath(), "--port", "huit"});
  ASSERT_TRUE(wrong.waitForFinished(5000));
  EXPECT_EQ(wrong.exitCode(), 1);
  EXPECT_TRUE(wrong.readAllStandardError().startsWith("Usage : talvaron-tables"));

  QFile page(QStringLiteral(TALVARON_SOURCE_DIR) + "/packaging/talvaron-tables.1");
  ASSERT_TRUE(page.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(page.readAll());
  const QString codes = text.section(".SH CODE DE SORTIE", 1).section("\n.SH ", 0, 0);
  // ".TP", ".B <code>", then the code's case up to the next ".TP".
  auto codeCase = [&codes](int code) {
    return codes.section(QStringLiteral(".TP\n.B %1\n").arg(code), 1).section(".TP", 0, 0).simplified();
  };
  EXPECT_TRUE(codeCase(0).contains("\\-\\-help")) << codes.toStdString();
  EXPECT_TRUE(codeCase(1).contains("Ligne de commande incorrecte")) << codes.toStdString();
  EXPECT_TRUE(codeCase(2).contains("Pages des tables introuvables")) << codes.toStdString();
  EXPECT_TRUE(codeCase(2).contains("aucun port")) << codes.toStdString();
}

TEST(TablesStart, APortIsTakenWhenAnyProgramListensOnIt) {
  // /proc/net/tcp and tcp6 as the system writes them: 8080 (1F90) listened
  // on 127.0.0.1, 8081 only in TIME_WAIT (06), 8082 the far end of a
  // connection, 8083 listened on every IPv6 address.
  const QString tables =
      "  sl  local_address rem_address   st tx_queue rx_queue tr tm->when retrnsmt   uid  timeout inode\n"
      "   0: 0100007F:1F90 00000000:0000 0A 00000000:00000000 00:00000000 00000000     0        0 81 1 0 100 0 0 10 0\n"
      "   1: 0100007F:1F91 0100007F:C350 06 00000000:00000000 03:00000F7A 00000000     0        0 0 3 0\n"
      "   2: 0100007F:9C40 0100007F:1F92 01 00000000:00000000 00:00000000 00000000     0        0 82 1 0 20 4 30 10 -1\n"
      "  sl  local_address                         remote_address                        st tx_queue rx_queue\n"
      "   0: 00000000000000000000000000000000:1F93 00000000000000000000000000000000:0000 0A 00000000:00000000\n";
  EXPECT_TRUE(tables::PortListenedOn(8080, tables));
  EXPECT_FALSE(tables::PortListenedOn(8081, tables));
  EXPECT_FALSE(tables::PortListenedOn(8082, tables));
  EXPECT_TRUE(tables::PortListenedOn(8083, tables));
  EXPECT_FALSE(tables::PortListenedOn(40000, tables));
  EXPECT_FALSE(tables::PortListenedOn(8080, ""));
}

TEST(TablesStart, AServerThatCannotServeNeverSaysThatItListens) {
  // A process allowed eight files opens its port, but the server's polling
  // threads find no descriptor left: it must end without the line the
  // program takes for "served".
  QTemporaryDir exchange;
  QProcess p;
  p.setChildProcessModifier([] {
    const rlimit few{8, 8};
    ::setrlimit(RLIMIT_NOFILE, &few);
  });
  p.start(QCoreApplication::applicationDirPath() + "/talvaron-tables",
          {"--exchange", exchange.path(), "--address", "127.0.0.1", "--port", "0"});
  ASSERT_TRUE(p.waitForFinished(10000));
  EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(p.exitCode(), 2);
  EXPECT_EQ(p.readAllStandardOutput(), "");
  EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError())
                  .startsWith("Le serveur des tables n'a pas pu démarrer sur le port "));
}
