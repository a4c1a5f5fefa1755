#include "devices/TablesServer.h"

#include "core/CompanionPrograms.h"
#include "core/ExchangeFiles.h"
#include "core/Flows.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "platform/Clock.h"
#include "platform/Folders.h"
#include "platform/Process.h"
#include "platform/TextFiles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTimer>

#include <qrencode.h>

#include <algorithm>
#include <map>
#include <memory>

namespace {

// How often the watch looks; how long a server must run not to count as one
// that ends as soon as it starts; the longest wait before such a server is
// started again.
constexpr int kWatchIntervalMs = 500;
constexpr int kQuickEndMs = 10000;
constexpr int kLongestRetryMs = 30000;
// The most of the holders file read (21 tables of short lines).
constexpr qsizetype kHoldersMaxBytes = 64 * 1024;

struct Watch {
  bool watched = false;
  std::unique_ptr<platform::ChildProgram> child;
  QElapsedTimer lastStart;
  int askedPort = 0;   // the port the running server was asked for
  int port = 0;        // 0 while the server has not said that it listens
  int servedPort = 0;  // where the tables were last served this run: the port every start asks
  bool restarted = false;  // the running server was started again by the watch
  int quickEnds = 0;   // servers started again in a row that ended within seconds
  QElapsedTimer lastEnd;
  int retryMs = 0;     // from lastEnd to the next start
  QStringList addresses;
  QString alarm;
  QString news;
  QStringList holders;
  QTimer* timer = nullptr;
};

Watch& watch() {
  static Watch w;
  return w;
}

QString serverProgram() {
  const QString inProgramFolder = ProgramFolder + kTablesServerName;
  if (platform::fileExists(inProgramFolder) || qEnvironmentVariableIsSet("TALVARON_PROGRAM_FOLDER"))
    return inProgramFolder;
  return QFileInfo(platform::executablePath()).absolutePath() + u'/' + kTablesServerName;
}

bool isPrivate(const QHostAddress& a) {
  return a.isInSubnet(QHostAddress(QStringLiteral("192.168.0.0")), 16) ||
         a.isInSubnet(QHostAddress(QStringLiteral("10.0.0.0")), 8) ||
         a.isInSubnet(QHostAddress(QStringLiteral("172.16.0.0")), 12);
}

QString systemRouteTable() {
  QFile f(QStringLiteral("/proc/net/route"));
  return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
}

// The port of the server's line "Serveur des tables : http://<address>:<port>/", 0 for any other line.
int listeningPort(const QString& line) {
  static const QRegularExpression ready(QStringLiteral("^Serveur des tables : http://.*:(\\d+)/$"));
  const QRegularExpressionMatch m = ready.match(line);
  return m.hasMatch() ? m.captured(1).toInt() : 0;
}

void redrawMenu() {
  if (flowWindows().refreshMenu) flowWindows().refreshMenu();
}

// The address of the pages on the computer's first address at port.
QString pagesAt(const Watch& w, int port) {
  return QStringLiteral("http://%1:%2/").arg(w.addresses.value(0, QHostInfo::localHostName())).arg(port);
}

QString clockTime(qint64 fromNowMs) {
  return platform::now().addMSecs(fromNowMs).toString(QStringLiteral("HH:mm:ss"));
}

void listening(Watch& w, int port) {
  w.port = port;
  w.addresses = LocalNetworkAddresses();
  const bool wasDown = !w.alarm.isEmpty();
  w.alarm.clear();
  w.news.clear();
  if (wasDown) w.news = QStringLiteral("Les tables sont de nouveau servies depuis ") + clockTime(0) + u'.';
  // Only another program on the port the tables knew moves the server: the
  // phones must be told the new address.
  if (w.servedPort > 0 && w.askedPort == w.servedPort && port != w.servedPort)
    w.news = (wasDown ? w.news + u' ' : QString()) +
             QStringLiteral("Attention : le port %1 est pris par un autre programme, les tables sont servies à une "
                            "nouvelle adresse. Chaque table doit ouvrir cette adresse (ou lire à nouveau le QR code).")
                 .arg(w.servedPort);
  w.servedPort = port;
}

// Reads what the server said; true when it now listens.
bool readServer(Watch& w) {
  while (w.child && w.port == 0) {
    const std::optional<QString> line = w.child->readLine();
    if (!line) return false;
    if (const int port = listeningPort(*line); port > 0) listening(w, port);
  }
  return w.port > 0;
}

// What the server said as it came: the menu shows the address at once.
void heardServer() {
  Watch& w = watch();
  if (w.watched && w.port == 0 && readServer(w)) redrawMenu();
}

// The server is gone (why: the alarm's first sentence): started again at
// the next look, unless it had been started again already and ended within
// seconds: then after 1, 2, 4 … up to 30 seconds, the alarm saying when.
void serverGone(Watch& w, const QString& why) {
  const bool quick = w.restarted && w.lastStart.elapsed() < kQuickEndMs;
  w.quickEnds = quick ? w.quickEnds + 1 : 0;
  w.retryMs = w.quickEnds == 0 ? 0 : std::min(kLongestRetryMs, 1000 << std::min(w.quickEnds - 1, 5));
  w.lastEnd.start();
  w.alarm = why + (why.endsWith(u'.') ? QString() : QStringLiteral(".")) +
            (w.retryMs == 0 ? QStringLiteral(" Nouvel essai en cours...")
                            : QStringLiteral(" Nouvel essai à ") + clockTime(w.retryMs) + u'.');
  w.port = 0;
  w.news.clear();
}

void launch(Watch& w, bool restart) {
  if (w.child) w.child->stop();
  w.restarted = restart;
  w.child.reset();
  w.port = 0;
  w.lastStart.start();
  w.askedPort = w.servedPort > 0 ? w.servedPort : TablesServerFirstPort();
  const QString program = serverProgram();
  w.child = platform::processes().startChild(
      program,
      {QStringLiteral("--exchange"), TabletSharedFolder, QStringLiteral("--program"), ProgramFolder,
       QStringLiteral("--port"), QString::number(w.askedPort)},
      {{QStringLiteral("TALVARON_TABLES_CODE"), TablesEveningCode()}});
  if (!w.child) {
    serverGone(w, QStringLiteral("Les tables ne sont pas servies : impossible de lancer le serveur des tables ") +
                      program);
    return;
  }
  w.child->whenOutput(heardServer);
  readServer(w);
}

// A look at the server: an ended one is said and let go.
void lookForEnd(Watch& w) {
  if (!w.child) return;
  readServer(w);
  if (w.child->running()) return;
  // Ended before it listened: its own message says why.
  const QString said = w.port == 0 ? w.child->errors().trimmed() : QString();
  serverGone(w, said.isEmpty() ? QStringLiteral("Attention! Les tables ne sont plus servies : le serveur des tables "
                                                "s'est arrêté")
                               : QStringLiteral("Les tables ne sont pas servies : ") + said);
  w.child.reset();
}

void readHolders(Watch& w) {
  QStringList lines;
  for (const TableHolder& h : ReadTableHolders(TabletSharedFolder + u'/' + exchange::kHoldersFile))
    lines << QStringLiteral("Table %1 : %2 depuis %3").arg(h.table).arg(h.device, h.since);
  w.holders = lines;
}

}  // namespace

