// The tables' server under a club's evening, on the loopback address only:
// 21 tables, each sending a board 150 to 1150 ms after the page said the
// last one was taken (a harsher pace than a real room's few seconds; the
// spread puts the taps anywhere in the collection's cycle), while the
// program's collection runs every 500 ms as its timer does. After each
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
#include "support/devices/TabletTables.h"
#include "support/TestState.h"

#include <benchmark/benchmark.h>
#include <httplib.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <random>
#include <thread>

#include <sys/stat.h>

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

QJsonObject parse(const httplib::Result& r) {
  return r ? QJsonDocument::fromJson(QByteArray::fromStdString(r->body)).object() : QJsonObject();
}

double since(std::chrono::system_clock::time_point start, const struct timespec& stamp) {
  const auto at = std::chrono::system_clock::time_point(std::chrono::duration_cast<std::chrono::system_clock::duration>(
      std::chrono::seconds(stamp.tv_sec) + std::chrono::nanoseconds(stamp.tv_nsec)));
  return std::chrono::duration<double, std::milli>(at - start).count();
}

void BM_TablesServerEvening(benchmark::State& state) {
  QTemporaryDir tmp;
  testing_support::resetGlobals();
  qputenv("TALVARON_DOCUMENTS_FOLDER", (tmp.path() + "/Documents").toUtf8());
  ProgramFolder = tmp.path() + "/program/";
  DataFolder = ProgramFolder + "Resultats/";
  QDir().mkpath(DataFolder);
  TournamentCode = "BENCH";
  TableDevicesMode = TabletsMode = true;
  PairsEntered = true;
  testing_support::MakeTabletMitchell(kTables, 2);
  WriteTabletSessionFiles();
  WritePairNameFiles();
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
    httplib::Client setup("127.0.0.1", port);
    const std::string token =
        parse(setup.Post("/api/join", json({{"password", "FarnelTosk"}}), "application/json"))["token"]
            .toString()
            .toStdString();
    std::atomic<int> running = kTables;
    std::vector<std::thread> tables;
    for (int t = 1; t <= kTables; ++t)
      tables.emplace_back([&, t] {
        httplib::Client client("127.0.0.1", port);
        client.set_keep_alive(true);  // as a browser does
        client.set_tcp_nodelay(true);
        const httplib::Headers auth{{"Authorization", "Bearer " + token}};
        std::mt19937 random(t);
        const QJsonObject s = parse(client.Get(("/api/state?table=" + std::to_string(t)).c_str(), auth));
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
            const auto r = client.Post("/api/result", auth, body, "application/json");
            const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            struct stat st {};
            const QString file = folders[t] + QStringLiteral("/REST%1.TXT").arg(board);
            const bool onDisk = ::stat(QFile::encodeName(file).constData(), &st) == 0;
            {
              const std::lock_guard<std::mutex> guard(lock);
              answers.push_back(ms);
              if (!r) ++lost;
              if (!r || r->status != 200) ++failures;
              // The collection may already have taken it: then the echo proves it arrived.
              if (onDisk) slowestFile = std::max(slowestFile, since(tap, st.st_mtim));
            }
            // The page asks until the program has taken the board: no file
            // waiting any more and the program's echo there.
            const auto answered = std::chrono::steady_clock::now();
            bool taken = false;
            while (!taken && std::chrono::steady_clock::now() - answered < kGiveUp) {
              const auto polled = client.Get(("/api/state?table=" + std::to_string(t)).c_str(), auth);
              if (!polled) {
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
    // The program's collection timer, on this thread as in the program: a
    // pass every 500 ms (a pass that runs late makes the timer skip).
    auto tick = std::chrono::steady_clock::now();
    while (running > 0) {
      const auto start = std::chrono::steady_clock::now();
      ImportTabletResults();
      const auto end = std::chrono::steady_clock::now();
      passes.push_back(std::chrono::duration<double, std::milli>(end - start).count());
      while (tick <= end) tick += std::chrono::milliseconds(500);
      std::this_thread::sleep_until(tick);
    }
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

}  // namespace

BENCHMARK(BM_TablesServerEvening)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
