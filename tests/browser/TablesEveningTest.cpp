// A whole evening played at the tables from real browsers: the program starts
// a three-table Mitchell with tablets, the tables' server serves the exchange
// folder, and node drives three phone-sized Chromium sessions through the
// pages (players, every board, a correction, a split, a takeover) while this
// test runs the program's own collection. The program must take every result
// once, every page must see its echo, and the ranking shown at the tables
// must be the program's, checked against numbers worked out by hand.
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "flows/StartTournament.h"
#include "flows/TournamentMenu.h"
#include "platform/Process.h"
#include "platform/TextFiles.h"
#include "scoring/ResultListings.h"
#include "setup/PairsEntry.h"
#include "support/TabletTables.h"
#include "support/TestState.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QThread>

#include <map>

using testing_support::readBytes;

namespace {

const QString kSource = QStringLiteral(TALVARON_SOURCE_DIR);
const QString kBrowserTests = kSource + "/tests/browser/";

// A port nobody listens on now.
int FreePort() {
  QTcpServer probe;
  if (!probe.listen(QHostAddress::LocalHost, 0)) return 0;
  return probe.serverPort();
}

// Runs the collection and Qt's events while waiting.
void Tick() {
  CollectionTick();
  QCoreApplication::processEvents();
  QThread::msleep(100);
}

}  // namespace

class TablesEveningTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    for (const QString& standIn :
         {testing_support::BuiltTabletServerStandIn(), testing_support::BuiltTabletCompanionStandIn()}) {
      const QString exe = programDir() + standIn.section('/', -1);
      ASSERT_TRUE(QFile::copy(standIn, exe));
      QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
  }
  void TearDown() override {
    for (QProcess* p : {&node_, &server_}) {
      if (p->state() != QProcess::NotRunning) {
        p->kill();
        p->waitForFinished(5000);
      }
    }
    platform::SystemProcesses system;
    system.stop("PCQuillmarkeServer.EXE");
    system.stop("TABLOSSE.EXE");
    flowWindows().showTournamentMenu = nullptr;
    menuView() = TournamentMenuView{};
    TalvaronTest::TearDown();
  }

  // Chromium, node and puppeteer-core (installed under the build tree by the
  // project's script when missing); false with the reason when one cannot be
  // had.
  bool browserReady(QString& why) {
    chromium_ = QStandardPaths::findExecutable("chromium");
    node_path_ = QStandardPaths::findExecutable("node");
    if (chromium_.isEmpty() || node_path_.isEmpty()) {
      QProcess::execute("bash", {kSource + "/scripts/install-deps.sh", "--tests"});
      chromium_ = QStandardPaths::findExecutable("chromium");
      node_path_ = QStandardPaths::findExecutable("node");
    }
    if (chromium_.isEmpty() || node_path_.isEmpty()) {
      why = "chromium or node is not installed and could not be installed";
      return false;
    }
    modules_ = QStringLiteral(TALVARON_NODE_FOLDER);
    if (QProcess::execute("bash", {kSource + "/scripts/install-puppeteer.sh", modules_}) != 0) {
      why = "puppeteer-core could not be installed from the npm registry";
      return false;
    }
    return true;
  }

  // The tables' server on the exchange folder, on a free loopback port.
  bool startServer() {
    const QString exe = QCoreApplication::applicationDirPath() + "/talvaron-tables";
    if (!QFile::exists(exe)) return false;
    port_ = FreePort();
    server_.setProcessChannelMode(QProcess::MergedChannels);
    server_.start(exe, {"--exchange", documentsDir() + "/Quillmarke", "--pages",
                        QCoreApplication::applicationDirPath() + "/tables", "--address", "127.0.0.1", "--port",
                        QString::number(port_), "--program", programDir()});
    if (!server_.waitForStarted(5000)) return false;
    QElapsedTimer clock;
    clock.start();
    QByteArray said;
    while (clock.elapsed() < 10000) {
      server_.waitForReadyRead(200);
      said += server_.readAll();
      if (said.contains("http://")) return true;
      if (server_.state() == QProcess::NotRunning) break;
    }
    ADD_FAILURE() << "the tables' server did not start: " << said.toStdString();
    return false;
  }

  QProcess server_;
  QProcess node_;
  QString chromium_, node_path_, modules_;
  int port_ = 0;
};

