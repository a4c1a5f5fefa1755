#include "TablesHttp.h"

#include <microhttpd.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>

#include <arpa/inet.h>
#include <malloc.h>
#include <ifaddrs.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <condition_variable>
#include <cstring>
#include <set>
#include <thread>

namespace tables {
namespace {

// A few polling threads share the connections; a request is answered on the
// thread that read it (a result's write syncs the disk: a few milliseconds).
constexpr unsigned kPollingThreads = 6;
// The queue of connections the kernel keeps before they are accepted: a
// full room opening its pages at once.
constexpr int kListenBacklog = 4096;
// The largest file of the pages served.
constexpr qint64 kMaxPageFileBytes = 4 << 20;

HttpAnswer errorAnswer(int status, const QString& code, const QString& message) {
  return JsonAnswer(ErrorReply(status, code, message));
}
HttpAnswer badRequest(int status = 400) {
  return errorAnswer(status, QStringLiteral("bad_request"), QStringLiteral("Requête incorrecte."));
}
HttpAnswer tooLarge() {
  return errorAnswer(413, QStringLiteral("too_large"), QStringLiteral("Requête trop longue."));
}

bool sameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y)); });
}

std::string lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The values of a header (any case of its name).
std::vector<std::string_view> headerValues(const HttpRequest& request, std::string_view name) {
  std::vector<std::string_view> values;
  for (const auto& [key, value] : request.headers)
    if (sameLetters(key, name)) values.push_back(value);
  return values;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A part of the target with its %XX (and, in a query, "+") decoded; nothing
// when an escape is bad or the text decoded holds a control character or is
// not UTF-8.
std::optional<std::string> decoded(std::string_view text, bool query) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '%') {
      if (i + 2 >= text.size()) return std::nullopt;
      const int high = hexDigit(text[i + 1]);
      const int low = hexDigit(text[i + 2]);
      if (high < 0 || low < 0) return std::nullopt;
      c = static_cast<char>(high * 16 + low);
      i += 2;
    } else if (c == '+' && query) {
      c = ' ';
    }
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) return std::nullopt;
    out.push_back(c);
  }
  const QByteArray bytes = QByteArray::fromStdString(out);
  if (QString::fromUtf8(bytes).toUtf8() != bytes) return std::nullopt;
  return out;
}

// The target's path and query pairs, decoded; nothing when the target is
// not one this server would ever send (bad escapes, control characters,
// "." or ".." segments, a backslash, a pair given twice, more pairs than
// kMaxQueryPairs).
struct Target {
  std::string path;
  std::vector<std::pair<std::string, std::string>> query;
  std::string value(std::string_view key) const {
    for (const auto& [k, v] : query)
      if (k == key) return v;
    return {};
  }
};

std::optional<Target> parseTarget(std::string_view raw) {
  if (raw.empty() || raw.front() != '/') return std::nullopt;
  const std::size_t mark = raw.find('?');
  Target t;
  const std::optional<std::string> path = decoded(raw.substr(0, mark), false);
  if (!path || path->find('\\') != std::string::npos) return std::nullopt;
  std::size_t from = 1;
  while (from <= path->size()) {
    std::size_t slash = path->find('/', from);
    if (slash == std::string::npos) slash = path->size();
    const std::string_view segment = std::string_view(*path).substr(from, slash - from);
    if (segment == "." || segment == "..") return std::nullopt;
    from = slash + 1;
  }
  t.path = *path;
  if (mark != std::string_view::npos) {
    std::string_view query = raw.substr(mark + 1);
    if (static_cast<std::size_t>(std::count(query.begin(), query.end(), '&')) >= kMaxQueryPairs) return std::nullopt;
    while (!query.empty()) {
      const std::size_t amp = query.find('&');
      const std::string_view pair = query.substr(0, amp);
      query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
      if (pair.empty()) continue;
      const std::size_t eq = pair.find('=');
      const auto key = decoded(pair.substr(0, eq), true);
      const auto value = decoded(eq == std::string_view::npos ? std::string_view() : pair.substr(eq + 1), true);
      if (!key || !value) return std::nullopt;
      for (const auto& [k, v] : t.query)
        if (k == *key) return std::nullopt;
      t.query.emplace_back(*key, *value);
    }
  }
  return t;
}

