#include "publishing/BridgeWebs.h"

#include "core/Flows.h"
#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "platform/TextFiles.h"
#include "publishing/UsebioExport.h"

#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

namespace publishing {

namespace {

// Waits in a local event loop for done or the timeout; true when done came.
template <typename Object, typename Signal>
bool WaitFor(Object* object, Signal done, int timeoutMs) {
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  bool finished = false;
  QObject::connect(object, done, &loop, [&] {
    finished = true;
    loop.quit();
  });
  QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  timer.start(timeoutMs);
  loop.exec();
  return finished;
}

class QtNetworkProbe : public NetworkProbe {
 public:
  bool connect(const QString& host, int port, int timeoutMs) override {
    QTcpSocket socket;
    bool failed = false;
    QObject::connect(&socket, &QAbstractSocket::errorOccurred, &socket, [&] { failed = true; });
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&socket, &QAbstractSocket::connected, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QAbstractSocket::errorOccurred, &loop, &QEventLoop::quit);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    socket.connectToHost(host, static_cast<quint16>(port));
    timer.start(timeoutMs);
    if (socket.state() != QAbstractSocket::ConnectedState && !failed) loop.exec();
    const bool ok = !failed && socket.state() == QAbstractSocket::ConnectedState;
    socket.abort();
    return ok;
  }

  bool open(const QString& url, int timeoutMs) override {
    QNetworkAccessManager manager;
    QNetworkRequest request{QUrl(url)};
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Quillmarke/1.0"));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setTransferTimeout(timeoutMs);
    QNetworkReply* reply = manager.head(request);
    const bool finished = WaitFor(reply, &QNetworkReply::finished, timeoutMs);
    bool ok = false;
    if (finished) {
      // Any answer of the server counts: a status code came back.
      ok = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    } else {
      reply->abort();
    }
    delete reply;
    return ok;
  }
};

NetworkProbe*& installedProbe() {
  static NetworkProbe* probe = nullptr;
  return probe;
}

UrlOpener& urlOpener() {
  static UrlOpener opener;
  return opener;
}

// The cursor shows that the program works while the probes run.
class BusyCursor {
 public:
  BusyCursor() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
      QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
      active_ = true;
    }
  }
  ~BusyCursor() { restore(); }
  void restore() {
    if (active_) QGuiApplication::restoreOverrideCursor();
    active_ = false;
  }

 private:
  bool active_ = false;
};

}  // namespace

NetworkProbe& networkProbe() {
  static QtNetworkProbe qtProbe;
  return installedProbe() ? *installedProbe() : qtProbe;
}

void setNetworkProbe(NetworkProbe* probe) { installedProbe() = probe; }

ConnectionSettings& connectionSettings() {
  static ConnectionSettings settings;
  return settings;
}

void setUrlOpener(UrlOpener opener) { urlOpener() = std::move(opener); }

}  // namespace publishing

using namespace publishing;

bool PingHost(const QString& host, int timeoutMs) {
  return networkProbe().connect(host, connectionSettings().nameServerPort, timeoutMs);
}

bool PingAnyNameServer() {
  for (const QString& host : connectionSettings().nameServers)
    if (PingHost(host, 3000)) return true;
  return false;
}

bool OpenWebAddress(const QString& url, int timeoutMs) { return networkProbe().open(url, timeoutMs); }

bool ServiceReachable() {
  for (const QString& url : connectionSettings().serviceAddresses)
    if (OpenWebAddress(url, 5000)) return true;
  return false;
}

bool CheckInternetConnection() { return PingAnyNameServer() && ServiceReachable(); }

QString BridgeWebsSiteAddress(const QString& club) {
  const QByteArray segment = QUrl::toPercentEncoding(club.trimmed().toLower());
  return QStringLiteral("https://") + connectionSettings().serviceHost + u'/' + QString::fromLatin1(segment) + u'/';
}

void OpenBridgeWebsSite(const QString& club) {
  const QString url = BridgeWebsSiteAddress(club);
  if (urlOpener()) urlOpener()(url);
}

namespace {

// "Fonctions BridgeWebs": 1 save there, 2 open the site, 3 nothing.
int AskBridgeWebsFunction() {
  ui::Choice choice;
  choice.form = forms::BridgeWebsFunctions;
  choice.caption = QStringLiteral("Fonctions BridgeWebs");
  choice.buttons = {QStringLiteral("Sauver les résultats sur BridgeWebs"), QStringLiteral("Aller sur votre site BridgeWebs"),
                    QStringLiteral("Ne rien faire")};
  choice.codes = {1, 2, 3};
  choice.cancelCode = 3;
  return ui::Ask(choice);
}

// "Pas de connection Internet": 1 go on, 2 stop.
int AskWithoutInternet() {
  ui::Choice choice;
  choice.form = forms::NoInternet;
  choice.caption = QStringLiteral("Message");
  choice.text = QStringLiteral("Pas de connection Internet");
  choice.buttons = {QStringLiteral("&Continuer"), QStringLiteral("&Arrêter")};
  choice.codes = {1, 2};
  choice.cancelCode = 2;
  return ui::Ask(choice);
}

void GoToSite() {
  const QString fileName = ProgramFolder + QStringLiteral("BridgeWebsOptions.TXT");
  const auto lines = platform::fileExists(fileName) ? platform::tryReadTextLines(platform::resolvePath(fileName))
                                                    : std::nullopt;
  const QString restart = QStringLiteral("! Lancez le programme Webrellic.EXE pour créer les options et recommencez...");
  if (!lines) {
    ShowAlert(QStringLiteral("Désolé, pas trouvé le fichier \"") + fileName + u'"' + restart);
    return;
  }
  const auto defined = [](const QString& value) { return !value.isEmpty() && value != u'?'; };
  const QString site = lines->value(0).trimmed();
  const QString club = lines->value(1).trimmed();
  if (!defined(site)) {
    ShowAlert(QStringLiteral("Désolé, le nom du site BridgeWebs n'est pas défini") + restart);
  } else if (!defined(club)) {
    ShowAlert(QStringLiteral("Désolé, le nom du club n'est pas défini") + restart);
  } else {
    OpenBridgeWebsSite(club);
  }
}

}  // namespace

void BridgeWebsFunctions() {
  // The probes let the windows work meanwhile: a second click waits its turn.
  static bool running = false;
  if (running) return;
  running = true;
  struct Done {
    ~Done() { running = false; }
  } done;
  if (ImpScoring) {
    ShowAlert(QStringLiteral("Désolé, BridgeWebs ne permet pas l'affichage des résultats celculés en formule BUTLER "
                             "(IMP's)!"));
    return;
  }
  {
    BusyCursor busy;
    const bool connected = CheckInternetConnection();
    busy.restore();
    if (!connected && AskWithoutInternet() != 1) return;
  }
  flowSteps().recomputeAndSaveResults();
  if (!ResultsAvailable) return;
  switch (AskBridgeWebsFunction()) {
    case 1: ExportBridgeWebsXml(); break;
    case 2: GoToSite(); break;
    default: break;
  }
}
