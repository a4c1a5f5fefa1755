// The tables' server as this copy of the program runs it: its own child,
// watched and started again, never another copy's; the address it says it
// listens on; the code or the password; the devices holding the tables.
#include "core/Flows.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "devices/Companions.h"
#include "devices/TablesServer.h"
#include "platform/Process.h"
#include "support/devices/LoopbackPorts.h"
#include "support/devices/TabletTables.h"
#include "support/TestState.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>

#include <csignal>

#include <gtest/gtest.h>

using testing_support::LoopbackGet;
using testing_support::writeBytes;

namespace {

// The port of an address "http://<host>:<port>/", 0 for "".
int portOf(const QString& address) {
  const qsizetype colon = address.lastIndexOf(u':');
  return colon < 0 ? 0 : address.mid(colon + 1).chopped(1).toInt();
}

bool alive(qint64 pid) { return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) == 0; }

// The event loop turned until the tables are served, for at most ms.
bool servedWithin(int ms) {
  return testing_support::WaitUntil([] { return !TablesServerAddress().isEmpty(); }, ms);
}

}  // namespace

// With the tests' processes: what the program makes of what its server says.
class TablesServerTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    testing_support::LayOutTabletEvening("ABC", 3, 2);
  }
  // The servers started ("child: <program> <arguments>"), in order.
  QStringList starts() const { return processes.events.filter(QRegularExpression("^child: ")); }
  platform::FakeProcesses processes;
};

TEST_F(TablesServerTest, TheAddressIsShownOnlyOnceTheServerSaysWhereItListens) {
  // 8080 was taken: the server took 8083 and said so.
  processes.childOutput = {"Serveur des tables : http://0.0.0.0:8083/"};
  StartTablesServer();
  EXPECT_TRUE(TablesServerAddress().endsWith(":8083/")) << qPrintable(TablesServerAddress());
  EXPECT_TRUE(CurrentTablesServerStatus().alarm.isEmpty());
  StopTablesServer();

  // Not a word yet: nothing shown, and the window is not held waiting (a
  // server trying twenty ports on a busy machine takes seconds); its line
  // shows the address as soon as it comes, the menu redrawn then.
  int redrawn = 0;
  flowWindows().refreshMenu = [&redrawn] { ++redrawn; };
  processes.childOutput = {"Chargement..."};
  QElapsedTimer clock;
  clock.start();
  StartTablesServer();
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_TRUE(TablesServerAddress().isEmpty());
  const int before = redrawn;
  processes.say("Serveur des tables : http://0.0.0.0:8095/");
  EXPECT_TRUE(TablesServerAddress().endsWith(":8095/")) << qPrintable(TablesServerAddress());
  EXPECT_GT(redrawn, before);
  flowWindows().refreshMenu = nullptr;
  StopTablesServer();

  // No port free: it ended with its message; the menu shows that, and no address.
  processes.childOutput = {};
  const QString none = "Aucun des ports 8080 à 8099 n'est libre sur 0.0.0.0 : un autre programme les occupe. Les "
                       "tables ne peuvent pas être servies.";
  processes.childEndsWith = 2;
  processes.childErrors = none + "\n";
  StartTablesServer();
  EXPECT_TRUE(TablesServerAddress().isEmpty());
  EXPECT_EQ(CurrentTablesServerStatus().alarm, "Les tables ne sont pas servies : " + none + " Nouvel essai en cours...");
  // The watch keeps it said while it tries again, now less often.
  WatchTablesServer();
  EXPECT_EQ(CurrentTablesServerStatus().alarm, "Les tables ne sont pas servies : " + none + " Nouvel essai à 20:00:01.");
}