QString tokenOf(const HttpRequest& request) {
  const std::vector<std::string_view> values = headerValues(request, "Authorization");
  if (values.size() != 1) return {};
  const std::string_view header = values.front();
  constexpr std::string_view prefix = "Bearer ";
  if (header.substr(0, prefix.size()) != prefix || header.size() > 200) return {};
  return QString::fromLatin1(header.substr(prefix.size()));
}

// The body as a JSON object, or nothing.
std::optional<QJsonObject> bodyOf(const HttpRequest& request) {
  QJsonParseError error{};
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(request.body), &error);
  if (error.error != QJsonParseError::NoError || !doc.isObject()) return std::nullopt;
  return doc.object();
}

// The table number of a query, 0 when it is missing or not a number.
int tableOf(const Target& target) {
  const std::string text = target.value("table");
  if (text.empty() || text.size() > 4) return 0;
  bool ok = false;
  const int table = QString::fromStdString(text).toInt(&ok);
  return ok ? table : 0;
}

// The device as the director reads it: system, browser and address
// ("Android Chrome 192.168.1.23").
QString deviceOf(const HttpRequest& request) {
  const std::vector<std::string_view> agents = headerValues(request, "User-Agent");
  const std::string_view agent = agents.empty() ? std::string_view() : agents.front();
  const auto has = [&](std::string_view word) { return agent.find(word) != std::string_view::npos; };
  QStringList words;
  if (has("Android")) words << QStringLiteral("Android");
  else if (has("iPhone")) words << QStringLiteral("iPhone");
  else if (has("iPad")) words << QStringLiteral("iPad");
  else if (has("Windows")) words << QStringLiteral("Windows");
  else if (has("Macintosh")) words << QStringLiteral("Mac");
  else if (has("Linux")) words << QStringLiteral("Linux");
  if (has("Firefox/") || has("FxiOS/")) words << QStringLiteral("Firefox");
  else if (has("Edg/") || has("EdgA/")) words << QStringLiteral("Edge");
  else if (has("OPR/")) words << QStringLiteral("Opera");
  else if (has("SamsungBrowser/")) words << QStringLiteral("Samsung");
  else if (has("Chrome/") || has("CriOS/")) words << QStringLiteral("Chrome");
  else if (has("Safari/")) words << QStringLiteral("Safari");
  if (words.isEmpty()) words << QStringLiteral("Appareil");
  words << QString::fromStdString(request.peer).left(45);
  return words.join(u' ');
}

constexpr std::string_view kPostRoutes[] = {"/api/join", "/api/table", "/api/players", "/api/score", "/api/result"};
constexpr std::string_view kGetRoutes[] = {"/api/state", "/api/players", "/api/ranking", "/api/deals"};

bool among(std::string_view path, const auto& routes) {
  return std::find(std::begin(routes), std::end(routes), path) != std::end(routes);
}

std::string contentTypeOf(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  const std::string ext = dot == std::string::npos ? std::string() : lower(path.substr(dot + 1));
  static const std::pair<const char*, const char*> kTypes[] = {
      {"html", "text/html"},      {"htm", "text/html"},          {"css", "text/css"},
      {"js", "text/javascript"},  {"mjs", "text/javascript"},    {"json", "application/json"},
      {"txt", "text/plain"},      {"svg", "image/svg+xml"},      {"png", "image/png"},
      {"jpg", "image/jpeg"},      {"jpeg", "image/jpeg"},        {"gif", "image/gif"},
      {"webp", "image/webp"},     {"ico", "image/x-icon"},       {"woff", "font/woff"},
      {"woff2", "font/woff2"},    {"ttf", "font/ttf"},           {"webmanifest", "application/manifest+json"}};
  for (const auto& [e, type] : kTypes)
    if (ext == e) return type;
  return "application/octet-stream";
}

std::string addressText(const sockaddr* address) {
  char text[INET6_ADDRSTRLEN] = {};
  if (address == nullptr) return {};
  if (address->sa_family == AF_INET) {
    inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(address)->sin_addr, text, sizeof text);
    return text;
  }
  if (address->sa_family == AF_INET6) {
    const in6_addr& a = reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr;
    if (IN6_IS_ADDR_V4MAPPED(&a)) {
      inet_ntop(AF_INET, &a.s6_addr[12], text, sizeof text);
      return text;
    }
    inet_ntop(AF_INET6, &a, text, sizeof text);
    return text;
  }
  return {};
}

}  // namespace

