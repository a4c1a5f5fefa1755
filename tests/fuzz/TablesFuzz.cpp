// The tables' server's request handling and the readers of the session
// files, under a fuzzer: whatever a device sends and whatever the exchange
// folder holds, no crash, no undefined behaviour, no unbounded work.
//
// The input's first byte chooses what the rest is: "H" a raw HTTP request
// (head and body; "TOKEN" in it stands for a valid token), "P" "PREFS.TXT",
// "M" a table's "MVT.TXT", "B" "BYE.TXT", "E" an echo "RESX1.TXT", "D" a
// board's frequencies, "R" the ranking, "S" a deal diagram, "J" the players'
// list, "L" a lead or a result text; any other byte picks one of them.
#include "TablesFiles.h"
#include "TablesHttp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <cstdint>
#include <string>

namespace {

constexpr char kPrefs[] = "3 6 2 2 M 0 Y 0 4 N Y 1 2 N N 0 N Secret\r\n";
constexpr char kMovement[] = "1 1 1 4 1\r\n2 1 1 5 2\r\n3 1 1 6 3\r\n";

void put(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

struct Evening {
  QTemporaryDir dir;
  QString root = dir.path() + "/Quillmarke";
  tables::ExchangeFolder folder{root};
  // Each call a while after the one before: the look-ups a table may make
  // never run out.
  tables::TablesService service{root, {}, [] {
                                  static std::chrono::steady_clock::time_point now{};
                                  return now += std::chrono::seconds(tables::TablesService::kLookUpEverySeconds);
                                }};
  tables::OwnHosts hosts;
  tables::TablesHttpHandler handler{service, dir.path() + "/pages", hosts};
  QString tokens[4];  // a device holding each table
  QString& token = tokens[1];

  Evening() {
    put(folder.prefsFile(), kPrefs);
    for (int t = 1; t <= 3; ++t) put(folder.movementFile(t), kMovement);
    put(folder.byeFile(), "");
    put(dir.path() + "/pages/index.html", "<!doctype html>");
    put(root + "/JOUEURS.TXT", "DUPONT Jean 12345\r\nMARTIN Luc 67890\r\n");
    seat();
  }
  QString join() { return service.join({{"password", "Secret"}}, "10.0.0.1").body.value("token").toString(); }
  // A device that chose table t.
  QString holding(int t) {
    const QString device = join();
    service.claim(device, {{"table", t}});
    return device;
  }
  void seat() {
    for (int t = 1; t <= 3; ++t) tokens[t] = holding(t);
  }
};

Evening& evening() {
  static int argc = 1;
  static char name[] = "tables_fuzz";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
  static Evening e;
  return e;
}

tables::HttpRequest requestOf(const std::string& raw, const QString& token) {
  tables::HttpRequest r;
  r.peer = "10.0.0.7";
  const std::size_t headEnd = raw.find("\r\n\r\n");
  const std::string head = raw.substr(0, headEnd);
  r.body = headEnd == std::string::npos ? std::string() : raw.substr(headEnd + 4);
  std::size_t from = 0;
  bool first = true;
  while (from <= head.size()) {
    std::size_t end = head.find("\r\n", from);
    if (end == std::string::npos) end = head.size();
    const std::string line = head.substr(from, end - from);
    from = end + 2;
    if (first) {
      first = false;
      const std::size_t a = line.find(' ');
      const std::size_t b = a == std::string::npos ? a : line.find(' ', a + 1);
      r.method = line.substr(0, a);
      if (a != std::string::npos) r.target = line.substr(a + 1, b == std::string::npos ? b : b - a - 1);
      continue;
    }
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::string value = line.substr(colon + 1);
    if (const std::size_t t = value.find("TOKEN"); t != std::string::npos) value.replace(t, 5, token.toStdString());
    r.headers.emplace_back(line.substr(0, colon), value);
  }
  return r;
}

QStringList linesOf(const QByteArray& bytes) { return QString::fromUtf8(bytes).split(QStringLiteral("\r\n")); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 65536) return 0;
  Evening& e = evening();
  const char kinds[] = "HPMBEDRSJL";
  char kind = static_cast<char>(data[0]);
  if (std::string_view(kinds).find(kind) == std::string_view::npos) kind = kinds[data[0] % 10];
  const QByteArray rest(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
  switch (kind) {
    case 'H': {
      const tables::HttpAnswer a = e.handler.handle(requestOf(rest.toStdString(), e.token));
      if (a.status < 100 || a.status > 599) __builtin_trap();
      break;
    }
    case 'P': {
      // The session as another file gives it; then the evening's own again.
      tables::ParsePrefsLine(QString::fromUtf8(rest));
      put(e.folder.prefsFile(), rest);
      e.service.state(e.holding(1), 1);
      e.service.deals(e.holding(2), 2);
      put(e.folder.prefsFile(), kPrefs);
      e.seat();
      break;
    }
    case 'M':
      tables::ParseMovement(linesOf(rest));
      put(e.folder.movementFile(1), rest);
      e.service.state(e.token, 1);
      e.service.deals(e.token, 1);
      put(e.folder.movementFile(1), kMovement);
      break;
    case 'B':
      tables::ParseByeList(linesOf(rest));
      put(e.folder.byeFile(), rest);
      e.service.state(e.tokens[2], 2);
      put(e.folder.byeFile(), "");
      break;
    case 'E':
      tables::ParseEchoLine(QString::fromUtf8(rest));
      put(e.folder.echoFile(3, 1), rest);
      e.service.state(e.tokens[3], 3);
      QFile::remove(e.folder.echoFile(3, 1));
      break;
    case 'D':
      tables::ParseBoardFile(linesOf(rest));
      break;
    case 'R':
      tables::ParseRankingFile(linesOf(rest));
      put(e.folder.rankingFile(), rest);
      e.service.ranking(e.token);
      break;
    case 'S':
      tables::ParseDiagram(linesOf(rest));
      break;
    case 'J':
      tables::ParsePlayersList(linesOf(rest));
      put(e.folder.root() + "/JOUEURS.TXT", rest);
      e.service.findPlayers(e.token, 1, "12345", {});
      e.service.findPlayers(e.token, 1, {}, QString::fromUtf8(rest.left(50)));
      break;
    default: {
      const QString text = QString::fromUtf8(rest);
      tables::NormalisedLead(text);
      tables::ValueOfResultText(text);
      break;
    }
  }
  return 0;
}