TEST_F(TablesServerTest, AServerThatEndsIsSaidInRedAndStartedAgainOnItsPort) {
  // 8080 was another program's at the evening's start: the tables know 8083.
  processes.childOutput = {"Serveur des tables : http://0.0.0.0:8083/"};
  StartTablesServer();
  ASSERT_TRUE(TablesServerAddress().endsWith(":8083/"));
  // Ended after serving: started again at the look that finds it ended, on
  // the port the phones know, even though 8080 is free by now.
  processes.events.clear();
  processes.childOutput = {};
  processes.endChildren(-1, "");
  WatchTablesServer();
  const TablesServerStatus down = CurrentTablesServerStatus();
  EXPECT_TRUE(down.address.isEmpty());
  EXPECT_TRUE(down.lastAddress.endsWith(":8083/"));
  EXPECT_EQ(down.alarm,
            "Attention! Les tables ne sont plus servies : le serveur des tables s'est arrêté. Nouvel essai en cours...");
  ASSERT_EQ(starts().size(), 1);
  EXPECT_TRUE(starts()[0].endsWith(" --port 8083")) << qPrintable(processes.events.join('\n'));
  processes.say("Serveur des tables : http://0.0.0.0:8083/");
  const TablesServerStatus back = CurrentTablesServerStatus();
  EXPECT_TRUE(back.address.endsWith(":8083/"));
  EXPECT_TRUE(back.alarm.isEmpty());
  EXPECT_EQ(back.news, "Les tables sont de nouveau servies depuis 20:00:00.");

  // A reload asks for 8083 too; another program took it meanwhile: the
  // server moves on, and the menu says that the tables must open the new
  // address.
  processes.events.clear();
  StartTablesServer();
  EXPECT_TRUE(starts().value(0).endsWith(" --port 8083"));
  processes.say("Serveur des tables : http://0.0.0.0:8084/");
  EXPECT_TRUE(CurrentTablesServerStatus().address.endsWith(":8084/"));
  EXPECT_EQ(CurrentTablesServerStatus().news,
            "Attention : le port 8083 est pris par un autre programme, les tables sont servies à une nouvelle adresse. "
            "Chaque table doit ouvrir cette adresse (ou lire à nouveau le QR code).");

  // Stopped: no more watch, nothing started again.
  StopTablesServer();
  processes.events.clear();
  WatchTablesServer();
  EXPECT_TRUE(processes.events.isEmpty());
  EXPECT_FALSE(CurrentTablesServerStatus().watched);
}

TEST_F(TablesServerTest, AServerThatEndsAgainAsSoonAsStartedIsTriedLessAndLessOften) {
  StartTablesServer();
  ASSERT_FALSE(TablesServerAddress().isEmpty());
  // From now on every server says that it listens and ends at once: the
  // first is started again at once, the next ones 1, 2, … seconds after
  // their end, the red alarm up all along.
  processes.childEndsWith = 2;
  processes.endChildren(-1, "");
  processes.events.clear();
  for (int look = 0; look < 6; ++look) {
    WatchTablesServer();
    EXPECT_TRUE(TablesServerAddress().isEmpty());
    EXPECT_FALSE(CurrentTablesServerStatus().alarm.isEmpty());
  }
  EXPECT_EQ(starts().size(), 1);
  EXPECT_EQ(CurrentTablesServerStatus().alarm,
            "Attention! Les tables ne sont plus servies : le serveur des tables s'est arrêté. Nouvel essai à 20:00:01.");
  QElapsedTimer clock;
  clock.start();
  EXPECT_TRUE(testing_support::WaitUntil([&] { return starts().size() == 2; }, 3000));
  EXPECT_GE(clock.elapsed(), 900);
  EXPECT_EQ(CurrentTablesServerStatus().alarm,
            "Attention! Les tables ne sont plus servies : le serveur des tables s'est arrêté. Nouvel essai à 20:00:02.");
}

TEST_F(TablesServerTest, TheTablesAreToldTheCodeWhileThePasswordIsTheDefaultElseThePassword) {
  StartTablesServer();
  const QString code = processes.childEnvironment.value("TALVARON_TABLES_CODE");
  ASSERT_EQ(code.size(), 6);
  EXPECT_EQ(code.toInt() >= 0 && code.toInt() <= 999999, true);
  EXPECT_EQ(CurrentTablesServerStatus().access, "Code des tables : " + code);
  // The default in any case is the default (the password window says so).
  TabletPassword = "farneltosk";
  EXPECT_EQ(CurrentTablesServerStatus().access, "Code des tables : " + code);
  TabletPassword = "Pique Dame";
  EXPECT_EQ(CurrentTablesServerStatus().access, "Mot de passe des tables : Pique Dame");
  // No password at all: the tables join with the code, which the menu shows.
  TabletPassword = "";
  EXPECT_EQ(CurrentTablesServerStatus().access, "Code des tables : " + code);
  // One code for the whole run: a new start gives the same.
  StartTablesServer();
  EXPECT_EQ(processes.childEnvironment.value("TALVARON_TABLES_CODE"), code);
}