QString (*ReadRouteTable)() = systemRouteTable;
int (*TablesServerFirstPort)() = [] { return kTablesServerPort; };

void StartTablesServer() {
  Watch& w = watch();
  w.watched = true;
  w.alarm.clear();
  w.news.clear();
  w.quickEnds = 0;
  // The address is shown once the server says that it listens: its words
  // are read as they come, the window is never held waiting for them.
  launch(w, false);
  lookForEnd(w);
  readHolders(w);
  if (!w.timer && QCoreApplication::instance()) {
    w.timer = new QTimer(QCoreApplication::instance());
    QObject::connect(w.timer, &QTimer::timeout, [] { WatchTablesServer(); });
  }
  if (w.timer) w.timer->start(kWatchIntervalMs);
  redrawMenu();
}

void StopTablesServer() {
  Watch& w = watch();
  if (w.timer) w.timer->stop();
  if (w.child) w.child->stop();
  w.child.reset();
  w.watched = false;
  w.port = 0;
  w.servedPort = 0;
  w.alarm.clear();
  w.news.clear();
  w.holders.clear();
}

void WatchTablesServer() {
  Watch& w = watch();
  if (!w.watched) return;
  const QString alarm = w.alarm;
  const QString news = w.news;
  const int port = w.port;
  const QStringList holders = w.holders;
  lookForEnd(w);
  if (!w.child && w.lastEnd.elapsed() >= w.retryMs) {
    launch(w, true);
    lookForEnd(w);
  }
  readHolders(w);
  if (w.alarm != alarm || w.news != news || w.port != port || w.holders != holders) redrawMenu();
}

qint64 TablesServerProcessId() {
  const Watch& w = watch();
  return w.child && w.child->running() ? w.child->processId() : 0;
}

QString TablesServerAddress() {
  const Watch& w = watch();
  if (!w.watched || w.port == 0 || !w.alarm.isEmpty()) return {};
  return pagesAt(w, w.port);
}

QString TablesEveningCode() {
  static const QString code =
      QStringLiteral("%1").arg(QRandomGenerator::system()->bounded(1000000), 6, 10, QLatin1Char('0'));
  return code;
}

