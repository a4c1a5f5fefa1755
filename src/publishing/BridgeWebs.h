#pragma once
// What the director can do with the BridgeWebs results service: test the
// Internet connection, save the results there (the USEBIO export and its
// upload program) or open the club's page in the browser.
#include <QString>
#include <QStringList>

#include <functional>

namespace publishing {

// The network probes, replaceable in tests. Both wait for their answer
// while the windows keep being drawn.
class NetworkProbe {
 public:
  virtual ~NetworkProbe() = default;
  // A TCP connection to host:port opened within timeoutMs.
  virtual bool connect(const QString& host, int port, int timeoutMs) = 0;
  // The address answers a request within timeoutMs (any HTTP status).
  virtual bool open(const QString& url, int timeoutMs) = 0;
};
// The installed probe (Qt Network's until a test installs its own).
NetworkProbe& networkProbe();
void setNetworkProbe(NetworkProbe* probe);  // not owned; nullptr: Qt's

// The addresses probed: three name servers tried in order (port 53 stands
// for the ping), then the service's root in its two spellings.
struct ConnectionSettings {
  QStringList nameServers{QStringLiteral("1.1.1.1"), QStringLiteral("8.8.8.8"), QStringLiteral("9.9.9.9")};
  int nameServerPort = 53;
  QString serviceHost = QStringLiteral("www.bridgewebs.com");
  QStringList serviceAddresses{QStringLiteral("https://www.bridgewebs.com/"), QStringLiteral("https://bridgewebs.com/")};
};
ConnectionSettings& connectionSettings();

// Opens an address in the user's browser (QDesktopServices in the program).
using UrlOpener = std::function<bool(const QString& url)>;
void setUrlOpener(UrlOpener opener);

}  // namespace publishing

// Reachability of host within timeoutMs (a TCP connection in place of a ping).
bool PingHost(const QString& host, int timeoutMs);
// The name servers in order, 3000 ms each; true at the first that answers.
bool PingAnyNameServer();
bool OpenWebAddress(const QString& url, int timeoutMs);
// The service's root, with then without the "www." prefix, 5000 ms each.
bool ServiceReachable();
// PingAnyNameServer, then ServiceReachable.
bool CheckInternetConnection();
// "https://<host>/<club>/" with the club code trimmed, lower-cased and
// encoded as one path segment, opened in the browser.
QString BridgeWebsSiteAddress(const QString& club);
void OpenBridgeWebsSite(const QString& club);
// The menu's "B r i d g e W e b s" button.
void BridgeWebsFunctions();
