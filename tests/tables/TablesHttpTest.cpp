// The tables' server on the network, as a stranger on the club's Wi-Fi
// would use it: a real server on 127.0.0.1 (the loopback addresses only),
// every wait bounded.
#include "TablesHttp.h"

#include "core/DeviceFiles.h"
#include "core/Globals.h"
#include "devices/TabletFiles.h"
#include "support/devices/TablesClient.h"
#include "support/devices/TabletTables.h"
#include "support/TestState.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <thread>

#include <gtest/gtest.h>

using namespace tables;
using testing_support::GetTables;
using testing_support::HttpReply;
using testing_support::PostTables;
using testing_support::SendRaw;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The process's resident memory, in kB.
long residentKb() {
  std::ifstream status("/proc/self/status");
  std::string word;
  while (status >> word)
    if (word == "VmRSS:") {
      long kb = 0;
      status >> kb;
      return kb;
    }
  return 0;
}

std::string json(const QJsonObject& o) { return QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString(); }
QJsonObject parse(const HttpReply& r) { return QJsonDocument::fromJson(QByteArray::fromStdString(r.body)).object(); }

std::string headerOf(const HttpReply& r, const std::string& name) {
  const std::string key = "\r\n" + name + ": ";
  const std::size_t at = r.head.find(key);
  if (at == std::string::npos) return {};
  const std::size_t from = at + key.size();
  return r.head.substr(from, r.head.find("\r\n", from) - from);
}

// Sends a head, then up to `bodyBytes` of body (chunked or plain) while
// reading: what the server answers, and how much of the body it took.
struct Streamed {
  int status = 0;
  std::size_t sent = 0;
};
Streamed stream(int port, const std::string& head, std::size_t bodyBytes, bool chunked) {
  Streamed out;
  const int fd = testing_support::ConnectToTables(port);
  if (fd < 0) return out;
  ::fcntl(fd, F_SETFL, O_NONBLOCK);
  std::string pending = head;
  std::size_t headLeft = head.size();
  const std::string piece(4096, 'x');
  std::string answer;
  const auto end = Clock::now() + std::chrono::seconds(10);
  while (Clock::now() < end) {
    if (pending.empty() && out.sent < bodyBytes) pending = chunked ? "1000\r\n" + piece + "\r\n" : piece;
    pollfd p{fd, static_cast<short>(POLLIN | (pending.empty() ? 0 : POLLOUT)), 0};
    if (::poll(&p, 1, 200) < 0) break;
    if (p.revents & POLLIN) {
      char buffer[4096];
      const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
      if (n <= 0) break;
      answer.append(buffer, static_cast<std::size_t>(n));
      if (answer.find("\r\n\r\n") != std::string::npos) break;
    }
    if ((p.revents & POLLOUT) && !pending.empty()) {
      const ssize_t n = ::send(fd, pending.data(), pending.size(), MSG_NOSIGNAL);
      if (n < 0 && errno != EAGAIN) break;
      if (n > 0) {
        const std::size_t fromHead = std::min(headLeft, static_cast<std::size_t>(n));
        headLeft -= fromHead;
        out.sent += static_cast<std::size_t>(n) - fromHead;
        pending.erase(0, static_cast<std::size_t>(n));
      }
    }
    if (p.revents & (POLLERR | POLLHUP)) break;
  }
  ::close(fd);
  std::sscanf(answer.c_str(), "HTTP/1.%*d %d", &out.status);
  return out;
}

std::string postHead(const std::string& target, const std::string& more) {
  return "POST " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: application/json\r\n" + more + "\r\n";
}

}  // namespace

class TablesHttpTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    PairsEntered = true;
    testing_support::LayOutTabletEvening("HTTP", 3, 2);
    WritePairNameFiles();
    qputenv("TALVARON_TABLES_CODE", testing_support::kTablesCode);
    pages = programDir() + "pages";
    testing_support::writeBytes(pages + "/index.html", "<!doctype html><title>T</title>");
    testing_support::writeBytes(pages + "/app.js", "'use strict';");
  }
  void TearDown() override {
    stopServer();
    qunsetenv("TALVARON_TABLES_CODE");
    TalvaronTest::TearDown();
  }
  void startServer(ServerOptions options = {}) {
    options.exchange = TabletSharedFolder;
    options.pages = pages;
    options.address = "127.0.0.1";
    options.port = 0;
    server = std::make_unique<TablesHttpServer>(options);
    port = server->bind();
    ASSERT_GT(port, 0);
    runner = std::thread([this] { server->run(); });
  }
  void stopServer() {
    if (!server) return;
    server->stop();
    runner.join();
    server.reset();
  }
  // A device holding the table.
  std::string token(int table = 1) { return testing_support::TableToken(port, table, testing_support::kTablesCode); }
  // A server of 16 connections in all and perAddress from one address.
  void startCapped(int perAddress) {
    ServerOptions options;
    options.maxConnections = 16;
    options.perAddress = perAddress;
    startServer(options);
  }
  std::string get(const std::string& target, const std::string& host = "127.0.0.1") {
    return "GET " + target + " HTTP/1.1\r\nHost: " + host + "\r\n\r\n";
  }

  QString pages;
  std::unique_ptr<TablesHttpServer> server;
  std::thread runner;
  int port = 0;
};

TEST_F(TablesHttpTest, BodiesAreBoundedHoweverTheyAreSentAndTheTokenComesFirst) {
  startServer();
  const long before = residentKb();
  // 10 MB chunked, 10 MB with no length: refused on their heads, and the
  // server takes in no more than its socket buffers.
  Streamed s = stream(port, postHead("/api/join", "Transfer-Encoding: chunked\r\n"), 10 << 20, true);
  EXPECT_EQ(s.status, 411);
  EXPECT_LT(s.sent, 4u << 20);
  s = stream(port, postHead("/api/join", ""), 10 << 20, false);
  EXPECT_EQ(s.status, 411);
  EXPECT_LT(s.sent, 4u << 20);
  s = stream(port, postHead("/api/join", "Content-Length: 10485760\r\n"), 10 << 20, false);
  EXPECT_EQ(s.status, 413);
  EXPECT_LT(s.sent, 4u << 20);
  // The stated bound: the server grows by less than 16 MB.
  EXPECT_LT(residentKb() - before, 16 * 1024);

  // A compressed body is never inflated.
  const std::string body = json({{"password", testing_support::kTablesCode}});
  HttpReply r = SendRaw(port, postHead("/api/join", "Content-Encoding: gzip\r\nContent-Length: " +
                                                        std::to_string(body.size()) + "\r\n") + body);
  EXPECT_EQ(r.status, 415);
  // One byte beyond the bound: refused on its length.
  r = SendRaw(port, postHead("/api/join", "Content-Length: 4097\r\n") + std::string(4097, ' '));
  EXPECT_EQ(r.status, 413);
  EXPECT_EQ(parse(r)["error"], "too_large");

  // A forged token is refused on the head, before a body that never comes;
  // a good token waits for its body until the request's deadline.
  auto start = Clock::now();
  r = SendRaw(port, postHead("/api/result", "Authorization: Bearer 0123.4567\r\nContent-Length: 4000\r\n"), 3000);
  EXPECT_EQ(r.status, 401);
  EXPECT_LT(msSince(start), 1000);
  const std::string good = token();
  ASSERT_FALSE(good.empty());
  start = Clock::now();
  r = SendRaw(port, postHead("/api/result", "Authorization: Bearer " + good + "\r\nContent-Length: 4000\r\n"), 9000);
  EXPECT_EQ(r.status, 0);
  EXPECT_GT(msSince(start), kRequestSeconds * 1000 - 100);
  EXPECT_LT(msSince(start), kRequestSeconds * 1000 + 1000);
}

