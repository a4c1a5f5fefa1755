#include "publishing/BridgeWebs.h"

#include "core/ScriptedInteraction.h"
#include "scoring/ClubTournament.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

// A probe that answers as told and counts its calls.
class FakeProbe : public publishing::NetworkProbe {
 public:
  FakeProbe() { publishing::setNetworkProbe(this); }
  ~FakeProbe() override { publishing::setNetworkProbe(nullptr); }
  bool connect(const QString&, int, int) override {
    ++calls;
    return online;
  }
  bool open(const QString&, int) override {
    ++calls;
    return online;
  }
  bool online = false;
  int calls = 0;
};

}  // namespace

class BridgeWebsTest : public ClubTournamentTest {
 protected:
  void SetUp() override {
    ClubTournamentTest::SetUp();
    publishing::setUrlOpener([this](const QString& url) {
      opened << url;
      return true;
    });
  }
  void TearDown() override {
    publishing::setUrlOpener({});
    ClubTournamentTest::TearDown();
  }
  QStringList opened;
};

TEST_F(BridgeWebsTest, ImpTournamentIsRefusedWithoutProbing) {
  ImpScoring = true;
  FakeProbe probe;
  ui::ScriptedInteraction script;
  BridgeWebsFunctions();
  EXPECT_EQ(probe.calls, 0);
  EXPECT_EQ(script.messages, QStringList{"Désolé, BridgeWebs ne permet pas l'affichage des résultats celculés en formule "
                                         "BUTLER (IMP's)!"});
}

TEST_F(BridgeWebsTest, WithoutInternetTheDirectorMayStop) {
  FakeProbe probe;
  ui::ScriptedInteraction script;
  script.answer(2);  // "&Arrêter"
  BridgeWebsFunctions();
  EXPECT_EQ(probe.calls, 3);  // the three name servers
  ASSERT_EQ(script.choices.size(), 1);
  EXPECT_EQ(script.choices[0].form, "TForm103");
}

TEST_F(BridgeWebsTest, SiteOfTheClubOpensWithItsCodeAsOnePathSegment) {
  loadAndCompute();
  FakeProbe probe;
  probe.online = true;
  testing_support::writeBytes(programDir() + "BridgeWebsOptions.TXT", "  Mon site \r\n  MyClub \r\n\r\n");
  ui::ScriptedInteraction script;
  script.answer(2);  // "Aller sur votre site BridgeWebs"
  BridgeWebsFunctions();
  EXPECT_EQ(script.choices.last().form, "TForm87");
  EXPECT_EQ(opened, QStringList{"https://www.bridgewebs.com/myclub/"});
  EXPECT_EQ(BridgeWebsSiteAddress(" Club/A b?"), "https://www.bridgewebs.com/club%2Fa%20b%3F/");

  testing_support::writeBytes(programDir() + "BridgeWebsOptions.TXT", "?\r\nMyClub\r\n");
  script.answer(2);
  BridgeWebsFunctions();
  EXPECT_EQ(script.messages.last(), "Désolé, le nom du site BridgeWebs n'est pas défini! Lancez le programme Webrellic.EXE "
                                    "pour créer les options et recommencez...");
  EXPECT_EQ(opened.size(), 1);
}

// The probes of the program against servers of the test on this machine.
TEST_F(BridgeWebsTest, ProbesAgainstLocalServers) {
  QTcpServer answering;
  ASSERT_TRUE(answering.listen(QHostAddress::LocalHost));
  QObject::connect(&answering, &QTcpServer::newConnection, [&answering] {
    QTcpSocket* socket = answering.nextPendingConnection();
    QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
      socket->readAll();
      socket->write("HTTP/1.1 200 OK\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
      socket->disconnectFromHost();
    });
  });
  QTcpServer silent;
  ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
  QTcpServer closed;
  ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
  const quint16 refusedPort = closed.serverPort();
  closed.close();

  auto& settings = publishing::connectionSettings();
  const auto saved = settings;
  settings.nameServerPort = answering.serverPort();
  EXPECT_TRUE(PingHost("127.0.0.1", 2000));
  settings.nameServerPort = refusedPort;
  EXPECT_FALSE(PingHost("127.0.0.1", 2000));
  settings = saved;

  EXPECT_TRUE(OpenWebAddress(QStringLiteral("http://127.0.0.1:%1/").arg(answering.serverPort()), 3000));
  EXPECT_FALSE(OpenWebAddress(QStringLiteral("http://127.0.0.1:%1/").arg(refusedPort), 3000));
  QElapsedTimer clock;
  clock.start();
  EXPECT_FALSE(OpenWebAddress(QStringLiteral("http://127.0.0.1:%1/").arg(silent.serverPort()), 400));
  EXPECT_GE(clock.elapsed(), 350);
  EXPECT_LT(clock.elapsed(), 5000);
}