TEST_F(TablesServerTest, TheDevicesHoldingTablesAreReadFromTheServersFile) {
  const QString file = TabletSharedFolder + "/APPAREILS.TXT";
  // UTF-8, any line end; a table of another evening, a line cut short, an
  // empty device and a bad time are passed over; the later line of a table wins.
  writeBytes(file,
             "3\tAndroid Chrome 192.168.1.23\t20:15:02\r\n"
             "1\tiPhone de Zoé 192.168.1.40\t19:58:40\n"
             "4\tTablette 192.168.1.50\t20:01:00\n"
             "0\tTablette 192.168.1.51\t20:01:00\n"
             "2\tFirefox 192.168.1.60\n"
             "2\t \t20:02:00\n"
             "2\tFirefox 192.168.1.60\t8:02:00\n"
             "x\tFirefox\t20:02:00\n"
             "1\tSamsung Internet 192.168.1.41\t20:20:20");
  const QList<TableHolder> holders = ReadTableHolders(file);
  ASSERT_EQ(holders.size(), 2);
  EXPECT_EQ(holders[0].table, 1);
  EXPECT_EQ(holders[0].device, "Samsung Internet 192.168.1.41");
  EXPECT_EQ(holders[0].since, "20:20:20");
  EXPECT_EQ(holders[1].table, 3);
  EXPECT_EQ(holders[1].device, "Android Chrome 192.168.1.23");
  EXPECT_TRUE(ReadTableHolders(TabletSharedFolder + "/ABSENT.TXT").isEmpty());

  // The menu follows the file at the next look.
  StartTablesServer();
  EXPECT_EQ(CurrentTablesServerStatus().holders,
            QStringList({"Table 1 : Samsung Internet 192.168.1.41 depuis 20:20:20",
                         "Table 3 : Android Chrome 192.168.1.23 depuis 20:15:02"}));
  writeBytes(file, "2\tiPhone de Zoé 192.168.1.40\t21:00:00\r\n");
  WatchTablesServer();
  EXPECT_EQ(CurrentTablesServerStatus().holders, QStringList({"Table 2 : iPhone de Zoé 192.168.1.40 depuis 21:00:00"}));
}

TEST(TablesAddress, TheDefaultRoutesInterfaceIsFoundInTheRouteTable) {
  const QString header = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";
  // A virtual machines' bridge and a VPN's half route come first; the
  // default route is the one to 0.0.0.0/0 that is up.
  const QString laptop = header +
                         "virbr0\t007AA8C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n"
                         "tun0\t00000000\t0108080A\t0003\t0\t0\t0\t00000080\t0\t0\t0\n"
                         "eth0\t00000000\t0101A8C0\t0002\t0\t0\t10\t00000000\t0\t0\t0\n"
                         "wlp2s0\t00000000\t0101A8C0\t0003\t0\t0\t600\t00000000\t0\t0\t0\n"
                         "wlp2s0\t0001A8C0\t00000000\t0001\t0\t0\t600\t00FFFFFF\t0\t0\t0\n";
  EXPECT_EQ(DefaultRouteInterface(laptop), "wlp2s0");
  // Two default routes: the lower metric wins, whatever the order.
  EXPECT_EQ(DefaultRouteInterface(laptop + "enx00e04c\t00000000\t0101A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"),
            "enx00e04c");
  EXPECT_EQ(DefaultRouteInterface(header), "");
  EXPECT_EQ(DefaultRouteInterface(""), "");
}

TEST(TablesAddress, TheDefaultRoutesAddressComesFirstThenTheOtherPrivateOnes) {
  const QList<std::pair<QString, QString>> laptop = {{"virbr0", "192.168.122.1"}, {"docker0", "172.17.0.1"},
                                                     {"wlp2s0", "192.168.1.23"},  {"tun0", "10.8.0.2"},
                                                     {"eth1", "203.0.113.5"},    {"br9", "172.32.0.1"},
                                                     {"wlp2s0", "192.168.1.23"}};
  EXPECT_EQ(TablesAddressesOf(laptop, "wlp2s0"),
            QStringList({"192.168.1.23", "192.168.122.1", "172.17.0.1", "10.8.0.2"}));
  // The Wi-Fi of a phone's hotspot hands out a shared address (100.64.0.0/10),
  // not a private one: still the address the tables reach, and first.
  const QList<std::pair<QString, QString>> hotspot = {
      {"virbr0", "192.168.122.1"}, {"wlp2s0", "100.72.1.5"}, {"eth1", "203.0.113.5"}};
  EXPECT_EQ(TablesAddressesOf(hotspot, "wlp2s0"), QStringList({"100.72.1.5", "192.168.122.1"}));
  // No default route: the order of the interfaces.
  EXPECT_EQ(TablesAddressesOf(laptop, ""), QStringList({"192.168.122.1", "172.17.0.1", "192.168.1.23", "10.8.0.2"}));
  // Only public addresses: they are all the computer has.
  EXPECT_EQ(TablesAddressesOf({{"eth0", "203.0.113.5"}, {"eth1", "198.51.100.7"}}, "eth1"),
            QStringList({"198.51.100.7", "203.0.113.5"}));
  EXPECT_TRUE(TablesAddressesOf({}, "eth0").isEmpty());
}

// With the real tables' server, as the program starts it from its folder.
class RealTablesServerTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    ASSERT_TRUE(testing_support::LinkBuiltTablesServer(programDir()));
    testing_support::LayOutTabletEvening("ABC", 3, 2);
  }
};

