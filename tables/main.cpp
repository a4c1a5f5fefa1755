// The tables' server: the pages every phone or tablet at the tables opens,
// and the results and players they send, written into the tablets' exchange
// folder for the program to collect.
#include "TablesFiles.h"
#include "TablesHttp.h"

#include "platform/TextFiles.h"

#include <QDir>
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <pthread.h>
#include <unistd.h>
#include <thread>

namespace {

int usage() {
  std::fputs("Usage : talvaron-tables --exchange <dossier> [--pages <dossier>] [--address <ip>] [--port <n>] "
             "[--program <dossier>]\n",
             stderr);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  tables::ServerOptions options;
  const QString exeFolder = QFileInfo(QString::fromLocal8Bit(argv[0])).absolutePath();
  options.pages = exeFolder + QStringLiteral("/tables");
  for (int i = 1; i < argc; ++i) {
    const QString option = QString::fromLocal8Bit(argv[i]);
    if (i + 1 >= argc) return usage();
    const QString value = QString::fromLocal8Bit(argv[++i]);
    if (option == QLatin1String("--exchange")) {
      options.exchange = QDir(value).absolutePath();
    } else if (option == QLatin1String("--pages")) {
      options.pages = QDir(value).absolutePath();
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

  tables::TablesHttpServer server(options);
  const int port = server.bind();
  if (port < 0) {
    std::fprintf(stderr, "Impossible d'ouvrir le port %d sur %s.\n", options.port, qPrintable(options.address));
    return 2;
  }
  std::printf("Serveur des tables : http://%s:%d/\n", qPrintable(options.address), port);
  std::fflush(stdout);
  std::thread waiter([&server, stopping] {
    int signal = 0;
    sigwait(&stopping, &signal);
    server.stop();
  });
  const bool ran = server.run();
  // A waiter still waiting takes this signal; one already gone leaves it
  // pending, blocked, for a process about to end.
  ::kill(::getpid(), SIGTERM);
  waiter.join();
  return ran ? 0 : 2;
}
