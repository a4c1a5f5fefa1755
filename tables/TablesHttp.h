#pragma once
// The tables' server on the network: the JSON calls of TablesService under
// /api/, the pages' files everywhere else, with the bounds and headers that
// a server on the club's network needs. Event-driven (libmicrohttpd, a few
// polling threads): an idle or trickling connection holds no thread.
#include "TablesService.h"

#include <QString>

#include <chrono>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tables {

// The most a request's body and its path with its query may hold, and the
// most pairs its query may name (empty ones included).
inline constexpr std::size_t kMaxBodyBytes = 4096;
inline constexpr std::size_t kMaxTargetBytes = 1024;
inline constexpr std::size_t kMaxQueryPairs = 16;
// A request's head (request line and headers) and its number of headers.
inline constexpr std::size_t kMaxHeadBytes = 32768;
inline constexpr int kMaxHeaders = 48;
// Open connections from one address (an IPv6 one by its /64), and in all
// (fewer when the process may not open that many files).
inline constexpr int kConnectionsPerAddress = 32;
inline constexpr int kMaxConnections = 2000;
// A request must arrive whole within this time of its connection's opening;
// a connection lives at most kConnectionSeconds.
inline constexpr int kRequestSeconds = 5;
inline constexpr int kConnectionSeconds = 30;

struct ServerOptions {
  QString exchange;       // the tablets' exchange folder
  QString pages;          // the pages' folder
  QString programFolder;  // "" when the leads are never asked
  QString address = QStringLiteral("0.0.0.0");
  int port = 8080;        // 0: any free port
  // The bounds above; the tests make them small.
  int maxConnections = kMaxConnections;
  int perAddress = kConnectionsPerAddress;
  int requestSeconds = kRequestSeconds;
};

// One request as it reached the server: the target still escaped.
struct HttpRequest {
  std::string method;
  std::string target;  // path and query as sent
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;
  std::string peer;  // the client's address
  // A raw NUL byte in the request line or a header: the texts above are
  // cut there.
  bool nulByte = false;
};

struct HttpAnswer {
  int status = 200;
  std::string contentType;
  std::string body;
};

// The laptop's own names: every address of its interfaces, the loopback
// ones, "localhost" and its host name (also with ".local"). A Host header
// naming anything else comes from a page of another site (DNS rebinding).
class OwnHosts {
 public:
  // Names taken as the laptop's besides those found (the tests' names).
  explicit OwnHosts(std::vector<std::string> extra = {});
  // host: the Host header, with or without its port.
  bool accepts(const std::string& host);

 private:
  std::vector<std::string> extra_;
  std::mutex mutex_;
  std::vector<std::string> names_;
  std::chrono::steady_clock::time_point read_{};
};

// What the server answers, without the network: the head is judged before
// the body is read (a refusal then ends the connection unread).
class TablesHttpHandler {
 public:
  TablesHttpHandler(TablesService& service, QString pages, OwnHosts& hosts);
  // An answer from the request line and headers alone, or nothing when the
  // body is to be read.
  std::optional<HttpAnswer> head(const HttpRequest& request);
  // The answer to a whole request whose head was let through.
  HttpAnswer answer(const HttpRequest& request);
  // head(), then answer() when the head lets it through.
  HttpAnswer handle(const HttpRequest& request);
  // The request carries the token of a device that joined this evening.
  bool showsValidToken(const HttpRequest& request);

 private:
  HttpAnswer file(const std::string& path);
  TablesService& service_;
  QString pages_;
  OwnHosts& hosts_;
};

// The JSON answer of a service call.
HttpAnswer JsonAnswer(const Reply& reply);

// The open connections, for the caps: counted by address (AddressGroup) and
// in all. Beyond the cap in all, connections that have shown no valid token
// are shut to make room, the oldest of the address that holds the most of
// them first (the oldest of all among equals): a stranger's idle or trickling connections never keep out the
// phones of the tables, which hold one or two each. Not thread-safe: the
// server calls it under its lock.
class ConnectionBook {
 public:
  ConnectionBook(std::size_t limit, std::size_t perAddress);
  // A connection opens: false, and it is not counted, when its address
  // holds perAddress connections already.
  bool open(const void* connection, const QString& peer);
  // A request of the connection showed a valid token: it is never shut to
  // make room.
  void prove(const void* connection);
  // The connections to shut so that no more than the cap stay open besides
  // those already being shut, never `keep`. Each counts as being shut from
  // then on.
  std::vector<const void*> overflow(const void* keep);
  // More connections open than the cap, besides those being shut.
  bool full() const;
  // The connection ended (nothing for one refused by open()).
  void close(const void* connection);

 private:
  struct Entry {
    QString address;
    std::uint64_t order = 0;  // the how-manyeth to open
    bool proven = false;
    bool shutting = false;
    std::list<const void*>::iterator waiting;  // in its address's list while it may be shut
  };
  struct Address {
    std::size_t open = 0;
    std::list<const void*> waiting;  // no token shown, not being shut: oldest first
  };
  std::size_t limit_;
  std::size_t perAddress_;
  std::unordered_map<const void*, std::unique_ptr<Entry>> entries_;
  std::unordered_map<QString, Address> addresses_;
  std::size_t shutting_ = 0;
  std::uint64_t opened_ = 0;
};

class TablesHttpServer {
 public:
  explicit TablesHttpServer(ServerOptions options);
  ~TablesHttpServer();
  // Opens the port; the port actually opened, or -1 when it cannot be.
  int bind();
  // Answers requests until stop(); false when it could not run. serving is
  // called once the server answers requests.
  bool run(const std::function<void()>& serving = {});
  // Safe from any thread; run() returns within a second whatever the
  // clients do.
  void stop();

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace tables