TEST_F(TablesEveningTest, ThreeTablesPlayTheirEveningFromPhones) {
  QString why;
  if (!browserReady(why)) GTEST_SKIP() << why.toStdString();

  // Twelve players in the club's list; the players sit down and give their
  // licence numbers (or names) at the tables.
  testing_support::writeBytes(programDir() + "JOUEURS.TXT",
                              "ARNAUD Paul 1001\r\nBLANC Marie 1002\r\nCARON Luc 1003\r\nDUMAS Anne 1004\r\n"
                              "EVRARD Jean 1005\r\nFAURE Lise 1006\r\nGIRARD Marc 1007\r\nHENRY Rose 1008\r\n"
                              "JOLY Yves 1009\r\nKLEIN Sara 1010\r\nLEROY Eric 1011\r\nMOREL Zoe 1012\r\n");
  PlayersFileName = "JOUEURS.TXT";
  testing_support::writeBytes(programDir() + "DemanderEntame.TXT", "\r\n");
  TableDevicesMode = TabletsMode = true;
  PairsEntered = false;
  TournamentCode = "SOIR";
  flowWindows().showTournamentMenu = [] {};
  PbnOption = 3;  // no deals to import
  {
    ui::ScriptedInteraction talk;
    // Six pairs, named at the tables; a standard Mitchell, 2 boards a table, 3 rounds.
    talk.answerText("6").answer(1).answerText("2").answerText("3");
    ASSERT_TRUE(AskPairCount());
    ResultsPerBoard = TableCount;
    FillPairsGrids();
    StartTournament();
  }
  ASSERT_EQ(ResultSlotCount, 18);
  if (!startServer()) GTEST_SKIP() << "the tables' server is not built";

  // The phones play while the program collects, as the menu's timer does.
  node_.setWorkingDirectory(kBrowserTests);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("TALVARON_NODE_FOLDER", modules_);
  node_.setProcessEnvironment(env);
  node_.setProcessChannelMode(QProcess::SeparateChannels);
  QStringList arguments{kBrowserTests + "evening.mjs", QString("http://127.0.0.1:%1/").arg(port_), chromium_};
  const QString shots = qEnvironmentVariable("TALVARON_TABLES_SCREENSHOTS");
  if (!shots.isEmpty()) arguments << shots;
  node_.start(node_path_, arguments);
  ASSERT_TRUE(node_.waitForStarted(10000));
  QByteArray out;
  QElapsedTimer clock;
  clock.start();
  bool played = false;
  ui::ScriptedInteraction quiet;  // the collection speaks to nobody
  while (node_.state() != QProcess::NotRunning && clock.elapsed() < 240000) {
    Tick();
    out += node_.readAllStandardOutput();
    if (!played && out.contains("PLAYED\n")) {
      played = true;
      // Everything the tables sent is taken before the pages read the ranking.
      for (int tick = 0; tick < 5; ++tick) Tick();
      node_.write("COLLECTED\n");
    }
  }
  node_.waitForFinished(5000);
  out += node_.readAllStandardOutput();
  const QByteArray errors = node_.readAllStandardError();
  const qsizetype at = out.indexOf("REPORT ");
  ASSERT_GE(at, 0) << out.toStdString() << errors.toStdString();
  const QJsonObject report = QJsonDocument::fromJson(out.mid(at + 7).split('\n').first()).object();
  ASSERT_FALSE(report.contains("failure")) << report.value("failure").toString().toStdString();
  EXPECT_FALSE(report.contains("errors")) << QJsonDocument(report.value("errors").toArray()).toJson().toStdString();
  EXPECT_TRUE(quiet.messages.isEmpty()) << quiet.messages.join(" | ").toStdString();
}