HttpAnswer JsonAnswer(const Reply& reply) {
  return {reply.status, "application/json; charset=utf-8",
          QJsonDocument(reply.body).toJson(QJsonDocument::Compact).toStdString()};
}

// ---------------------------------------------------------------- own names

OwnHosts::OwnHosts(std::vector<std::string> extra) : extra_(std::move(extra)) {}

bool OwnHosts::accepts(const std::string& header) {
  std::string host = lower(trimmed(header));
  // "[::1]:8080", "192.168.1.2:8080", "portable.local".
  if (!host.empty() && host.front() == '[') {
    const std::size_t close = host.find(']');
    if (close == std::string::npos) return false;
    const std::string rest = host.substr(close + 1);
    if (!rest.empty() && (rest.front() != ':' || rest.size() > 6 ||
                          !std::all_of(rest.begin() + 1, rest.end(), [](char c) { return c >= '0' && c <= '9'; })))
      return false;
    host = host.substr(1, close - 1);
  } else if (const std::size_t colon = host.find(':'); colon != std::string::npos) {
    const std::string port = host.substr(colon + 1);
    if (port.size() > 5 || !std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; }))
      return false;
    host.resize(colon);
  }
  if (!host.empty() && host.back() == '.') host.pop_back();
  if (host.empty()) return false;
  const auto now = std::chrono::steady_clock::now();
  const std::lock_guard<std::mutex> guard(mutex_);
  if (names_.empty() || now - read_ > std::chrono::seconds(10)) {
    // Read again now and then: the laptop may have joined another network.
    names_ = extra_;
    names_.insert(names_.end(), {"localhost", "localhost.localdomain"});
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) == 0 && name[0] != '\0') {
      names_.push_back(lower(name));
      names_.push_back(lower(name) + ".local");
    }
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) == 0) {
      for (const ifaddrs* i = list; i != nullptr; i = i->ifa_next) {
        std::string text = addressText(i->ifa_addr);
        if (text.empty()) continue;
        if (const std::size_t percent = text.find('%'); percent != std::string::npos) text.resize(percent);
        names_.push_back(lower(text));
      }
      ::freeifaddrs(list);
    }
    read_ = now;
  }
  if (std::find(names_.begin(), names_.end(), host) != names_.end()) return true;
  // Any loopback address (127.x.y.z).
  in_addr v4{};
  return inet_pton(AF_INET, host.c_str(), &v4) == 1 && (ntohl(v4.s_addr) >> 24) == 127;
}

// ---------------------------------------------------------------- handler

TablesHttpHandler::TablesHttpHandler(TablesService& service, QString pages, OwnHosts& hosts)
    : service_(service), pages_(std::move(pages)), hosts_(hosts) {}

std::optional<HttpAnswer> TablesHttpHandler::head(const HttpRequest& request) {
  if (request.nulByte) return badRequest();
  if (request.target.size() > kMaxTargetBytes) return badRequest(414);
  if (request.headers.size() > static_cast<std::size_t>(kMaxHeaders))
    return errorAnswer(431, QStringLiteral("too_large"), QStringLiteral("Requête trop longue."));
  for (std::string_view once : {"Host", "Content-Length", "Content-Type", "Authorization", "Transfer-Encoding",
                                "Content-Encoding"})
    if (headerValues(request, once).size() > 1) return badRequest();
  const std::vector<std::string_view> host = headerValues(request, "Host");
  if (host.empty()) return badRequest();
  if (!hosts_.accepts(std::string(host.front()))) return badRequest(421);
  const std::optional<Target> target = parseTarget(request.target);
  if (!target) return badRequest();
  const bool api = target->path.starts_with("/api/");
  const bool post = request.method == "POST";
  if (!post && request.method != "GET" && request.method != "HEAD") return badRequest(405);
  // Bodies come whole with their length, as they are: never chunked, never
  // compressed.
  if (!headerValues(request, "Transfer-Encoding").empty()) return badRequest(411);
  const std::vector<std::string_view> encoding = headerValues(request, "Content-Encoding");
  if (!encoding.empty() && !sameLetters(trimmed(encoding.front()), "identity")) return badRequest(415);
  const std::vector<std::string_view> length = headerValues(request, "Content-Length");
  if (!post) {
    if (!length.empty() && trimmed(length.front()) != "0") return badRequest();
    if (api && among(target->path, kGetRoutes))
      if (auto refused = service_.checkCaller(tokenOf(request), deviceOf(request))) return JsonAnswer(*refused);
    return std::nullopt;
  }
  if (!api || !among(target->path, kPostRoutes)) return api ? badRequest(404) : HttpAnswer{404, {}, {}};
  if (length.empty()) return badRequest(411);
  const std::string_view digits = trimmed(length.front());
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return badRequest();
  if (digits.size() > 5 || std::stoul(std::string(digits)) > kMaxBodyBytes) return tooLarge();
  const std::vector<std::string_view> type = headerValues(request, "Content-Type");
  if (type.empty() || !sameLetters(trimmed(type.front().substr(0, type.front().find(';'))), "application/json"))
    return badRequest(415);
  if (target->path != "/api/join")
    if (auto refused = service_.checkCaller(tokenOf(request), deviceOf(request))) return JsonAnswer(*refused);
  return std::nullopt;
}

