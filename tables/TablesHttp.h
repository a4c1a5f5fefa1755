#pragma once
// The tables' server on the network: the JSON calls of TablesService under
// /api/, the pages' files everywhere else, with the bounds and headers that
// a server on the club's network needs.
#include "TablesService.h"

#include <QString>

#include <memory>

namespace httplib {
class Server;
}

namespace tables {

struct ServerOptions {
  QString exchange;       // the tablets' exchange folder
  QString pages;          // the pages' folder
  QString programFolder;  // "" when the leads are never asked
  QString address = QStringLiteral("0.0.0.0");
  int port = 8080;        // 0: any free port
};

// The most a request's body and its path with its query may hold.
inline constexpr std::size_t kMaxBodyBytes = 4096;
inline constexpr std::size_t kMaxTargetBytes = 1024;

class TablesHttpServer {
 public:
  explicit TablesHttpServer(ServerOptions options);
  ~TablesHttpServer();
  // Opens the port; the port actually opened, or -1 when it cannot be.
  int bind();
  // Answers requests until stop(); false when it could not run.
  bool run();
  // Safe from any thread; run() returns once the requests under way end.
  void stop();

 private:
  ServerOptions options_;
  TablesService service_;
  std::unique_ptr<httplib::Server> server_;
};

}  // namespace tables