TEST_F(RealTablesServerTest, TwoCopiesEachWithItsEveningLeaveEachOthersServerRunning) {
  // The other copy's evening: its own exchange folder, its server of the same name.
  const QString otherExchange = rootDir() + "AutreCopie/Quillmarke";
  QDir().mkpath(otherExchange);
  writeBytes(otherExchange + "/index.html", "<p>autre copie</p>");
  testing_support::TablesServerProcess other(otherExchange);
  ASSERT_GT(other.port(), 0);
  const qint64 otherPid = other.processId();

  // This copy's tablets evening, without the Windows programs.
  StartTabletServer();
  const qint64 mine = TablesServerProcessId();
  ASSERT_GT(mine, 0);
  EXPECT_NE(mine, otherPid);
  ASSERT_TRUE(servedWithin(5000));
  const QString address = TablesServerAddress();
  EXPECT_TRUE(LoopbackGet(portOf(address), "/").contains("<html")) << qPrintable(address);
  EXPECT_TRUE(alive(otherPid));
  EXPECT_TRUE(LoopbackGet(other.port(), "/").contains("autre copie"));

  // Started again (a reload, a resume): only this copy's own server is replaced.
  StartTablesServer();
  EXPECT_FALSE(alive(mine));
  EXPECT_TRUE(alive(otherPid));
  const qint64 again = TablesServerProcessId();
  EXPECT_GT(again, 0);

  // The quit stops this copy's server and leaves the other's serving.
  StopTablesServer();
  EXPECT_FALSE(alive(again));
  EXPECT_EQ(TablesServerProcessId(), 0);
  EXPECT_TRUE(alive(otherPid));
  EXPECT_TRUE(LoopbackGet(other.port(), "/").contains("autre copie"));
}

TEST_F(RealTablesServerTest, AKilledServerIsServingAgainWithinThreeSeconds) {
  StartTablesServer();
  ASSERT_TRUE(servedWithin(5000));
  const qint64 first = TablesServerProcessId();
  ASSERT_GT(first, 0);
  const int port = portOf(TablesServerAddress());
  ASSERT_GT(port, 0);
  ::kill(static_cast<pid_t>(first), SIGKILL);
  QElapsedTimer clock;
  clock.start();
  bool saidDown = false;
  while (clock.elapsed() < 3000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(10);
    if (!CurrentTablesServerStatus().alarm.isEmpty()) saidDown = true;
    if (saidDown && !TablesServerAddress().isEmpty()) break;
  }
  EXPECT_TRUE(saidDown);
  ASSERT_FALSE(TablesServerAddress().isEmpty()) << qPrintable(CurrentTablesServerStatus().alarm);
  EXPECT_LT(clock.elapsed(), 3000);
  EXPECT_NE(TablesServerProcessId(), first);
  EXPECT_TRUE(LoopbackGet(portOf(TablesServerAddress()), "/").contains("<html"));
}

TEST_F(RealTablesServerTest, ThePortsTakenByOthersAreSkippedAndNoneFreeIsSaid) {
  // Held by another program (this test, on the loopback address) that lets
  // a socket of the same user share its port, as the server's own does:
  // 8080, then every port up to 8099. A port someone else holds is as taken.
  testing_support::PortsHeld held;
  held.hold(8080);
  StartTablesServer();
  ASSERT_TRUE(servedWithin(5000));
  const int port = portOf(TablesServerAddress());
  EXPECT_GT(port, 8080);
  EXPECT_LE(port, 8099);
  // The menu's port is the server's (over loopback here), not the holder's.
  EXPECT_TRUE(LoopbackGet(port, "/").contains("<html"));
  StopTablesServer();

  for (int p = 8081; p <= 8099; ++p) held.hold(p);
  StartTablesServer();
  EXPECT_TRUE(testing_support::WaitUntil([] { return !CurrentTablesServerStatus().alarm.isEmpty(); }, 5000));
  EXPECT_TRUE(TablesServerAddress().isEmpty());
  EXPECT_TRUE(CurrentTablesServerStatus().alarm.startsWith(
      "Les tables ne sont pas servies : Aucun des ports 8080 à 8099 n'est libre sur 0.0.0.0 : un autre "
      "programme les occupe. Les tables ne peuvent pas être servies. Nouvel essai"))
      << qPrintable(CurrentTablesServerStatus().alarm);
}

TEST_F(TablesServerTest, AColumnAddedToTheHoldersFileLeavesItsLinesRead) {
  const QString file = TabletSharedFolder + "/APPAREILS.TXT";
  writeBytes(file, "2\tAndroid Chrome 192.168.1.23\t20:15:02\t12\r\n");
  const QList<TableHolder> holders = ReadTableHolders(file);
  ASSERT_EQ(holders.size(), 1);
  EXPECT_EQ(holders[0].device, "Android Chrome 192.168.1.23");
  EXPECT_EQ(holders[0].since, "20:15:02");
}
