// The tables' server: the pages every phone or tablet at the tables opens,
// and the results and players they send, written into the tablets' exchange
// folder for the program to collect.
#include "TablesFiles.h"
#include "TablesHttp.h"
#include "TablesStart.h"

#include "platform/TextFiles.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <pthread.h>
#include <unistd.h>
#include <thread>

namespace {

// The usage: asked for (--help), on the standard output and 0; after a
// wrong command line, on the error output and 1.
int usage(bool asked = false) {
  std::fputs("Usage : talvaron-tables --exchange <dossier> [--pages <dossier>] [--address <ip>] [--port <n>] "
             "[--program <dossier>]\n",
             asked ? stdout : stderr);
  return asked ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  tables::ServerOptions options;
  bool pagesGiven = false;
  for (int i = 1; i < argc; ++i) {
    const QString option = QString::fromLocal8Bit(argv[i]);
    if (option == QLatin1String("--help")) return usage(true);
    if (i + 1 >= argc) return usage();
    const QString value = QString::fromLocal8Bit(argv[++i]);
    if (option == QLatin1String("--exchange")) {
      options.exchange = QDir(value).absolutePath();
    } else if (option == QLatin1String("--pages")) {
      options.pages = QDir(value).absolutePath();
      pagesGiven = true;
    } else if (option == QLatin1String("--program")) {
      options.programFolder = QDir(value).absolutePath();
    } else if (option == QLatin1String("--address")) {
      options.address = value;
    } else if (option == QLatin1String("--port")) {
      bool ok = false;
      options.port = value.toInt(&ok);
      if (!ok || options.port < 0 || options.port > 65535) return usage();
    } else {
      return usage();
    }
  }
  if (options.exchange.isEmpty()) return usage();

  // The pages installed with this very executable, wherever it was started
  // from: never a copy the user keeps.
  if (!pagesGiven) {
    const QStringList folders = tables::PagesFolders(tables::ExecutableFolder());
    for (const QString& folder : folders)
      if (QFileInfo(folder + QStringLiteral("/index.html")).isFile()) {
        options.pages = folder;
        break;
      }
    if (options.pages.isEmpty()) {
      std::fprintf(stderr, "Les pages des tables sont introuvables : pas de fichier index.html dans %s.\n",
                   qPrintable(folders.join(QStringLiteral(" ni dans "))));
      return 2;
    }
  }

  // SIGTERM and SIGINT end the server through one waiting thread; every
  // other thread starts with them blocked.
  sigset_t stopping;
  sigemptyset(&stopping);
  sigaddset(&stopping, SIGTERM);
  sigaddset(&stopping, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stopping, nullptr);
  std::signal(SIGPIPE, SIG_IGN);

  // What a writer cut short by a kill left behind (never a result file).
  platform::removeLeftoverTemporariesBelow(tables::ExchangeFolder(options.exchange).seriesFolder());

  // The port asked, else the next free one.
  const QList<int> ports = tables::PortsToTry(options.port);
  std::unique_ptr<tables::TablesHttpServer> server;
  int port = -1;
  // Read once: on a machine with many sockets each read takes a while.
  const QString socketTables = tables::ReadSocketTables();
  for (const int tried : ports) {
    // The server's socket shares a port with another of the same user's
    // (for a quick start again over its own closed connections): a port
    // some program already listens on is skipped first.
    if (tried > 0 && tables::PortListenedOn(tried, socketTables)) continue;
    options.port = tried;
    server = std::make_unique<tables::TablesHttpServer>(options);
    port = server->bind();
    if (port >= 0) break;
  }
  if (port < 0) {
    if (ports.size() > 1)
      std::fprintf(stderr,
                   "Aucun des ports %d à %d n'est libre sur %s : un autre programme les occupe. Les tables ne "
                   "peuvent pas être servies.\n",
                   ports.first(), ports.last(), qPrintable(options.address));
    else
      std::fprintf(stderr, "Impossible d'ouvrir le port %d sur %s.\n", ports.first(), qPrintable(options.address));
    return 2;
  }
  tables::TablesHttpServer& serving = *server;
  std::thread waiter([&serving, stopping] {
    int signal = 0;
    sigwait(&stopping, &signal);
    serving.stop();
  });
  // The line the program waits for, once the pages are served: never for a
  // server that could not start.
  const bool ran = serving.run([&options, port] {
    std::printf("Serveur des tables : http://%s:%d/\n", qPrintable(options.address), port);
    std::fflush(stdout);
  });
  if (!ran)
    std::fprintf(stderr, "Le serveur des tables n'a pas pu démarrer sur le port %d : %s.\n", port,
                 std::strerror(errno));
  // A waiter still waiting takes this signal; one already gone leaves it
  // pending, blocked, for a process about to end.
  ::kill(::getpid(), SIGTERM);
  waiter.join();
  return ran ? 0 : 2;
}
