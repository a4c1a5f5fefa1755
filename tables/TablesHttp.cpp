#include "TablesHttp.h"

#include <httplib.h>

#include <QJsonDocument>
#include <QJsonParseError>

namespace tables {
namespace {

// A browser keeps its connection open between requests, and the library
// gives each open connection a thread until it closes: enough threads for
// every table's devices of a large room, and idle connections closed soon.
constexpr int kWorkerThreads = 64;
constexpr int kKeepAliveSeconds = 3;

void answer(httplib::Response& res, const Reply& reply) {
  res.status = reply.status;
  res.set_content(QJsonDocument(reply.body).toJson(QJsonDocument::Compact).toStdString(),
                  "application/json; charset=utf-8");
}

QString tokenOf(const httplib::Request& req) {
  const std::string header = req.get_header_value("Authorization");
  const std::string prefix = "Bearer ";
  if (header.rfind(prefix, 0) != 0 || header.size() > 200) return {};
  return QString::fromLatin1(header.substr(prefix.size()));
}

// The body as a JSON object, or nothing.
std::optional<QJsonObject> bodyOf(const httplib::Request& req) {
  QJsonParseError error{};
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(req.body), &error);
  if (error.error != QJsonParseError::NoError || !doc.isObject()) return std::nullopt;
  return doc.object();
}

// The table number of a query, 0 when it is missing or not a number.
int tableOf(const httplib::Request& req) {
  const std::string text = req.get_param_value("table");
  if (text.empty() || text.size() > 4) return 0;
  bool ok = false;
  const int table = QString::fromStdString(text).toInt(&ok);
  return ok ? table : 0;
}

Reply badRequest() { return ErrorReply(400, QStringLiteral("bad_request"), QStringLiteral("Requête incorrecte.")); }

}  // namespace

TablesHttpServer::TablesHttpServer(ServerOptions options)
    : options_(std::move(options)),
      service_(options_.exchange, options_.programFolder),
      server_(std::make_unique<httplib::Server>()) {
  httplib::Server& s = *server_;
  s.new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
  s.set_payload_max_length(kMaxBodyBytes);
  s.set_read_timeout(5, 0);
  s.set_write_timeout(5, 0);
  s.set_keep_alive_timeout(kKeepAliveSeconds);
  s.set_tcp_nodelay(true);  // small answers leave at once, not after the peer's delayed acknowledgement
  s.set_keep_alive_max_count(1000);
  s.set_default_headers({{"Content-Security-Policy", "default-src 'self'; img-src 'self' data:; frame-ancestors 'none'"},
                         {"X-Content-Type-Options", "nosniff"},
                         {"Referrer-Policy", "no-referrer"},
                         {"Cache-Control", "no-cache"}});
  s.set_pre_routing_handler([](const httplib::Request& req, httplib::Response& res) {
    std::size_t length = req.path.size();
    for (const auto& [key, value] : req.params) length += key.size() + value.size() + 2;
    if (length <= kMaxTargetBytes) return httplib::Server::HandlerResponse::Unhandled;
    answer(res, ErrorReply(414, QStringLiteral("bad_request"), QStringLiteral("Requête incorrecte.")));
    return httplib::Server::HandlerResponse::Handled;
  });
  const httplib::Server::HandlerWithResponse onError = [](const httplib::Request& req, httplib::Response& res) {
    if (!res.body.empty()) return httplib::Server::HandlerResponse::Unhandled;
    if (res.status == 413) {
      answer(res, ErrorReply(413, QStringLiteral("too_large"), QStringLiteral("Requête trop longue.")));
      return httplib::Server::HandlerResponse::Handled;
    }
    if (req.path.rfind("/api/", 0) == 0) {
      const int status = res.status;
      answer(res, badRequest());
      res.status = status;
      return httplib::Server::HandlerResponse::Handled;
    }
    return httplib::Server::HandlerResponse::Unhandled;
  };
  s.set_error_handler(onError);

  TablesService& service = service_;
  using Call = std::function<Reply(const QString& token, const QJsonObject& body)>;
  const auto post = [&s](const char* path, Call call) {
    s.Post(path, [call](const httplib::Request& req, httplib::Response& res) {
      const std::optional<QJsonObject> body = bodyOf(req);
      answer(res, body ? call(tokenOf(req), *body) : badRequest());
    });
  };
  s.Post("/api/join", [&service](const httplib::Request& req, httplib::Response& res) {
    const std::optional<QJsonObject> body = bodyOf(req);
    answer(res, body ? service.join(*body, QString::fromStdString(req.remote_addr)) : badRequest());
  });
  post("/api/table", [&service](const QString& t, const QJsonObject& b) { return service.claim(t, b); });
  post("/api/players", [&service](const QString& t, const QJsonObject& b) { return service.sendPlayers(t, b); });
  post("/api/score", [&service](const QString& t, const QJsonObject& b) { return service.score(t, b); });
  post("/api/result", [&service](const QString& t, const QJsonObject& b) { return service.result(t, b); });
  s.Get("/api/state", [&service](const httplib::Request& req, httplib::Response& res) {
    answer(res, service.state(tokenOf(req), tableOf(req)));
  });
  s.Get("/api/players", [&service](const httplib::Request& req, httplib::Response& res) {
    answer(res, service.playersList(tokenOf(req)));
  });
  s.Get("/api/ranking", [&service](const httplib::Request& req, httplib::Response& res) {
    answer(res, service.ranking(tokenOf(req)));
  });
  s.Get("/api/deals", [&service](const httplib::Request& req, httplib::Response& res) {
    answer(res, service.deals(tokenOf(req), tableOf(req)));
  });
  if (!options_.pages.isEmpty()) s.set_mount_point("/", options_.pages.toStdString());
}

TablesHttpServer::~TablesHttpServer() = default;

int TablesHttpServer::bind() {
  const std::string host = options_.address.toStdString();
  if (options_.port == 0) return server_->bind_to_any_port(host);
  return server_->bind_to_port(host, options_.port) ? options_.port : -1;
}

bool TablesHttpServer::run() { return server_->listen_after_bind(); }

void TablesHttpServer::stop() { server_->stop(); }

}  // namespace tables
