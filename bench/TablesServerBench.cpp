// The tables' server under a club's evening, on the loopback address only:
// 21 tables, each sending a board 150 to 1150 ms after the page said the
// last one was taken (a harsher pace than a real room's few seconds; the
// spread puts the taps anywhere in the collection's cycle), while the
// program's collection runs as the menu runs it: every 500 ms, and at once
// when a table's folder changes. After each
// result the table asks for its state as the page does while a result waits
// for the program (at once, then every 100 ms) until the board shows it
// taken. Reported: the slowest and the 99th-percentile answer, the slowest
// time from the tap to the result file on disk (the file's time stamp), the
// time from the tap (the answer to the result) to "pris par le programme"
// (median, 95th percentile, slowest), and the connections lost. Bounded:
// 21 x 8 results, about ten seconds.
#include "core/DeviceFiles.h"
#include "core/Globals.h"
#include "devices/TabletFiles.h"
#include "devices/TabletImport.h"
#include "flows/TournamentMenu.h"
#include "support/devices/TablesClient.h"
#include "support/devices/TabletTables.h"
#include "support/TestState.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <random>
#include <thread>

#include <poll.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kTables = 21;
constexpr int kResultsPerTable = 8;
// The page's pace while a result waits: every 100 ms for 3 s, then every
// 250 ms; its quick polls stop after 10 s.
constexpr auto kPageFirstPolls = std::chrono::milliseconds(100);
constexpr auto kPageFirstFor = std::chrono::seconds(3);
constexpr auto kPageLaterPolls = std::chrono::milliseconds(250);
constexpr auto kGiveUp = std::chrono::seconds(10);

std::string json(const QJsonObject& o) { return QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString(); }

QJsonObject parse(const testing_support::HttpReply& r) {
  return QJsonDocument::fromJson(QByteArray::fromStdString(r.body)).object();
}

double since(std::chrono::system_clock::time_point start, const struct timespec& stamp) {
  const auto at = std::chrono::system_clock::time_point(std::chrono::duration_cast<std::chrono::system_clock::duration>(
      std::chrono::seconds(stamp.tv_sec) + std::chrono::nanoseconds(stamp.tv_nsec)));
  return std::chrono::duration<double, std::milli>(at - start).count();
}

// The largest tablets evening in a folder of its own: 21 tables of a
// Mitchell, two boards a table, the session files written.
void layOutEvening(const QTemporaryDir& tmp, const QString& code) {
  testing_support::resetGlobals();
  qputenv("TALVARON_DOCUMENTS_FOLDER", (tmp.path() + "/Documents").toUtf8());
  ProgramFolder = tmp.path() + "/program/";
  DataFolder = ProgramFolder + "Resultats/";
  QDir().mkpath(DataFolder);
  TournamentCode = code;
  TableDevicesMode = TabletsMode = true;
  PairsEntered = true;
  testing_support::MakeTabletMitchell(kTables, 2);
  WriteTabletSessionFiles();
  WritePairNameFiles();
}