TablesServerStatus CurrentTablesServerStatus() {
  const Watch& w = watch();
  TablesServerStatus s;
  s.watched = w.watched;
  if (!w.watched) return s;
  s.address = TablesServerAddress();
  if (w.servedPort > 0) {
    s.lastAddress = pagesAt(w, w.servedPort);
    for (qsizetype i = 1; i < w.addresses.size(); ++i)
      s.otherAddresses << QStringLiteral("http://%1:%2/").arg(w.addresses[i]).arg(w.servedPort);
  }
  if (TablesJoinWithTheCode(TabletPassword))
    s.access = QStringLiteral("Code des tables : ") + TablesEveningCode();
  else
    s.access = QStringLiteral("Mot de passe des tables : ") + TabletPassword;
  s.alarm = w.alarm;
  s.news = w.news;
  s.holders = w.holders;
  return s;
}

QList<TableHolder> ReadTableHolders(const QString& file) {
  std::map<int, TableHolder> byTable;
  const std::optional<QByteArray> bytes = platform::readRegularFile(file, kHoldersMaxBytes);
  if (!bytes) return {};
  const int tables = TableCount > 0 ? std::min(TableCount, kMaxTables) : kMaxTables;
  for (const QString& line : platform::splitLines(QString::fromUtf8(*bytes)))
    if (const std::optional<TableHolder> h = exchange::ParseTableHolderLine(line); h && h->table <= tables)
      byTable[h->table] = *h;
  QList<TableHolder> holders;
  for (const auto& [table, holder] : byTable) holders << holder;
  return holders;
}

QString DefaultRouteInterface(const QString& routeTable) {
  QString best;
  qint64 bestMetric = -1;
  const QStringList lines = platform::splitLines(routeTable);
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const QStringList f = lines[i].split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (f.size() < 8) continue;
    bool ok = false;
    const uint flags = f[3].toUInt(&ok, 16);
    if (!ok || !(flags & 0x1)) continue;  // RTF_UP
    if (f[1].toUInt(&ok, 16) != 0 || !ok || f[7].toUInt(&ok, 16) != 0 || !ok) continue;
    const qint64 metric = f[6].toLongLong(&ok);
    if (!ok) continue;
    if (bestMetric < 0 || metric < bestMetric) {
      best = f[0];
      bestMetric = metric;
    }
  }
  return best;
}

QStringList TablesAddressesOf(const QList<std::pair<QString, QString>>& addresses, const QString& defaultInterface) {
  const bool anyPrivate = std::any_of(addresses.begin(), addresses.end(),
                                      [](const auto& a) { return isPrivate(QHostAddress(a.second)); });
  QStringList first;
  QStringList others;
  for (const auto& [interface, address] : addresses) {
    // The default route's address is the club's network, whatever its range
    // (a phone's hotspot hands out 100.64.0.0/10).
    const bool viaDefault = !defaultInterface.isEmpty() && interface == defaultInterface;
    if (!viaDefault && anyPrivate && !isPrivate(QHostAddress(address))) continue;
    if (!first.contains(address) && !others.contains(address)) (viaDefault ? first : others) << address;
  }
  return first + others;
}

QStringList LocalNetworkAddresses() {
  QList<std::pair<QString, QString>> addresses;
  for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
    const auto flags = i.flags();
    if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
        flags.testFlag(QNetworkInterface::IsLoopBack))
      continue;
    for (const QNetworkAddressEntry& e : i.addressEntries()) {
      const QHostAddress a = e.ip();
      if (a.protocol() != QAbstractSocket::IPv4Protocol || a.isLoopback()) continue;
      addresses.append({i.name(), a.toString()});
    }
  }
  const QStringList found = TablesAddressesOf(addresses, DefaultRouteInterface(ReadRouteTable()));
  return found.isEmpty() ? QStringList{QHostInfo::localHostName()} : found;
}

QImage QrCodeImage(const QString& text, int scale) {
  const QByteArray bytes = text.toUtf8();
  QRcode* code = QRcode_encodeString(bytes.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1);
  if (!code) return {};
  const int margin = 4;
  const int side = (code->width + 2 * margin) * scale;
  QImage image(side, side, QImage::Format_Mono);
  image.setColor(0, qRgb(0, 0, 0));
  image.setColor(1, qRgb(255, 255, 255));
  image.fill(1);  // white
  for (int y = 0; y < code->width; ++y)
    for (int x = 0; x < code->width; ++x)
      if (code->data[y * code->width + x] & 1)
        for (int dy = 0; dy < scale; ++dy)
          for (int dx = 0; dx < scale; ++dx) image.setPixel((x + margin) * scale + dx, (y + margin) * scale + dy, 0);
  QRcode_free(code);
  return image;
}