TEST_F(TablesHttpTest, OnlyTheLaptopsOwnNamesAndJsonBodiesAreAnswered) {
  startServer();
  const std::string t = token();
  ASSERT_FALSE(t.empty());
  // A page of another site reaching the laptop by DNS rebinding names its own host.
  for (const char* host : {"evil.example", "evil.example:8080", "127.0.0.1.evil.example", "[::1]x", "10.255.255.254"}) {
    const HttpReply r = SendRaw(port, get("/api/ranking", host));
    EXPECT_TRUE(r.status == 421 || r.status == 400) << host << " " << r.status;
  }
  for (const char* host : {"127.0.0.1", "127.0.0.1:8080", "localhost", "LOCALHOST:80", "[::1]:8080", "127.1.2.3"}) {
    const std::string request = "GET /api/ranking HTTP/1.1\r\nHost: " + std::string(host) +
                                "\r\nAuthorization: Bearer " + t + "\r\n\r\n";
    EXPECT_EQ(SendRaw(port, request).status, 200) << host;
  }
  char name[256] = {};
  ASSERT_EQ(::gethostname(name, sizeof name - 1), 0);
  EXPECT_EQ(SendRaw(port, get("/", name)).status, 200) << name;
  EXPECT_EQ(SendRaw(port, "GET / HTTP/1.0\r\n\r\n").status, 400);  // no Host at all

  // A form or plain text posted from another site is refused unread.
  const std::string body = json({{"password", testing_support::kTablesCode}});
  for (const char* type : {"text/plain", "application/x-www-form-urlencoded", "multipart/form-data; boundary=x",
                           "application/jsonx"}) {
    const HttpReply r = PostTables(port, "/api/join", body, {}, type);
    EXPECT_EQ(r.status, 415) << type;
    EXPECT_EQ(parse(r)["error"], "bad_request");
  }
  EXPECT_EQ(PostTables(port, "/api/join", body, {}, "Application/JSON; charset=utf-8").status, 200);
}