HttpAnswer TablesHttpHandler::answer(const HttpRequest& request) {
  const std::optional<Target> target = parseTarget(request.target);
  if (!target) return badRequest();
  const std::string& path = target->path;
  if (request.method == "POST") {
    if (request.body.size() > kMaxBodyBytes) return tooLarge();
    const std::optional<QJsonObject> body = bodyOf(request);
    if (!body) return badRequest();
    const QString token = tokenOf(request);
    if (path == "/api/join") return JsonAnswer(service_.join(*body, QString::fromStdString(request.peer), deviceOf(request)));
    if (path == "/api/table") return JsonAnswer(service_.claim(token, *body));
    if (path == "/api/players") return JsonAnswer(service_.sendPlayers(token, *body));
    if (path == "/api/score") return JsonAnswer(service_.score(token, *body));
    if (path == "/api/result") return JsonAnswer(service_.result(token, *body));
    return badRequest(404);
  }
  if (path.starts_with("/api/")) {
    const QString token = tokenOf(request);
    if (path == "/api/state") return JsonAnswer(service_.state(token, tableOf(*target)));
    if (path == "/api/players")
      return JsonAnswer(service_.findPlayers(token, tableOf(*target),
                                             QString::fromStdString(target->value("licence")),
                                             QString::fromStdString(target->value("name"))));
    if (path == "/api/ranking") return JsonAnswer(service_.ranking(token));
    if (path == "/api/deals") return JsonAnswer(service_.deals(token, tableOf(*target)));
    return badRequest(404);
  }
  return file(path);
}

bool TablesHttpHandler::showsValidToken(const HttpRequest& request) {
  const QString token = tokenOf(request);
  return !token.isEmpty() && !service_.checkCaller(token, deviceOf(request));
}

HttpAnswer TablesHttpHandler::handle(const HttpRequest& request) {
  if (std::optional<HttpAnswer> early = head(request)) return *early;
  return answer(request);
}