void BM_TablesServerEvening(benchmark::State& state) {
  QTemporaryDir tmp;
  layOutEvening(tmp, "BENCH");
  menuView().timerEnabled = true;  // the collection runs as the timer's

  // The server runs as at the club: a process of its own beside the program.
  testing_support::TablesServerProcess server(TabletSharedFolder);
  const int port = server.port();

  QStringList folders{QString()};
  for (int t = 1; t <= kTables; ++t) folders << TableFolder(t);  // the threads never read the globals
  std::vector<double> answers;
  std::vector<double> takenAfter;
  std::vector<double> passes;  // the collection's passes
  double slowestFile = 0;
  int failures = 0;
  int lost = 0;      // requests that got no answer at all
  int notTaken = 0;  // results the page never saw taken
  std::mutex lock;
  for (auto _ : state) {
    std::atomic<int> running = kTables;
    std::vector<std::thread> tables;
    for (int t = 1; t <= kTables; ++t)
      tables.emplace_back([&, t] {
        const std::string token = testing_support::TableToken(port, t, testing_support::kTablesCode);
        std::mt19937 random(t);
        const QJsonObject s = parse(testing_support::GetTables(port, "/api/state?table=" + std::to_string(t), token));
        int sent = 0;
        for (const QJsonValue round : s["rounds"].toArray())
          for (const QJsonValue b : round["boards"].toArray()) {
            if (sent++ >= kResultsPerTable) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(150 + random() % 1000));
            const int board = b["board"].toInt();
            const std::string body = json({{"table", t}, {"round", round["round"]}, {"board", board},
                                           {"previous", ""}, {"kind", "contract"}, {"declarer", "N"},
                                           {"level", 1 + board % 7}, {"strain", "P"}, {"doubling", ""},
                                           {"result", 0}, {"lead", "RC"}});
            const auto tap = std::chrono::system_clock::now();
            const auto start = std::chrono::steady_clock::now();
            const auto r = testing_support::PostTables(port, "/api/result", body, token);
            const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            struct stat st {};
            const QString file = folders[t] + QStringLiteral("/REST%1.TXT").arg(board);
            const bool onDisk = ::stat(QFile::encodeName(file).constData(), &st) == 0;
            {
              const std::lock_guard<std::mutex> guard(lock);
              answers.push_back(ms);
              if (r.status == 0) ++lost;
              if (r.status != 200) ++failures;
              // The collection may already have taken it: then the echo proves it arrived.
              if (onDisk) slowestFile = std::max(slowestFile, since(tap, st.st_mtim));
            }
            // The page asks until the program has taken the board: no file
            // waiting any more and the program's echo there.
            const auto answered = std::chrono::steady_clock::now();
            bool taken = false;
            while (!taken && std::chrono::steady_clock::now() - answered < kGiveUp) {
              const auto polled = testing_support::GetTables(port, "/api/state?table=" + std::to_string(t), token);
              if (polled.status == 0) {
                const std::lock_guard<std::mutex> guard(lock);
                ++lost;
              }
              for (const QJsonValue x : parse(polled)["rounds"].toArray())
                for (const QJsonValue y : x["boards"].toArray())
                  if (y["board"].toInt() == board) taken = y["pending"].isNull() && y["echo"].isObject();
              if (!taken)
                std::this_thread::sleep_for(std::chrono::steady_clock::now() - answered < kPageFirstFor ? kPageFirstPolls
                                                                                                      : kPageLaterPolls);
            }
            const std::lock_guard<std::mutex> guard(lock);
            if (taken)
              takenAfter.push_back(
                  std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - answered).count());
            else
              ++notTaken;
          }
        --running;
      });
    // The program's collection, on this thread as in the program: a pass
    // every 500 ms (a pass that runs late makes the timer skip), and one as
    // soon as a table's folder changes (the changes that came meanwhile
    // wake one pass).
    const int changes = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    for (int t = 1; t <= kTables; ++t)
      ::inotify_add_watch(changes, QFile::encodeName(folders[t]).constData(),
                          IN_ATTRIB | IN_MOVE | IN_CREATE | IN_DELETE);
    auto tick = std::chrono::steady_clock::now();
    while (running > 0) {
      const auto start = std::chrono::steady_clock::now();
      ImportTabletResults();
      const auto end = std::chrono::steady_clock::now();
      passes.push_back(std::chrono::duration<double, std::milli>(end - start).count());
      while (tick <= end) tick += std::chrono::milliseconds(500);
      pollfd woken{changes, POLLIN, 0};
      const auto wait = std::chrono::ceil<std::chrono::milliseconds>(tick - std::chrono::steady_clock::now());
      if (::poll(&woken, 1, static_cast<int>(std::max<std::int64_t>(0, wait.count()))) > 0) {
        char events[4096];
        while (::read(changes, events, sizeof events) > 0) {
        }
      }
    }
    ::close(changes);
    for (std::thread& t : tables) t.join();
    ImportTabletResults();
    benchmark::DoNotOptimize(ResultsEntered);
  }
  server.kill();
  menuView() = TournamentMenuView{};
  std::sort(answers.begin(), answers.end());
  std::sort(takenAfter.begin(), takenAfter.end());
  std::sort(passes.begin(), passes.end());
  state.counters["requests"] = static_cast<double>(answers.size());
  state.counters["failures"] = failures;
  state.counters["collected"] = ResultsEntered;
  state.counters["answer_max_ms"] = answers.empty() ? 0 : answers.back();
  state.counters["answer_p99_ms"] = answers.empty() ? 0 : answers[answers.size() * 99 / 100];
  state.counters["answer_median_ms"] = answers.empty() ? 0 : answers[answers.size() / 2];
  state.counters["file_max_ms"] = slowestFile;
  state.counters["taken_median_ms"] = takenAfter.empty() ? 0 : takenAfter[takenAfter.size() / 2];
  state.counters["taken_p95_ms"] = takenAfter.empty() ? 0 : takenAfter[takenAfter.size() * 95 / 100];
  state.counters["taken_max_ms"] = takenAfter.empty() ? 0 : takenAfter.back();
  state.counters["not_taken"] = notTaken;
  state.counters["pass_median_ms"] = passes.empty() ? 0 : passes[passes.size() / 2];
  state.counters["connections_lost"] = lost;
}