TEST_F(TablesHttpTest, PathsQueriesAndHeadsThatNoPageSendsAreRefused) {
  startServer();
  const std::string t = token();
  HttpReply r = SendRaw(port, get("/app.js"));
  EXPECT_EQ(r.status, 200);
  EXPECT_EQ(headerOf(r, "Content-Type"), "text/javascript");
  EXPECT_EQ(r.body, "'use strict';");
  r = SendRaw(port, get("/"));
  EXPECT_EQ(headerOf(r, "Content-Type"), "text/html");
  EXPECT_EQ(headerOf(r, "Content-Security-Policy"), "default-src 'self'; img-src 'self' data:; frame-ancestors 'none'");
  EXPECT_EQ(headerOf(r, "X-Content-Type-Options"), "nosniff");
  EXPECT_EQ(headerOf(r, "Cache-Control"), "no-cache");
  EXPECT_EQ(headerOf(r, "Connection"), "close");
  // Served as HTML, "/app.js%00.html" would run the script's text as a page.
  for (const char* target : {"/app.js%00.html", "/app.js%00", "/%2e%2e/%2e%2e/etc/passwd", "/../../etc/passwd",
                             "/a/%2E%2E/app.js", "/app.js%ZZ", "/app.js%", "/%C3%28.html", "/x%0d%0aSet-Cookie:%20a",
                             "/app.js\\..\\x"}) {
    r = SendRaw(port, get(target));
    EXPECT_TRUE(r.status == 400 || r.status == 404) << target << " " << r.status;
    EXPECT_EQ(r.body.find("use strict"), std::string::npos) << target;
  }
  r = SendRaw(port, get("/nothing.html"));
  EXPECT_EQ(r.status, 404);
  EXPECT_EQ(headerOf(r, "X-Content-Type-Options"), "nosniff");
  r = SendRaw(port, get("/api/nothing"));
  EXPECT_EQ(r.status, 404);
  EXPECT_EQ(parse(r)["error"], "bad_request");

  // The query: a pair given twice is ambiguous; duplicates count toward the 1 KB.
  const std::string auth = "\r\nAuthorization: Bearer " + t;
  const auto getAuth = [&](const std::string& target) {
    return SendRaw(port, "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1" + auth + "\r\n\r\n");
  };
  EXPECT_EQ(getAuth("/api/state?table=1").status, 200);
  EXPECT_EQ(getAuth("/api/state?table=1&table=2").status, 400);
  EXPECT_EQ(getAuth("/api/state?table=1%00").status, 400);
  std::string many = "/api/state?table=1";
  while (many.size() <= kMaxTargetBytes) many += "&x=1";
  EXPECT_EQ(getAuth(many).status, 414);
  // Far longer: refused or cut, at once.
  while (many.size() <= 8 * kMaxTargetBytes) many += "&x=1";
  auto start = Clock::now();
  r = getAuth(many);
  EXPECT_TRUE(r.status == 414 || r.status == 0) << r.status;
  EXPECT_LT(msSince(start), 1000);

  // Heads: a few dozen headers at most, a few kilobytes at most.
  std::string head = "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n";
  for (int i = 0; i < kMaxHeaders + 5; ++i) head += "X-" + std::to_string(i) + ": 1\r\n";
  EXPECT_EQ(SendRaw(port, head + "\r\n").status, 431);
  head = "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n";
  for (int i = 0; i < 100000; ++i) head += "X: 1\r\n";
  const long before = residentKb();
  r = SendRaw(port, head + "\r\n");
  EXPECT_NE(r.status, 200);
  EXPECT_LT(residentKb() - before, 8 * 1024);
  // Two hosts, two lengths: refused.
  EXPECT_EQ(SendRaw(port, "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nHost: evil.example\r\n\r\n").status, 400);
  EXPECT_EQ(SendRaw(port, "DELETE /api/state HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n").status, 405);
  // 1e300 where a number is expected.
  r = PostTables(port, "/api/result", R"({"table":1e300,"round":1,"board":1,"previous":"","kind":"pass"})", t);
  EXPECT_EQ(r.status, 400);
}

TEST_F(TablesHttpTest, NulBytesAndQueriesOfEmptyPairsAreAnswered400) {
  startServer();
  using namespace std::string_literals;
  // A NUL byte sent as it is, where the text handed on would stop at it.
  for (const std::string& request :
       {"GET /app.js\0.html HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"s, "GE\0T /app.js HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"s,
        "GET\0 /app.js HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"s,
        "GET /app.js HTTP/1.1\r\nHost: 127.0.0.1\0.evil.example\r\n\r\n"s,
        "GET /app.js HTTP/1.1\r\nX-A: 1\r\nHo\0st: evil.example\r\nHost: 127.0.0.1\r\n\r\n"s,
        "GET /app.js HTTP/1.1\r\nHost: 127.0.0.1\r\nX-A: a\0b\r\n\r\n"s}) {
    const HttpReply r = SendRaw(port, request, 2000);
    EXPECT_EQ(r.status, 400) << testing::PrintToString(request);
    EXPECT_EQ(r.body.find("use strict"), std::string::npos);
  }
  // Blanks, bare line ends and a body beside the head are not such bytes.
  EXPECT_EQ(SendRaw(port, "GET  /app.js HTTP/1.1\nHost:   127.0.0.1  \nX-A:\n\n").status, 200);
  EXPECT_EQ(PostTables(port, "/api/join", json({{"password", testing_support::kTablesCode}})).status, 200);

  // A query of many empty pairs: within the target's bound, refused at once.
  for (const int pairs : {17, 500, 1000}) {
    const auto start = Clock::now();
    const HttpReply r = SendRaw(port, get("/app.js?" + std::string(pairs, '&')), 3000);
    EXPECT_EQ(r.status, 400) << pairs;
    EXPECT_LT(msSince(start), 1000) << pairs;
  }
  EXPECT_EQ(SendRaw(port, get("/app.js?a=1&&b=2&")).status, 200);
}