HttpAnswer TablesHttpHandler::file(const std::string& path) {
  const HttpAnswer missing{404, {}, {}};
  if (pages_.isEmpty()) return missing;
  const std::string name = path.ends_with('/') ? path + "index.html" : path;
  // No hidden file, and the path already holds no "." or ".." segment.
  if (name.find("/.") != std::string::npos) return missing;
  const QString full = pages_ + QString::fromStdString(name);
  struct stat st {};
  if (::stat(QFile::encodeName(full).constData(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxPageFileBytes)
    return missing;
  QFile f(full);
  if (!f.open(QIODevice::ReadOnly)) return missing;
  return {200, contentTypeOf(name), f.read(kMaxPageFileBytes).toStdString()};
}

// ---------------------------------------------------------------- connections

ConnectionBook::ConnectionBook(std::size_t limit, std::size_t perAddress) : limit_(limit), perAddress_(perAddress) {}

bool ConnectionBook::open(const void* connection, const QString& peer) {
  const QString key = AddressGroup(peer);
  if (const auto found = addresses_.find(key); found != addresses_.end() && found->second.open >= perAddress_)
    return false;
  Address& address = addresses_[key];
  ++address.open;
  auto entry = std::make_unique<Entry>();
  entry->address = key;
  entry->order = ++opened_;
  entry->waiting = address.waiting.insert(address.waiting.end(), connection);
  entries_[connection] = std::move(entry);
  return true;
}

void ConnectionBook::prove(const void* connection) {
  const auto found = entries_.find(connection);
  if (found == entries_.end() || found->second->proven || found->second->shutting) return;
  found->second->proven = true;
  addresses_[found->second->address].waiting.erase(found->second->waiting);
}

std::vector<const void*> ConnectionBook::overflow(const void* keep) {
  std::vector<const void*> shut;
  while (full()) {
    Address* most = nullptr;
    const void* victim = nullptr;
    std::size_t mostCount = 0;
    for (auto& [key, address] : addresses_) {
      // `keep` has just opened: it is the last of its address's.
      std::size_t count = address.waiting.size();
      if (count > 0 && address.waiting.back() == keep) --count;
      if (count == 0) continue;
      const void* oldest = address.waiting.front();
      if (count > mostCount || (count == mostCount && entries_.at(oldest)->order < entries_.at(victim)->order)) {
        most = &address;
        victim = oldest;
        mostCount = count;
      }
    }
    if (most == nullptr) break;
    Entry& entry = *entries_.at(victim);
    most->waiting.erase(entry.waiting);
    entry.shutting = true;
    ++shutting_;
    shut.push_back(victim);
  }
  return shut;
}

bool ConnectionBook::full() const { return entries_.size() - shutting_ > limit_; }

void ConnectionBook::close(const void* connection) {
  const auto found = entries_.find(connection);
  if (found == entries_.end()) return;
  const Entry& entry = *found->second;
  const auto address = addresses_.find(entry.address);
  if (entry.shutting) --shutting_;
  else if (!entry.proven) address->second.waiting.erase(entry.waiting);
  if (--address->second.open == 0) addresses_.erase(address);
  entries_.erase(found);
}

// ---------------------------------------------------------------- server

namespace {

// A raw NUL byte in a header, which the library hands on cut at it. spans:
// each header's name and value, then the end of the head, as pointers into
// the library's copy of the head (which starts at the method); after each
// text comes only what the library wrote NULs over (the colon, line ends,
// blanks) up to the next. Any other layout is taken for one.
bool headersNul(const char* method, const std::vector<const char*>& spans) {
  const char* previous = method;
  for (std::size_t i = 0; i + 1 < spans.size(); ++i) {
    const char* text = spans[i];
    const char* next = spans[i + 1];
    if (text == nullptr || next == nullptr || text <= previous || next <= text ||
        static_cast<std::size_t>(next - method) > kMaxHeadBytes)
      return true;
    if (!std::all_of(text + std::strlen(text), next, [](char c) { return c == '\0' || c == ' ' || c == '\t'; }))
      return true;
    previous = text;
  }
  return false;
}

}  // namespace

// One TCP connection: its request, and when it opened (the deadline).
struct Connection {
  int fd = -1;
  std::chrono::steady_clock::time_point opened;
  std::atomic<bool> requestDone = false;
  bool headJudged = false;
  // A target beyond the bound: answered 414 when the library gets through
  // its query, cut at once when it runs out of room for it.
  std::atomic<bool> tooLong = false;
  // Where the target starts in the library's copy of the request line.
  const char* rawTarget = nullptr;
  HttpRequest request;
};

struct TablesHttpServer::Impl {
  explicit Impl(ServerOptions o)
      : options(std::move(o)), service(options.exchange, options.programFolder), handler(service, options.pages, hosts) {}

  ServerOptions options;
  OwnHosts hosts;
  TablesService service;
  TablesHttpHandler handler;
  int listenFd = -1;
  bool ipv6 = false;
  int connectionLimit = kMaxConnections;
  int acceptLimit = kMaxConnections;
  MHD_Daemon* daemon = nullptr;

  std::mutex mutex;  // guards what follows
  std::condition_variable wake;
  bool stopping = false;
  std::set<Connection*> open;
  std::optional<ConnectionBook> book;  // from bind()

  static void notify(void* cls, MHD_Connection* c, void** socketContext, MHD_ConnectionNotificationCode code);
  static void* uriLog(void* cls, const char* uri, MHD_Connection* c);
  static MHD_Result access(void* cls, MHD_Connection* c, const char* url, const char* method, const char* version,
                           const char* uploadData, size_t* uploadSize, void** requestContext);
  static MHD_Result send(MHD_Connection* c, const HttpAnswer& answer, bool busy = false);
  // A raw NUL byte in the method or the target, which the library hands on
  // cut at it: the method ends at the request line's first blank, the target
  // at the blank before the version (the library writes a NUL over each).
  static bool rawNul(const char* rawTarget, std::size_t targetBytes, const char* url, const char* method,
                     const char* version);
  // The deadline's watch: shuts the socket of a connection whose request is
  // not whole in time (the library's own timeout counts only silence).
  void watch();
};

void TablesHttpServer::Impl::notify(void* cls, MHD_Connection* c, void** socketContext,
                                    MHD_ConnectionNotificationCode code) {
  auto* self = static_cast<Impl*>(cls);
  if (code == MHD_CONNECTION_NOTIFY_STARTED) {
    auto* connection = new Connection;
    const MHD_ConnectionInfo* fd = MHD_get_connection_info(c, MHD_CONNECTION_INFO_CONNECTION_FD);
    const MHD_ConnectionInfo* address = MHD_get_connection_info(c, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
    connection->fd = fd ? fd->connect_fd : -1;
    connection->opened = std::chrono::steady_clock::now();
    connection->request.peer = address ? addressText(address->client_addr) : std::string();
    *socketContext = connection;
    const std::lock_guard<std::mutex> guard(self->mutex);
    self->open.insert(connection);
    if (!self->book->open(connection, QString::fromStdString(connection->request.peer))) {
      // One address's share is full: closed at once, unanswered.
      connection->requestDone = true;
      ::shutdown(connection->fd, SHUT_RDWR);
      return;
    }
    for (const void* old : self->book->overflow(connection))
      ::shutdown(static_cast<const Connection*>(old)->fd, SHUT_RDWR);  // the polling thread then sees it end
  } else {
    auto* connection = static_cast<Connection*>(*socketContext);
    if (connection == nullptr) return;
    {
      // The library closes the socket after this returns: the watch never
      // shuts a descriptor that another connection got meanwhile.
      const std::lock_guard<std::mutex> guard(self->mutex);
      self->open.erase(connection);
      self->book->close(connection);
    }
    delete connection;
    *socketContext = nullptr;
  }
}

void* TablesHttpServer::Impl::uriLog(void*, const char* uri, MHD_Connection* c) {
  const MHD_ConnectionInfo* info = MHD_get_connection_info(c, MHD_CONNECTION_INFO_SOCKET_CONTEXT);
  auto* connection = info ? static_cast<Connection*>(info->socket_context) : nullptr;
  if (connection == nullptr) return nullptr;
  // The target as sent, before the library decodes it (and cuts it at a %00).
  connection->request.target = uri ? std::string(uri) : std::string();
  connection->rawTarget = uri;
  connection->request.headers.clear();
  connection->request.body.clear();
  connection->request.nulByte = false;
  connection->headJudged = false;
  connection->tooLong = connection->request.target.size() > kMaxTargetBytes;
  // The library would next split the query into its own list, a record of
  // the connection's memory for each pair: 500 empty pairs ("&&&...") fill
  // it and the connection ends unanswered. The query is read from the copy
  // above, so the library is left an empty one in its own (writable) copy
  // of the line.
  if (uri != nullptr)
    if (char* mark = const_cast<char*>(std::strchr(uri, '?')); mark != nullptr) mark[1] = '\0';
  return connection;
}

bool TablesHttpServer::Impl::rawNul(const char* rawTarget, std::size_t targetBytes, const char* url, const char* method,
                                    const char* version) {
  // Any other layout of the line than the one described is refused.
  if (rawTarget == nullptr || method == nullptr || version == nullptr || url != rawTarget || rawTarget <= method ||
      version <= rawTarget || static_cast<std::size_t>(version - method) > kMaxHeadBytes)
    return true;
  const char* methodEnd = method + std::strlen(method);
  if (methodEnd + 1 > rawTarget ||
      !std::all_of(methodEnd + 1, rawTarget, [](char c) { return c == ' '; }))
    return true;
  return targetBytes != static_cast<std::size_t>(version - 1 - rawTarget);
}

MHD_Result TablesHttpServer::Impl::send(MHD_Connection* c, const HttpAnswer& answer, bool busy) {
  MHD_Response* response = MHD_create_response_from_buffer(answer.body.size(), const_cast<char*>(answer.body.data()),
                                                           MHD_RESPMEM_MUST_COPY);
  if (response == nullptr) return MHD_NO;
  if (!answer.contentType.empty()) MHD_add_response_header(response, "Content-Type", answer.contentType.c_str());
  MHD_add_response_header(response, "Content-Security-Policy",
                          "default-src 'self'; img-src 'self' data:; frame-ancestors 'none'");
  MHD_add_response_header(response, "X-Content-Type-Options", "nosniff");
  MHD_add_response_header(response, "Referrer-Policy", "no-referrer");
  MHD_add_response_header(response, "Cache-Control", "no-cache");
  if (busy) MHD_add_response_header(response, "Retry-After", "1");
  // No connection kept between requests: each one has its deadline, and an
  // idle browser holds nothing.
  MHD_add_response_header(response, "Connection", "close");
  const MHD_Result queued = MHD_queue_response(c, static_cast<unsigned>(answer.status), response);
  MHD_destroy_response(response);
  return queued;
}

MHD_Result TablesHttpServer::Impl::access(void* cls, MHD_Connection* c, const char* url, const char* method,
                                          const char* version, const char* uploadData, size_t* uploadSize,
                                          void** requestContext) {
  auto* self = static_cast<Impl*>(cls);
  auto* connection = static_cast<Connection*>(*requestContext);
  if (connection == nullptr) return MHD_NO;
  HttpRequest& request = connection->request;
  if (!connection->headJudged) {
    connection->headJudged = true;
    request.method = method ? method : "";
    // Each header's name and value where the library holds them: between
    // them and after them, nothing but the blanks and line ends it cut.
    std::vector<const char*> spans;
    struct Reading {
      HttpRequest& request;
      std::vector<const char*>& spans;
    } reading{request, spans};
    MHD_get_connection_values(
        c, MHD_HEADER_KIND,
        [](void* cls, MHD_ValueKind, const char* key, const char* value) {
          auto* r = static_cast<Reading*>(cls);
          if (r->request.headers.size() > static_cast<std::size_t>(kMaxHeaders)) return MHD_NO;
          r->request.headers.emplace_back(key ? key : "", value ? value : "");
          r->spans.insert(r->spans.end(), {key, value});
          return MHD_YES;
        },
        &reading);
    const MHD_ConnectionInfo* headSize = MHD_get_connection_info(c, MHD_CONNECTION_INFO_REQUEST_HEADER_SIZE);
    spans.push_back(headSize && method ? method + headSize->header_size : nullptr);
    request.nulByte = rawNul(connection->rawTarget, request.target.size(), url, method, version) ||
                      (request.headers.size() <= static_cast<std::size_t>(kMaxHeaders) && headersNul(method, spans));
    const bool proven = self->handler.showsValidToken(request);
    bool full = false;
    {
      const std::lock_guard<std::mutex> guard(self->mutex);
      if (proven) self->book->prove(connection);
      full = self->book->full();
    }
    // A device that joined is answered whatever strangers hold.
    if (full && !proven) {
      connection->requestDone = true;
      return send(c, errorAnswer(503, QStringLiteral("busy"),
                                 QStringLiteral("Le serveur est très occupé : nouvel essai dans un instant.")),
                  true);
    }
    if (std::optional<HttpAnswer> early = self->handler.head(request)) {
      // Refused on its head: the body, if any, is never read.
      connection->requestDone = true;
      return send(c, *early);
    }
    if (request.method != "POST") {
      connection->requestDone = true;
      return send(c, self->handler.answer(request));
    }
    return MHD_YES;
  }
  if (*uploadSize != 0) {
    if (request.body.size() + *uploadSize > kMaxBodyBytes) return MHD_NO;  // more than it said: cut
    request.body.append(uploadData, *uploadSize);
    *uploadSize = 0;
    return MHD_YES;
  }
  connection->requestDone = true;
  return send(c, self->handler.answer(request));
}

void TablesHttpServer::Impl::watch() {
  std::unique_lock<std::mutex> lock(mutex);
  while (!stopping) {
    wake.wait_for(lock, std::chrono::milliseconds(100));
    const auto now = std::chrono::steady_clock::now();
    for (Connection* c : open) {
      const auto age = now - c->opened;
      if ((!c->requestDone && (age > std::chrono::seconds(options.requestSeconds) ||
                               (c->tooLong && age > std::chrono::milliseconds(200)))) ||
          age > std::chrono::seconds(kConnectionSeconds))
        ::shutdown(c->fd, SHUT_RDWR);  // the polling thread then sees it end
    }
  }
}

TablesHttpServer::TablesHttpServer(ServerOptions options) : impl_(std::make_unique<Impl>(std::move(options))) {}

TablesHttpServer::~TablesHttpServer() {
  if (impl_->listenFd >= 0 && impl_->daemon == nullptr) ::close(impl_->listenFd);
}

int TablesHttpServer::bind() {
  Impl& d = *impl_;
  // Every connection is a descriptor: allow as many as the system lets this
  // process have.
  rlimit files{};
  if (::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
    files.rlim_cur = std::min<rlim_t>(files.rlim_max, 65536);
    ::setrlimit(RLIMIT_NOFILE, &files);
    ::getrlimit(RLIMIT_NOFILE, &files);
  }
  // Each connection's 32 KB for its head comes from the system and goes
  // back to it when the connection ends, and the heap is shared by two
  // arenas: otherwise thousands of short connections leave the heap
  // fragmented and the memory creeps up for hours before it levels off.
  ::mallopt(M_MMAP_THRESHOLD, static_cast<int>(kMaxHeadBytes / 2));
  ::mallopt(M_ARENA_MAX, 2);
  const long spare = static_cast<long>(files.rlim_cur) - 128;
  d.connectionLimit = static_cast<int>(std::min<long>(d.options.maxConnections, std::max<long>(spare / 2, 16)));
  d.acceptLimit = static_cast<int>(std::max<long>(spare, d.connectionLimit + 64));
  d.book.emplace(static_cast<std::size_t>(d.connectionLimit), static_cast<std::size_t>(d.options.perAddress));

  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE | AI_NUMERICHOST | AI_NUMERICSERV;
  addrinfo* found = nullptr;
  const std::string port = std::to_string(d.options.port);
  if (::getaddrinfo(d.options.address.toStdString().c_str(), port.c_str(), &hints, &found) != 0 || !found) return -1;
  const int fd = ::socket(found->ai_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const int yes = 1;
  const bool bound = fd >= 0 && ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes) == 0 &&
                     ::bind(fd, found->ai_addr, found->ai_addrlen) == 0 && ::listen(fd, kListenBacklog) == 0;
  d.ipv6 = found->ai_family == AF_INET6;
  ::freeaddrinfo(found);
  if (!bound) {
    if (fd >= 0) ::close(fd);
    return -1;
  }
  sockaddr_storage local{};
  socklen_t size = sizeof local;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &size);
  d.listenFd = fd;
  return ntohs(local.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&local)->sin6_port
                                           : reinterpret_cast<sockaddr_in*>(&local)->sin_port);
}

bool TablesHttpServer::run(const std::function<void()>& serving) {
  Impl& d = *impl_;
  if (d.listenFd < 0) return false;
  {
    const std::lock_guard<std::mutex> guard(d.mutex);
    if (d.stopping) return true;
  }
  unsigned flags = MHD_USE_EPOLL_INTERNAL_THREAD | MHD_USE_ITC;
  if (d.ipv6) flags |= MHD_USE_IPv6;
  d.daemon = MHD_start_daemon(
      flags, 0, nullptr, nullptr, &Impl::access, &d,
      MHD_OPTION_LISTEN_SOCKET, static_cast<MHD_socket>(d.listenFd),
      MHD_OPTION_THREAD_POOL_SIZE, kPollingThreads,
      // The caps are the book's; the library's own, counted as it accepts,
      // is the files left to the process, so that the connections being
      // shut to make way for new ones never keep a phone's out.
      MHD_OPTION_CONNECTION_LIMIT, static_cast<unsigned>(d.acceptLimit),
      MHD_OPTION_CONNECTION_MEMORY_LIMIT, kMaxHeadBytes,
      MHD_OPTION_CONNECTION_TIMEOUT, static_cast<unsigned>(d.options.requestSeconds),
      MHD_OPTION_NOTIFY_CONNECTION, &Impl::notify, &d,
      MHD_OPTION_URI_LOG_CALLBACK, &Impl::uriLog, &d,
      MHD_OPTION_END);
  if (d.daemon == nullptr) return false;
  if (serving) serving();
  std::thread watcher([&d] { d.watch(); });
  {
    std::unique_lock<std::mutex> lock(d.mutex);
    d.wake.wait(lock, [&d] { return d.stopping; });
  }
  watcher.join();
  MHD_stop_daemon(d.daemon);  // closes every connection and the port
  d.listenFd = -1;
  return true;
}

void TablesHttpServer::stop() {
  Impl& d = *impl_;
  {
    const std::lock_guard<std::mutex> guard(d.mutex);
    d.stopping = true;
  }
  d.wake.notify_all();
}

}  // namespace tables