// The server process's resident memory, in kB.
long residentKb(qint64 pid) {
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
  return 0;
}

// A full room beside strangers: 21 tables with three phones each polling
// their table's state every 2 s (the pages' pace), one of them sending a
// result every 6 s, while 200 connections stay open and idle and 64 send
// their heads one byte every 200 ms, each reopened as soon as the server
// closes it. Reported: the tables' answers' median, 99th percentile and
// slowest, the answers lost, and the server's memory at the start and the
// end. TALVARON_BENCH_SECONDS sets the length (20 s).
void BM_TablesServerFullRoom(benchmark::State& state) {
  QTemporaryDir tmp;
  layOutEvening(tmp, "FULL");
  testing_support::TablesServerProcess server(TabletSharedFolder, tmp.path() + "/tables-server-bench");
  const int port = server.port();
  const int seconds = qEnvironmentVariableIsSet("TALVARON_BENCH_SECONDS") ? qEnvironmentVariableIntValue("TALVARON_BENCH_SECONDS") : 20;

  std::vector<double> answers;
  int lost = 0;
  long rssStart = 0;
  long rssEnd = 0;
  std::mutex lock;
  for (auto _ : state) {
    std::atomic<bool> done = false;
    // The strangers: 264 sockets on one thread, each from an address of its
    // own group (the server caps the connections of one address).
    std::thread strangers([&] {
      struct Socket {
        int fd = -1;
        std::string from;
        bool trickles = false;
        std::size_t sent = 0;
      };
      std::vector<Socket> sockets;
      for (int i = 0; i < 200; ++i) sockets.push_back({-1, "127.0.20." + std::to_string(1 + i / 20), false, 0});
      for (int i = 0; i < 64; ++i) sockets.push_back({-1, "127.0.30." + std::to_string(1 + i), true, 0});
      const std::string head = "POST /api/join HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Slow: ";
      while (!done) {
        for (Socket& s : sockets) {
          if (s.fd < 0) {
            s.fd = testing_support::ConnectToTables(port, s.from);
            s.sent = 0;
            continue;
          }
          char c = 0;
          if (::recv(s.fd, &c, 1, MSG_DONTWAIT) == 0) {  // closed by the server: open again
            ::close(s.fd);
            s.fd = -1;
            continue;
          }
          if (s.trickles) {
            const char byte = s.sent < head.size() ? head[s.sent] : 'a';
            if (::send(s.fd, &byte, 1, MSG_NOSIGNAL | MSG_DONTWAIT) == 1) ++s.sent;
          }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
      }
      for (Socket& s : sockets)
        if (s.fd >= 0) ::close(s.fd);
    });
    std::this_thread::sleep_for(std::chrono::seconds(1));
    rssStart = residentKb(server.processId());
    std::vector<std::thread> phones;
    for (int t = 1; t <= kTables; ++t)
      for (int p = 0; p < 3; ++p)
        phones.emplace_back([&, t, p] {
          const std::string from = "127.0.10." + std::to_string(t * 3 + p);
          const std::string join =
              testing_support::SendRaw(port, "POST /api/join HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: application/json\r\n"
                                             "Content-Length: 21\r\n\r\n{\"password\":\"" + std::string(testing_support::kTablesCode) + "\"}",
                                       5000, from)
                  .body;
          const std::string token = QJsonDocument::fromJson(QByteArray::fromStdString(join))["token"].toString().toStdString();
          if (p == 0) {  // the table's phone chooses it; the two others are refused as any other device is
            const std::string table = json({{"table", t}});
            testing_support::SendRaw(port, "POST /api/table HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: application/json\r\n"
                                           "Authorization: Bearer " + token + "\r\nContent-Length: " +
                                           std::to_string(table.size()) + "\r\n\r\n" + table,
                                     5000, from);
          }
          std::mt19937 random(t * 3 + p);
          std::this_thread::sleep_for(std::chrono::milliseconds(random() % 2000));
          const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
          std::vector<std::pair<int, int>> boards;  // round, board
          int polls = 0;
          while (std::chrono::steady_clock::now() < end) {
            const auto start = std::chrono::steady_clock::now();
            std::string request = "GET /api/state?table=" + std::to_string(t) + " HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                                  "Authorization: Bearer " + token + "\r\n\r\n";
            if (p == 0 && polls % 3 == 2 && !boards.empty()) {
              const auto [round, board] = boards[(polls / 3) % boards.size()];
              const std::string body = json({{"table", t}, {"round", round}, {"board", board}, {"previous", ""},
                                             {"kind", "pass"}});
              request = "POST /api/result HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: application/json\r\n"
                        "Authorization: Bearer " + token + "\r\nContent-Length: " + std::to_string(body.size()) +
                        "\r\n\r\n" + body;
            }
            const testing_support::HttpReply r = testing_support::SendRaw(port, request, 5000, from);
            const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            if (boards.empty() && r.status == 200)
              for (const QJsonValue round : QJsonDocument::fromJson(QByteArray::fromStdString(r.body))["rounds"].toArray())
                for (const QJsonValue b : round["boards"].toArray()) boards.emplace_back(round["round"].toInt(), b["board"].toInt());
            {
              const std::lock_guard<std::mutex> guard(lock);
              answers.push_back(ms);
              // A board already sent and refused as changed meanwhile is an answer, not a loss.
              if (r.status != 200 && r.status != 409) ++lost;
            }
            ++polls;
            std::this_thread::sleep_for(std::chrono::milliseconds(2000) - std::chrono::duration_cast<std::chrono::milliseconds>(
                                                                             std::chrono::steady_clock::now() - start));
          }
        });
    for (std::thread& p : phones) p.join();
    rssEnd = residentKb(server.processId());
    done = true;
    strangers.join();
  }
  server.kill();
  std::sort(answers.begin(), answers.end());
  state.counters["requests"] = static_cast<double>(answers.size());
  state.counters["lost"] = lost;
  state.counters["answer_median_ms"] = answers.empty() ? 0 : answers[answers.size() / 2];
  state.counters["answer_p99_ms"] = answers.empty() ? 0 : answers[answers.size() * 99 / 100];
  state.counters["answer_max_ms"] = answers.empty() ? 0 : answers.back();
  state.counters["rss_start_kb"] = static_cast<double>(rssStart);
  state.counters["rss_end_kb"] = static_cast<double>(rssEnd);
}

}  // namespace

BENCHMARK(BM_TablesServerFullRoom)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TablesServerEvening)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