TEST_F(TablesHttpTest, TricklingConnectionsHoldNoTableBack) {
  startServer();
  const std::string t = token();
  ASSERT_FALSE(t.empty());
  // 64 connections, each from an address of its own, send a head one byte
  // every 100 ms and never finish it.
  std::vector<int> tricklers;
  for (int i = 0; i < 64; ++i) {
    const int fd = testing_support::ConnectToTables(port, "127.0.1." + std::to_string(i + 1));
    ASSERT_GE(fd, 0);
    tricklers.push_back(fd);
  }
  std::atomic<bool> done = false;
  std::atomic<int> cut = 0;
  std::thread trickle([&] {
    const std::string head = "POST /api/join HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Slow: ";
    std::vector<bool> open(tricklers.size(), true);
    for (std::size_t k = 0; !done; ++k) {
      for (std::size_t i = 0; i < tricklers.size(); ++i) {
        if (!open[i]) continue;
        const char c = k < head.size() ? head[k] : 'a';
        if (::send(tricklers[i], &c, 1, MSG_NOSIGNAL | MSG_DONTWAIT) != 1) {
          open[i] = false;
          ++cut;
        }
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  });
  // Meanwhile three tables poll their state.
  const std::string tokens[] = {{}, t, token(2), token(3)};
  double slowest = 0;
  int answered = 0;
  const auto end = Clock::now() + std::chrono::milliseconds(kRequestSeconds * 1000 + 1500);
  while (Clock::now() < end) {
    for (int table = 1; table <= 3; ++table) {
      const auto start = Clock::now();
      const HttpReply r = GetTables(port, "/api/state?table=" + std::to_string(table), tokens[table]);
      slowest = std::max(slowest, msSince(start));
      EXPECT_EQ(r.status, 200);
      ++answered;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  done = true;
  trickle.join();
  for (int fd : tricklers) ::close(fd);
  EXPECT_LT(slowest, 1000);
  EXPECT_GT(answered, 30);
  // The deadline shut every trickling connection.
  EXPECT_EQ(cut, 64);
}

TEST_F(TablesHttpTest, StrangersHoldingEveryConnectionKeepNoPhoneOut) {
  startCapped(4);
  std::vector<std::string> phones;
  for (int table = 1; table <= 3; ++table) phones.push_back(token(table));
  ASSERT_FALSE(phones.back().empty());

  // 6 addresses each hold 4 silent connections (half as many again as the
  // cap in all), each reopened as soon as the server shuts it.
  std::atomic<bool> done = false;
  std::atomic<int> reopened = 0;
  std::thread stranger([&] {
    std::vector<std::pair<int, std::string>> held;
    for (int a = 1; a <= 6; ++a)
      for (int k = 0; k < 4; ++k) {
        const std::string from = "127.0.5." + std::to_string(a);
        held.emplace_back(testing_support::ConnectToTables(port, from), from);
      }
    while (!done) {
      std::vector<pollfd> polls;
      for (const auto& [fd, from] : held) polls.push_back({fd, POLLIN, 0});
      if (::poll(polls.data(), polls.size(), 20) < 0) break;
      for (std::size_t i = 0; i < held.size(); ++i) {
        if (held[i].first >= 0 && polls[i].revents == 0) continue;
        if (held[i].first >= 0) ::close(held[i].first);
        held[i].first = testing_support::ConnectToTables(port, held[i].second);
        ++reopened;
      }
      // At most a hundred rounds a second: each reopening shuts another,
      // and the sockets left waiting out their close would fill the
      // system's tables that other tests read.
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    for (const auto& [fd, from] : held) ::close(fd);
  });

  // Meanwhile three phones that joined poll their table past the request's
  // deadline, and a new phone opens the page and joins.
  int polls = 0;
  int served = 0;
  const auto end = Clock::now() + std::chrono::milliseconds(kRequestSeconds * 1000 + 1500);
  while (Clock::now() < end) {
    for (int table = 1; table <= 3; ++table) {
      ++polls;
      if (GetTables(port, "/api/state?table=" + std::to_string(table), phones[table - 1]).status == 200) ++served;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  const int page = SendRaw(port, get("/"), 2000, "127.0.6.1").status;
  const int late = PostTables(port, "/api/join", json({{"password", testing_support::kTablesCode}})).status;
  done = true;
  stranger.join();
  EXPECT_GT(reopened, 24);  // the strangers' connections were shut and reopened
  EXPECT_GT(polls, 30);
  EXPECT_EQ(served, polls);
  EXPECT_EQ(page, 200);
  EXPECT_EQ(late, 200);
}

TEST_F(TablesHttpTest, AServerFullOfJoinedDevicesAnswers503AtOnceAndOneAddressHoldsFewConnections) {
  startCapped(6);
  const std::string t = token(1);
  // One address: six connections, the seventh closed unanswered; another
  // address is served.
  std::vector<int> held;
  for (int i = 0; i < 6; ++i) held.push_back(testing_support::ConnectToTables(port, "127.0.3.1"));
  HttpReply r;
  const auto again = Clock::now();
  while (msSince(again) < 3000 && (r = SendRaw(port, get("/"), 2000, "127.0.3.1")).status != 0) {
  }
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(SendRaw(port, get("/"), 2000, "127.0.3.2").status, 200);
  for (int fd : held) ::close(fd);
  held.clear();

  // 16 devices that joined each start a result and keep its body back
  // (the server's "100 Continue" says it read the head): connections of
  // joined devices are never shut to make room.
  const std::string head =
      postHead("/api/result", "Authorization: Bearer " + t + "\r\nContent-Length: 100\r\nExpect: 100-continue\r\n");
  for (int i = 0; i < 16; ++i) {
    const int fd = testing_support::ConnectToTables(port, "127.0.2." + std::to_string(i + 1));
    ASSERT_EQ(::send(fd, head.data(), head.size(), MSG_NOSIGNAL), static_cast<ssize_t>(head.size()));
    pollfd p{fd, POLLIN, 0};
    char answer[32] = {};
    ASSERT_EQ(::poll(&p, 1, 3000), 1);
    ASSERT_GT(::recv(fd, answer, sizeof answer - 1, 0), 0);
    EXPECT_EQ(std::string(answer).substr(0, 12), "HTTP/1.1 100");
    held.push_back(fd);
  }
  // Full: a request without a token is told so at once; one with a token
  // is answered.
  const auto start = Clock::now();
  r = SendRaw(port, get("/"), 2000);
  EXPECT_LT(msSince(start), 500);
  EXPECT_EQ(r.status, 503);
  EXPECT_EQ(parse(r)["error"], "busy");
  EXPECT_EQ(headerOf(r, "Retry-After"), "1");
  EXPECT_EQ(GetTables(port, "/api/state?table=1", t).status, 200);
  for (int fd : held) ::close(fd);
}

TEST(ConnectionBookTest, AnAddressIsCountedAsTheJoinLimitCountsItAndStrangersMakeRoomFirst) {
  ConnectionBook book(3, 2);
  int c[8] = {};
  // An IPv6 device picks any address of its /64: one address for the cap.
  EXPECT_TRUE(book.open(&c[0], "fd00:1:2:4::a"));
  EXPECT_TRUE(book.open(&c[1], "fd00:1:2:3::a"));
  EXPECT_TRUE(book.open(&c[2], "fd00:1:2:3:ffff:eeee:dddd:1"));
  EXPECT_FALSE(book.open(&c[3], "fd00:1:2:3::b"));
  // Beyond the cap, the address holding the most connections without a
  // token gives its oldest, though the other network's is older; one that
  // showed a token is never shut, and then the server is full.
  EXPECT_TRUE(book.open(&c[4], "10.0.0.4"));
  EXPECT_EQ(book.overflow(&c[4]), std::vector<const void*>{&c[1]});
  for (int i : {0, 2, 4}) book.prove(&c[i]);
  EXPECT_TRUE(book.open(&c[5], "10.0.0.5"));
  EXPECT_TRUE(book.overflow(&c[5]).empty());
  EXPECT_TRUE(book.full());
  book.close(&c[1]);
  EXPECT_TRUE(book.open(&c[6], "fd00:1:2:3::c"));  // its address's share is free again
  book.close(&c[5]);
  book.close(&c[6]);
  EXPECT_FALSE(book.full());
}

TEST_F(TablesHttpTest, AThousandConnectionsAtOnceWaitForNoRetry) {
  startServer();
  // 1,000 connections opened at once from 40 addresses: every one
  // connected at once (none left for the kernel's retry of a full queue),
  // and answered.
  std::vector<int> fds;
  std::vector<Clock::time_point> opened;
  for (int i = 0; i < 1000; ++i) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    ASSERT_GE(fd, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(0x7f040001 + i % 40);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local), 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<uint16_t>(port));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to);
    fds.push_back(fd);
  }
  const auto start = Clock::now();
  const std::string request = get("/index.html");
  std::vector<int> state(fds.size(), 0);  // 0 connecting, 1 sent, 2 answered, 3 failed
  double slowestConnect = 0;
  int answered = 0;
  while (msSince(start) < 10000 && answered < 1000) {
    std::vector<pollfd> polls;
    for (std::size_t i = 0; i < fds.size(); ++i)
      if (state[i] < 2) polls.push_back({fds[i], static_cast<short>(state[i] == 0 ? POLLOUT : POLLIN), 0});
    if (polls.empty() || ::poll(polls.data(), polls.size(), 100) < 0) break;
    for (const pollfd& p : polls) {
      if (p.revents == 0) continue;
      const std::size_t i = static_cast<std::size_t>(std::find(fds.begin(), fds.end(), p.fd) - fds.begin());
      if (state[i] == 0) {
        slowestConnect = std::max(slowestConnect, msSince(start));
        state[i] = ::send(p.fd, request.data(), request.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(request.size()) ? 1 : 3;
      } else {
        char buffer[256];
        const ssize_t n = ::recv(p.fd, buffer, sizeof buffer, 0);
        state[i] = n > 12 && std::string(buffer, 12) == "HTTP/1.1 200" ? 2 : 3;
        if (state[i] == 2) ++answered;
      }
    }
  }
  for (int fd : fds) ::close(fd);
  EXPECT_EQ(answered, 1000);
  // A connection the kernel's queue had no room for is retried after a second.
  EXPECT_LT(slowestConnect, 900);
}

TEST_F(TablesHttpTest, SigtermEndsTheServerWithinASecondWhileAClientTrickles) {
  testing_support::TablesServerProcess process(TabletSharedFolder, programDir() + "tables-server-sigterm");
  ASSERT_GT(process.port(), 0);
  const int fd = testing_support::ConnectToTables(process.port());
  ASSERT_GE(fd, 0);
  std::atomic<bool> done = false;
  std::atomic<int> sent = 0;
  std::thread trickle([&] {
    const std::string head = "GET /index.html HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Slow: aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa";
    for (std::size_t k = 0; !done && k < head.size(); ++k) {
      if (::send(fd, &head[k], 1, MSG_NOSIGNAL) == 1) ++sent;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  });
  // The head half sent: the server is reading a request.
  for (const auto end = Clock::now() + std::chrono::seconds(5); sent < 30 && Clock::now() < end;)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_GE(sent, 30);
  const auto start = Clock::now();
  EXPECT_TRUE(process.terminate(1000));
  EXPECT_LT(msSince(start), 1000);
  done = true;
  trickle.join();
  ::close(fd);
}
