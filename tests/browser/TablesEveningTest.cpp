// A whole evening played at the tables from real browsers: the program starts
// a three-table Mitchell with tablets, the tables' server serves the exchange
// folder, and node drives three phone-sized Chromium sessions through the
// pages (players, every board, a correction, a split, a takeover) while this
// test runs the program's own collection. The program must take every result
// once, every page must see its echo, and the ranking shown at the tables
// must be the program's, checked against numbers worked out by hand.
#include "core/CompanionPrograms.h"
#include "core/DealAnalyses.h"
#include "core/DealDiagrams.h"
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "devices/Companions.h"
#include "devices/TablesServer.h"
#include "devices/TabletFiles.h"
#include "devices/TabletLines.h"
#include "flows/StartTournament.h"
#include "flows/TournamentMenu.h"
#include "flows/ui/TournamentMenuWindow.h"
#include "platform/Process.h"
#include "platform/TextFiles.h"
#include "scoring/ResultListings.h"
#include "scoring/ScoreSheet.h"
#include "setup/PairsEntry.h"
#include "setup/Players.h"
#include "support/devices/LoopbackPorts.h"
#include "support/devices/TabletTables.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <csignal>
#include <functional>
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

// The port the program asks its tables' server first in a test (another
// listener holds it there).
int askedFirst = 0;

// The address the tournament menu shows as served ("Tables : ouvrez
// <address>", not greyed), "" when none.
QString shownAddress(const TForm5& menu) {
  const QString prefix = QStringLiteral("Tables : ouvrez ");
  const QString shown = menu.tablesAddress->text();
  return menu.tablesAddress->isVisible() && menu.tablesAddress->isEnabled() && shown.startsWith(prefix)
             ? shown.mid(prefix.size())
             : QString();
}

// What zbarimg reads in the QR code the menu shows, saved as a picture.
QString decodedQrCode(const TForm5& menu, const QString& picture) {
  if (!menu.tablesCode->pixmap().toImage().save(picture, "PNG")) return "(not saved)";
  QProcess zbar;
  zbar.start("zbarimg", {"--raw", "-q", picture});
  if (!zbar.waitForFinished(10000)) return "(zbarimg did not end)";
  return QString::fromUtf8(zbar.readAllStandardOutput()).trimmed();
}

// The board's sheet on the line of table 2's result of board, as the
// director opens it at the desk.
void PutSheetOnTable2(ScoreSheet& sheet, int board) {
  sheet.layOut(board);
  for (int line = 1; line <= sheet.lineCount(); ++line)
    if (ResultTable[sheet.slotOfLine(line)] == 2) sheet.setCurrentLine(line);
}

// "tap-to-taken: median N ms, p95 N ms, n=N": how long each page waited from
// the tap on its send button until it showed the program took the result;
// "tap-to-taken, timer alone: ..." where the collection ran on its timer
// without the tournament menu (nor the menu's wake when a file lands).
void PrintTapToTaken(const QJsonArray& times, bool menuCollects) {
  std::vector<int> ms;
  for (const QJsonValue& t : times) ms.push_back(t.toInt());
  if (ms.empty()) return;
  std::sort(ms.begin(), ms.end());
  const auto rank = [&ms](int percent) { return ms[(ms.size() * percent + 99) / 100 - 1]; };  // nearest rank
  std::printf("tap-to-taken%s: median %d ms, p95 %d ms, n=%zu\n", menuCollects ? "" : ", timer alone", rank(50), rank(95),
              ms.size());
}

}  // namespace

class TablesEveningTest : public testing_support::TalvaronTest {
 protected:
  void TearDown() override {
    for (QProcess* p : {&node_, &server_}) {
      if (p->state() != QProcess::NotRunning) {
        p->kill();
        p->waitForFinished(5000);
      }
    }
    flowWindows().showTournamentMenu = nullptr;
    menuView() = TournamentMenuView{};
    TablesServerFirstPort = [] { return kTablesServerPort; };
    TalvaronTest::TearDown();
  }

  // Chromium, node and puppeteer-core (installed under the build tree by the
  // project's script when missing); false with the reason when one cannot be
  // had.
  bool browserReady(QString& why) {
    chromium_ = QStandardPaths::findExecutable("chromium");
    node_path_ = QStandardPaths::findExecutable("node");
    if (chromium_.isEmpty() || node_path_.isEmpty() || QStandardPaths::findExecutable("zbarimg").isEmpty()) {
      QProcess::execute("bash", {kSource + "/scripts/install-deps.sh", "--tests"});
      chromium_ = QStandardPaths::findExecutable("chromium");
      node_path_ = QStandardPaths::findExecutable("node");
    }
    if (chromium_.isEmpty() || node_path_.isEmpty() || QStandardPaths::findExecutable("zbarimg").isEmpty()) {
      why = "chromium, node or zbarimg is not installed and could not be installed";
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
  // It runs under a name of its own: the program stops its companions by
  // name (a tournament's start stops a running tables' server), and other
  // tests start and quit the program beside this one.
  bool startServer() {
    const QString built = QCoreApplication::applicationDirPath() + "/talvaron-tables";
    const QString exe = tmp_.path() + "/tables-server-under-test";
    if (!QFile::exists(built) || !QFile::copy(built, exe)) return false;
    port_ = FreePort();
    server_.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment serverEnv = QProcessEnvironment::systemEnvironment();
    serverEnv.insert("TALVARON_TABLES_CODE", testing_support::kTablesCode);  // the password is the built-in one
    server_.setProcessEnvironment(serverEnv);
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

  // A new tablets tournament of `pairs` pairs: a standard Mitchell of two
  // boards a table and three rounds, started through the program's flow.
  // With an odd number the BYE sits E/W with the highest number.
  // named runs once the pairs are made, before the tournament starts.
  void startEvening(const QString& pairs, const std::function<void()>& named = {}) {
    TableDevicesMode = TabletsMode = true;
    TournamentCode = "SOIR";
    flowWindows().showTournamentMenu = [] {};
    PbnOption = 3;  // no deals to import
    ui::ScriptedInteraction talk;
    talk.answerText(pairs);
    if (pairs.toInt() % 2 == 1) talk.answerText("2;1;;0");
    talk.answer(1).answerText("2").answerText("3");
    ASSERT_TRUE(AskPairCount());
    if (named) named();
    ResultsPerBoard = TableCount;
    FillPairsGrids();
    StartTournament();
    // No companion missing: nothing that cannot go on.
    EXPECT_TRUE(talk.messages.filter("Impossible de continuer").isEmpty()) << talk.messages.join(" | ").toStdString();
  }

  // Runs a script of phones against the server while the program collects,
  // as the menu's timer does; its report. When the script asks for a step
  // ("STEP <name>"), the collection takes what was sent, then onStep(name)
  // does the test's part, and the script is answered "DONE".
  QJsonObject runPhones(const QString& script, const std::function<void(const QString&)>& onStep = {}) {
    node_.setWorkingDirectory(kBrowserTests);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TALVARON_NODE_FOLDER", modules_);
    env.insert("TALVARON_TABLES_CODE", code_);
    node_.setProcessEnvironment(env);
    QStringList arguments{kBrowserTests + script, QString("http://127.0.0.1:%1/").arg(port_), chromium_};
    const QString shots = qEnvironmentVariable("TALVARON_TABLES_SCREENSHOTS");
    if (!shots.isEmpty()) arguments << shots;
    node_.start(node_path_, arguments);
    if (!node_.waitForStarted(10000)) return {{"failure", "node did not start"}};
    QByteArray out;
    qsizetype read = 0;  // where the lines not yet looked at start
    ui::ScriptedInteraction quiet;  // the collection speaks to nobody
    // The program's collection at the program's own pace: the tournament
    // menu's timer, here when the menu is not shown.
    QTimer collection;
    QObject::connect(&collection, &QTimer::timeout, [] { CollectionTick(); });
    if (!menuCollects_) collection.start(menuView().timerInterval > 0 ? menuView().timerInterval : 500);
    // Qt's events until node says something or ends, or the deadline.
    QEventLoop wait;
    QObject::connect(&node_, &QProcess::readyReadStandardOutput, &wait, &QEventLoop::quit);
    QObject::connect(&node_, &QProcess::finished, &wait, &QEventLoop::quit);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &wait, &QEventLoop::quit);
    deadline.start(240000);
    while (node_.state() != QProcess::NotRunning && deadline.isActive()) {
      if (node_.bytesAvailable() == 0) wait.exec();
      out += node_.readAllStandardOutput();
      for (qsizetype end; (end = out.indexOf('\n', read)) >= 0; read = end + 1) {
        const QByteArray line = out.mid(read, end - read);
        if (!line.startsWith("STEP ")) continue;
        CollectionTick();  // what was sent is taken before the test's part
        QCoreApplication::processEvents();
        if (onStep) onStep(QString::fromUtf8(line.mid(5)));
        node_.write("DONE\n");
      }
    }
    collection.stop();
    node_.waitForFinished(5000);
    out += node_.readAllStandardOutput();
    EXPECT_TRUE(quiet.messages.isEmpty()) << quiet.messages.join(" | ").toStdString();
    // How the server fared, for the report of a failure.
    const QString server = !server_.program().isEmpty() && server_.state() == QProcess::NotRunning
                               ? QString("\nthe tables' server ended (exit %1, %2): ")
                                     .arg(server_.exitCode())
                                     .arg(server_.exitStatus() == QProcess::CrashExit ? "killed" : "exited") +
                                     QString::fromUtf8(server_.readAll())
                               : QString();
    const qsizetype at = out.indexOf("REPORT ");
    if (at < 0) return {{"failure", QString::fromUtf8(out + node_.readAllStandardError()) + server}};
    QJsonObject report = QJsonDocument::fromJson(out.mid(at + 7).split('\n').first()).object();
    if (report.contains("failure")) report["failure"] = report.value("failure").toString() + server;
    EXPECT_FALSE(report.contains("errors")) << QJsonDocument(report.value("errors").toArray()).toJson().toStdString();
    PrintTapToTaken(report.value("tapToTaken").toArray(), menuCollects_);
    if (qEnvironmentVariableIsSet("TALVARON_SHOW_REPORT")) std::printf("%s\n", QJsonDocument(report).toJson().constData());
    return report;
  }

  // The program's own starts of its companions (the tables' server among
  // them, on the club's network) are recorded, not made: these tests start
  // the tables' server themselves, on the loopback address, but the one
  // that watches the program's own.
  platform::FakeProcesses companions_;
  QProcess server_;
  QProcess node_;
  QString chromium_, node_path_, modules_;
  QString code_ = testing_support::kTablesCode;  // what the phones type to join
  int port_ = 0;
  bool menuCollects_ = false;  // the tournament menu is shown, its timer collecting
};

TEST_F(TablesEveningTest, ThreeTablesPlayTheirEveningFromPhones) {
  QString why;
  if (!browserReady(why)) GTEST_SKIP() << why.toStdString();

  // Twelve players in the club's list; the players sit down and give their
  // licence numbers (or names) at the tables.
  testing_support::writeBytes(programDir() + "JOUEURS.TXT",
                              "ARNAUD Paul 1001\r\nBLANC Marie 1002\r\nCARON Luc 1003\r\nDUMAS Anne 1004\r\n"
                              "EVRARD Jean 1005\r\nFAURE Lise 1006\r\nGIRARD Marc 1007\r\nHENRY Rose 1008\r\n"
                              "JOLY Yves 1009\r\nKLEIN Sara 01010\r\nLEROY Eric 1011\r\nMOREL Zoe 1012\r\n");
  PlayersFileName = "JOUEURS.TXT";
  LoadPlayers();
  testing_support::writeBytes(programDir() + "DemanderEntame.TXT", "\r\n");
  PairsEntered = false;
  startEvening("6");  // six pairs, named at the tables
  ASSERT_EQ(ResultSlotCount, 18);
  // The deal of board 1 is known (North, South, East, West; spades to clubs).
  WriteDiagramFile(1, {{{"AKT3", "QJ2", "", "987654"}, {"8765", "AK3", "AKQ", "T32"},
                        {"QJ9", "T987", "765", "KQJ"}, {"42", "654", "JT98432", "A"}}});
  // What could be made on it, as the solver gives it: North or South take 9
  // tricks in spades; the par is 3SA by N/S, +400 not vulnerable.
  BoardAnalyses()[1] = {"N:AKT3.QJ2..987654 QJ9.T987.765.KQJ 8765.AK3.AKQ.T32 42.654.JT98432.A",
                        {},
                        {{{10, 8, 9, 9, 9}, {3, 5, 4, 3, 4}, {10, 8, 9, 9, 9}, {3, 5, 4, 3, 4}}},
                        400,
                        {{3, StrainNoTrump, "NS", 0, 0}}};
  SaveDealAnalyses();
  if (!startServer()) GTEST_SKIP() << "the tables' server is not built";

  const QJsonObject report = runPhones("evening.mjs");
  ASSERT_FALSE(report.contains("failure")) << report.value("failure").toString().toStdString();

  // Every result taken once: 18 boards and the one correction went through
  // the collection, nothing waits at a table, nothing came twice.
  EXPECT_EQ(ResultsEntered, 18);
  EXPECT_EQ(platform::readTextLines(dataDir() + "SOIR.LOG").size(), 19);
  testing_support::TabletTables tables;
  for (int t = 1; t <= 3; ++t) EXPECT_TRUE(tables.pendingResults(t).isEmpty()) << t;
  // The slots hold what the players entered (slots run board by board,
  // tables 1 to 3), the scores worked out from the scoring table.
  const std::map<int, std::pair<QString, int>> stored = {
      {1, {"4PN+2", 480}},  {2, {"4PN+1", 450}},  {3, {"4PN-1", -50}},    {4, {"3SS=", 600}},
      {5, {"3SS+1", 630}},  {6, {"PASSE", 0}},    {7, {"2CE=", -110}},    {8, {"2CE+1", -140}},
      {9, {"2PN=", 110}},   {10, {"3SO=", -600}}, {11, {"AJU.", 9999}},   {12, {"3SXO-1", 200}},
      {13, {"1SN+2", 150}}, {14, {"1SN+2", 150}}, {15, {"2KS=", 90}},     {16, {"4CE=", -620}},
      {17, {"4CE-2", 200}}, {18, {"MOY", 9998}}};
  for (const auto& [slot, expected] : stored) {
    EXPECT_EQ(ResultContract[slot].toStdString(), expected.first.toStdString()) << "slot " << slot;
    EXPECT_EQ(ResultScore[slot], expected.second) << "slot " << slot;
  }
  EXPECT_EQ(ResultLead[1].toStdString(), "RT");  // the corrected board keeps its lead
  EXPECT_EQ(ResultNsPercent[11], 60);
  EXPECT_EQ(ResultEwPercent[11], 40);

  // The players named themselves at the tables: "dumas anne" typed in small
  // letters is stored as the list has her, with her licence; "1010" typed
  // without the leading zero of "01010" finds Sara Klein.
  EXPECT_EQ(PairLabels[1].toStdString(), "ARNAUD Paul - BLANC Marie");
  EXPECT_EQ(PairLabels[2].toStdString(), "CARON Luc - DUMAS Anne");
  EXPECT_EQ(Player2Licences[2].toStdString(), "1004");
  EXPECT_EQ(PairLabels[5].toStdString(), "JOLY Yves - KLEIN Sara");
  EXPECT_EQ(Player2Licences[5].toStdString(), "01010");
  EXPECT_EQ(PairLabels[6].toStdString(), "LEROY Eric - MOREL Zoe");
  // A look-up refused for its pace is said on the phone, and the licence is
  // asked again when the players are sent.
  EXPECT_EQ(report.value("refusedLookUp").toString().toStdString(), "Trop d'essais : réessayez dans 30 secondes.");
  EXPECT_EQ(PairLabels[3].toStdString(), "EVRARD Jean - FAURE Lise");
  EXPECT_EQ(Player2Licences[6].toStdString(), "1012");
  const QStringList asked{"Nord", "Sud", "Est", "Ouest"};
  EXPECT_EQ(report.value("seatsAsked").toVariant().toStringList(), asked);

  // Every control a finger touches is at least 48 pixels each way; the
  // lead's suits come in the contract's order.
  for (const QString view : {"players", "round", "board"})
    EXPECT_GE(report.value("smallest").toObject().value(view).toDouble(), 48.0) << view.toStdString();
  EXPECT_EQ(report.value("strains").toString().toStdString(), "♣♦♥♠SA");
  EXPECT_EQ(report.value("leadSuits").toString().toStdString(), "♣♦♥♠");

  // The Wi-Fi came back while table 2 confirmed board 6, then the phone
  // reloaded: the contract typed was still there to send (4♥ by East two
  // down, East-West vulnerable on board 6: 200 to N/S).
  const QString confirmation = "confirmation: Donne 6 : à confirmer4♥ E -2 – entame A♠N/S marque 200EnvoyerModifier";
  EXPECT_EQ(report.value("blip").toObject().value("online").toString().toStdString(), confirmation.toStdString());
  EXPECT_EQ(report.value("blip").toObject().value("reload").toString().toStdString(), confirmation.toStdString());

  // Every page saw the program take each of its boards, and the correction.
  const QJsonObject pages = report.value("tables").toObject();
  for (int t = 1; t <= 3; ++t) {
    const QJsonObject seen = pages.value(QString::number(t)).toObject().value("seen").toObject();
    for (int b = 1; b <= 6; ++b)
      EXPECT_EQ(seen.value(QString::number(b)).toObject().value("echo").toString().toStdString(), "✓ Résultat pris par le programme.")
          << "table " << t << " board " << b;
  }
  const QJsonObject table1 = pages.value("1").toObject().value("seen").toObject();
  EXPECT_EQ(table1.value("1").toObject().value("before").toString().toStdString(), "4♠ N -1");
  // The correction started from 4♠ N -1 led by the king of clubs.
  EXPECT_EQ(table1.value("1").toObject().value("startsFrom").toVariant().toStringList().join(' ').toStdString(),
            "genre:contract declarant:N niveau:4 couleur:P contre: resultat:-1 entame:R entame-couleur:T");
  EXPECT_EQ(table1.value("1").toObject().value("corrected").toObject().value("taken").toString().toStdString(), "4♠ N +2");
  EXPECT_EQ(table1.value("1").toObject().value("corrected").toObject().value("score").toString().toStdString(), "N/S marque 480");
  EXPECT_EQ(table1.value("2").toObject().value("score").toString().toStdString(), "N/S marque 600");
  // Round 1 over, table 1's pairs are told where they play next: N/S 1
  // stays at table 1, E/W 1 moves up to table 2 (a standard Mitchell).
  EXPECT_EQ(table1.value("2").toObject().value("nextPlace").toString().toStdString(),
            "Au tour suivantN/S, paire 1 : table 1 en N/SE/W, paire 1 : table 2 en E/W");
  // The split and the passed board in words, never "null" nor a bare "0";
  // the split's line of the frequency shows its 60 % and 40 %.
  const QJsonObject split = pages.value("2").toObject().value("seen").toObject().value("4").toObject();
  EXPECT_EQ(split.value("taken").toString().toStdString(), "Score arbitral 60 % – 40 %");
  EXPECT_FALSE(split.contains("takenScore"));
  const QJsonArray splitRows = split.value("frequency").toArray();
  EXPECT_TRUE(std::any_of(splitRows.begin(), splitRows.end(),
                          [](const QJsonValue& row) { return row.toString() == "Score arbitral–260240"; }))
      << QJsonDocument(splitRows).toJson().toStdString();
  const QJsonObject pass = pages.value("3").toObject().value("seen").toObject().value("2").toObject();
  EXPECT_EQ(pass.value("taken").toString().toStdString(), "Passe général");
  EXPECT_EQ(pass.value("takenScore").toString().toStdString(), "Passe général : 0 point");
  // Every board's frequency, on the page of each table that played it, holds
  // that table's own line; a passed board's among them.
  for (int t = 1; t <= 3; ++t) {
    const QJsonObject seen = pages.value(QString::number(t)).toObject().value("seen").toObject();
    for (int b = 1; b <= 6; ++b)
      EXPECT_FALSE(seen.value(QString::number(b)).toObject().value("frequency").toArray().isEmpty())
          << "table " << t << " board " << b;
  }
  const QJsonArray passed =
      pages.value("3").toObject().value("seen").toObject().value("2").toObject().value("frequency").toArray();
  EXPECT_TRUE(std::any_of(passed.begin(), passed.end(),
                          [](const QJsonValue& row) { return row.toString().startsWith("Passe général0"); }))
      << QJsonDocument(passed).toJson().toStdString();
  const QJsonObject table2 = pages.value("2").toObject().value("seen").toObject();
  EXPECT_FALSE(table2.value("resend").toObject().value("written").toBool(true));  // sent twice, written once
  EXPECT_EQ(table2.value("reloaded").toString().toStdString(), "Donne 3");                       // the reload came back there
  EXPECT_EQ(pages.value("3").toObject().value("seen").toObject().value("3").toObject().value("offline").toString().toStdString(),
            "Pas encore reçu par le serveur : nouvel essai automatique.");  // kept, then sent again
  EXPECT_EQ(report.value("takeover").toObject().value("oldPage").toString().toStdString(), "Un autre appareil a repris la table 3.");

  // The ranking at every table is the program's: N/S 2, 1, 3 and E/W 2, 3,
  // 1, as worked out by hand from the boards' matchpoints (top 4 on a board
  // of three results, top 2 on a board of two; the 60-40 split counted as
  // such, the board not played left out): pair 2 = (50 + 100 + 0 + 60 + 75 +
  // 100) / 6 = 64.17, pair 1 = (100 + 50 + 50 + 0 + 75 + 0) / 6 = 45.83, pair
  // 3 = (0 + 0 + 100 + 100 + 0) / 5 = 40, E/W 2 = (100 + 100 + 100 + 40 + 25
  // + 100) / 6 = 77.50, E/W 3 = (50 + 0 + 50 + 100 + 100) / 5 = 60, E/W 1 =
  // (0 + 50 + 0 + 0 + 25 + 0) / 6 = 12.50.
  const QString expected =
      "Résultats N/S:|1 2 CARON Luc - DUMAS Anne 64.17|2 1 ARNAUD Paul - BLANC Marie 45.83|"
      "3 3 EVRARD Jean - FAURE Lise 40.00|Résultats E/W:|1 2 JOLY Yves - KLEIN Sara 77.50|"
      "2 3 LEROY Eric - MOREL Zoe 60.00|3 1 GIRARD Marc - HENRY Rose 12.50";
  for (int t = 1; t <= 3; ++t) {
    QStringList shown;
    for (const QJsonValue& list : pages.value(QString::number(t)).toObject().value("ranking").toArray()) {
      shown << list.toObject().value("title").toString();
      for (const QJsonValue& row : list.toObject().value("rows").toArray()) {
        QStringList cells;
        for (const QJsonValue& cell : row.toArray()) cells << cell.toString().trimmed();
        shown << cells.join(' ');
      }
    }
    EXPECT_EQ(shown.join('|').toStdString(), expected.toStdString()) << "table " << t;
  }
  // The deal known to the program, at every table once it played the board.
  for (int t = 1; t <= 3; ++t) {
    const QJsonArray deals = pages.value(QString::number(t)).toObject().value("deals").toArray();
    ASSERT_EQ(deals.size(), 1) << "table " << t;
    EXPECT_EQ(deals[0].toString().toStdString(),
              "Nord♠ A R X 3♥ D V 2♦ —♣ 9 8 7 6 5 4Ouest♠ 4 2♥ 6 5 4♦ V X 9 8 4 3 2♣ A"
              "Est♠ D V 9♥ X 9 8 7♦ 7 6 5♣ R D VSud♠ 8 7 6 5♥ A R 3♦ A R D♣ X 3 2");
  }
  // Below it, once each table's result was taken: the table, the par, and
  // 4♠ by North against the 9 tricks of double dummy (12, 11 and 9 made).
  const char* compared[] = {"4♠ N +2 : 3 levées de plus que le double mort", "4♠ N +1 : 2 levées de plus que le double mort",
                            "4♠ N -1 : autant de levées que le double mort"};
  for (int t = 1; t <= 3; ++t) {
    const QJsonArray analyses = pages.value(QString::number(t)).toObject().value("analyses").toArray();
    ASSERT_EQ(analyses.size(), 1) << "table " << t;
    EXPECT_EQ(analyses[0].toString().toStdString(),
              std::string("♣♦♥♠SAN1089" "99S1089" "99E35434O35434Par N/S +400 : 3SA N/S") + compared[t - 1])
        << "table " << t;
  }
  EXPECT_NEAR(PairFinalScore[2], 385.0 / 6, 1e-9);
  EXPECT_NEAR(PairFinalScore[5], 465.0 / 6, 1e-9);
  QStringList program;
  for (RankingList list : {RankingList::NorthSouth, RankingList::EastWest})
    for (const RankedRow& r : RankedRows(list)) program << QString::number(r.pair);
  EXPECT_EQ(program.join(' ').toStdString(), "2 1 3 5 6 4");
}

// Five pairs: the BYE sits E/W at table 3, so each round one table has a
// single pair. Its phone says so and goes on to the next round. A name that
// looks like markup is shown as it was typed. A correction made on a phone
// while the director changed the board is refused and the phone told. A
// board the director settles at his sheet is refused to its table until he
// deletes it there: the phone then enters it again and the program takes
// it. A new tournament then asks every phone for the password again.
TEST_F(TablesEveningTest, TheByeTableNamesAsTypedAndANewTournament) {
  QString why;
  if (!browserReady(why)) GTEST_SKIP() << why.toStdString();
  PairsEntered = true;
  startEvening("5", [] {
    Player1Names[1] = "<b>N1</b>";
    Player2Names[1] = "<img src=x>";
    PairLabels[1] = Player1Names[1] + " - " + Player2Names[1];
    Player1Names[3] = "DUPONT Jean";
    Player2Names[3] = "DURAND Paul";
    PairLabels[3] = "DUPONT Jean - DURAND Paul";
  });
  if (!startServer()) GTEST_SKIP() << "the tables' server is not built";
  // Table 2's first board in round 1 (boards 3 and 4 there).
  int handedBack = 0;
  for (int slot = 1; slot <= ResultSlotCount; ++slot)
    if (ResultTable[slot] == 2 && ResultRound[slot] == 1 && ResultBoard[slot] == 3) handedBack = slot;
  ASSERT_GT(handedBack, 0);
  const QJsonObject report = runPhones("sitout.mjs", [&](const QString& step) {
    if (step == "desk") {
      // The director types board 1 of table 1 again at the desk: 3SA+1 by
      // North, echoed to the table as every desk entry is.
      const int slot = 1;  // board 1, table 1
      ASSERT_EQ(ResultTable[slot], 1);
      TestSlots().contract[slot] = "3SN+1";
      TestSlots().declarer[slot] = "N";
      TestSlots().score[slot] = 430;
      WriteTabletResultLine(1, 1, ResultRound[slot], ResultNsPair[slot], ResultEwPair[slot], "3SN+1", "N");
    } else if (step.startsWith("settle ")) {
      // The director gives table 2's board 40 % - 60 % at his board's sheet
      // ("A", then the window's second line).
      ui::ScriptedInteraction director;
      director.answerText("2");
      ScoreSheet sheet;
      PutSheetOnTable2(sheet, step.mid(7).toInt());
      ASSERT_TRUE(sheet.readyForResult());
      ASSERT_TRUE(sheet.storeAdjusted());
    } else if (step.startsWith("hand back ")) {
      // He deletes it there: the board goes back to table 2.
      ScoreSheet sheet;
      PutSheetOnTable2(sheet, step.mid(10).toInt());
      sheet.deleteCurrent();
      EXPECT_EQ(ResultScore[handedBack], kScoreNone);
    } else if (step == "restart") {
      WriteTabletSessionFiles();  // a new tournament: the phones' tokens are no longer good
    }
  });
  ASSERT_FALSE(report.contains("failure")) << report.value("failure").toString().toStdString();
  EXPECT_EQ(report.value("keyboard").toString().toStdString(), "1");  // Tab reached table 1, Enter took it
  // Round 1 of the movement: the BYE (E/W 3) is due at table 3.
  const QJsonObject tables = report.value("tables").toObject();
  for (int t = 1; t <= 2; ++t) {
    EXPECT_TRUE(tables.value(QString::number(t)).toObject().value("first").toString().startsWith(
        QString("Tour 1 sur 3N/Spaire %1").arg(t)))
        << "table " << t;
    EXPECT_FALSE(tables.value(QString::number(t)).toObject().contains("second")) << "table " << t;
  }
  const QJsonObject alone = tables.value("3").toObject();
  EXPECT_TRUE(alone.value("first").toString().startsWith("Tour 1 sur 3Une seule paire à cette table"
                                                           "La paire 3 : DUPONT Jean - DURAND Paul ne joue pas ce tour-ci (relais)."))
      << alone.value("first").toString().toStdString();
  const QJsonObject table1 = tables.value("1").toObject();
  EXPECT_TRUE(table1.value("first").toString().startsWith("Tour 1 sur 3N/Spaire 1 : <b>N1</b> - <img src=x>E/W"))
      << table1.value("first").toString().toStdString();
  EXPECT_EQ(table1.value("markup").toInt(-1), 0);
  // The correction made on the phone did not overwrite the director's; the
  // phone says which result it did not send.
  const QJsonObject conflict = report.value("conflict").toObject();
  EXPECT_EQ(conflict.value("told").toString().toStdString(),
            "Donne 1 : « 3SA N +2 » n’a pas été envoyé. Ce résultat a été changé entre-temps (par un autre "
            "appareil ou par l'arbitre). Vérifiez-le avant de renvoyer. Résultat enregistré maintenant : 3SA N +1.");
  EXPECT_EQ(conflict.value("now").toString().toStdString(), "3SA N +1");
  EXPECT_EQ(ResultContract[1].toStdString(), "3SN+1");
  // A poll answered late did not draw board 1 over board 2, and board 2
  // sent while the state could not be read left the big button on the next
  // round, not on board 2 again.
  EXPECT_EQ(report.value("late").toObject().value("afterLatePoll").toString().toStdString(), "donne 2");
  EXPECT_EQ(report.value("late").toObject().value("mainButton").toString().toStdString(), "Tour suivant");
  // Table 2's first board, settled by the director, is shown so on the
  // round, skipped by the big button, and takes no result from the table.
  const QJsonObject settledBoard = report.value("settled").toObject();
  EXPECT_EQ(settledBoard.value("line").toString().toStdString(), "Donne 3Réglée par l’arbitre");
  EXPECT_EQ(settledBoard.value("next").toString().toStdString(), "Jouer la donne 4");
  EXPECT_EQ(settledBoard.value("page").toString().toStdString(),
            "Score arbitral 40 % – 60 %Réglée par l’arbitre : adressez-vous à lui pour toute question.");
  EXPECT_EQ(settledBoard.value("sent").toString().toStdString(),
            "409 settled Cette donne a été réglée par l'arbitre : adressez-vous à lui.");
  EXPECT_FALSE(QFile::exists(TableFolder(2) + "/REST3.TXT"));
  // Deleted at the desk, the board was the table's again: the phone entered
  // it, and the program took it (East two spades one down, East-West
  // vulnerable on board 3: 100 to N/S).
  EXPECT_EQ(settledBoard.value("handedBack").toString().toStdString(), "Donne 3à jouer");
  EXPECT_EQ(settledBoard.value("enteredAgain").toString().toStdString(),
            "2♠ E -1 | ✓ Résultat pris par le programme.");
  EXPECT_EQ(ResultContract[handedBack].toStdString(), "2PE-1");
  EXPECT_EQ(ResultScore[handedBack], 100);
  EXPECT_FALSE(QFile::exists(TableFolder(2) + "/ARBITRE3.TXT"));
  // The phone is back at the password, told why: its device is no longer
  // known, or, caught while the program was rewriting the session files,
  // there was no tournament for a moment.
  EXPECT_TRUE(QStringList({"Appareil non reconnu : entrez le mot de passe.", "Aucun tournoi avec tablettes n'est en cours."})
                  .contains(report.value("newTournament").toString()))
      << report.value("newTournament").toString().toStdString();
  // Then round 2 with its boards.
  EXPECT_TRUE(alone.value("second").toString().startsWith("Tour 2 sur 3N/Spaire 3 : DUPONT Jean - DURAND PaulE/Wpaire 2Donnes"
                                                            "Donne 1à jouerDonne 2à jouer"))
      << alone.value("second").toString().toStdString();
}

// Phones that open the page at once on a busy server: one has its script
// refused, one the requests' script, one the style; each loads the page once
// more by itself and then shows the join form, and schedules no further
// reload once its files are all there.
TEST_F(TablesEveningTest, APageWhoseOwnFileWasRefusedLoadsAgainUntilItHasThemAll) {
  QString why;
  if (!browserReady(why)) GTEST_SKIP() << why.toStdString();
  if (!startServer()) GTEST_SKIP() << "the tables' server is not built";
  const QJsonObject report = runPhones("refused.mjs");
  ASSERT_FALSE(report.contains("failure")) << report.value("failure").toString().toStdString();
  for (const QString file : {"app.js", "api.js", "style.css"}) {
    const QJsonObject page = report.value("pages").toObject().value(file).toObject();
    EXPECT_TRUE(page.value("refused").toBool()) << file.toStdString();
    EXPECT_EQ(page.value("loads").toInt(), 2) << file.toStdString();
    EXPECT_EQ(page.value("reloads").toInt(), 1) << file.toStdString();
  }
}

// The evening as a club on Linux has it: the program folder holds no Windows
// tablet program, the program starts its own tables' server and watches it.
// Another program listens on the port the program asks first: the menu
// shows the port the server took instead, its QR code reads back to that
// address, and the phones reach the pages there. Mid-evening the server is
// killed: the program serves again within three seconds at the same
// address, and the phones carry on from where they stood.
TEST_F(TablesEveningTest, TheProgramsOwnServerThroughAHeldPortAndAKill) {
  QString why;
  if (!browserReady(why)) GTEST_SKIP() << why.toStdString();
  ASSERT_TRUE(testing_support::LinkBuiltTablesServer(programDir()));
  for (const QString& windows : {kTabletServerName, kTabletCompanionName})
    ASSERT_FALSE(QFile::exists(programDir() + windows)) << windows.toStdString();
  platform::setProcesses(nullptr);  // the system's: the program starts its server for real

  // The other program answers with a page of its own on the port asked first.
  QTcpServer other;
  ASSERT_TRUE(other.listen(QHostAddress::LocalHost, 0));
  QObject::connect(&other, &QTcpServer::newConnection, [&other] {
    while (QTcpSocket* socket = other.nextPendingConnection()) {
      QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 22\r\nConnection: close\r\n\r\n"
                    "<p>Autre programme</p>");
      socket->disconnectFromHost();
    }
  });
  askedFirst = other.serverPort();
  TablesServerFirstPort = [] { return askedFirst; };

  TForm5 menu;
  PairsEntered = true;
  startEvening("6");
  menu.showMenu();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
  menuCollects_ = true;
  const qint64 started = TablesServerProcessId();
  ASSERT_GT(started, 0);
  testing_support::WaitUntil([&menu] { return !shownAddress(menu).isEmpty(); }, 5000);
  const QString address = shownAddress(menu);
  ASSERT_FALSE(address.isEmpty()) << menu.tablesAlarm->text().toStdString();
  EXPECT_TRUE(menu.runningNotice->isVisible());
  const int port = QUrl(address).port();
  EXPECT_GT(port, askedFirst);
  EXPECT_LE(port, askedFirst + 19);
  EXPECT_EQ(decodedQrCode(menu, rootDir() + "menu-qr.png").toStdString(), address.toStdString());
  // The phones type the code the menu shows beside the address, at that
  // address's port (over loopback here).
  const QRegularExpressionMatch code = QRegularExpression("^Code des tables : ([0-9]{6})$").match(menu.tablesAccess->text());
  ASSERT_TRUE(code.hasMatch()) << menu.tablesAccess->text().toStdString();
  code_ = code.captured(1);
  port_ = port;

  // The kill, as the menu sees it: red while the tables are not served,
  // never green then; the page answering again at the address shown.
  struct {
    bool red = false, greenWhileRed = false;
    qint64 back = -1, pid = 0;
    QString address, qr;
  } kill;
  const QJsonObject report = runPhones("supervised.mjs", [&](const QString& step) {
    if (step != "kill") return;
    ASSERT_EQ(::kill(static_cast<pid_t>(TablesServerProcessId()), SIGKILL), 0);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 3000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
      QThread::msleep(10);
      if (menu.tablesAlarm->isVisible()) {
        kill.red = true;
        kill.greenWhileRed = kill.greenWhileRed || menu.runningNotice->isVisible() || menu.tablesAddress->isEnabled();
      }
      const QString shown = shownAddress(menu);
      if (kill.red && !shown.isEmpty() && testing_support::LoopbackGet(QUrl(shown).port(), "/").contains("<html")) {
        kill.back = clock.elapsed();
        break;
      }
    }
    kill.pid = TablesServerProcessId();
    kill.address = shownAddress(menu);
    kill.qr = decodedQrCode(menu, rootDir() + "menu-qr-again.png");
  });
  EXPECT_TRUE(kill.red);
  EXPECT_FALSE(kill.greenWhileRed);
  EXPECT_GE(kill.back, 0);
  EXPECT_LT(kill.back, 3000);
  EXPECT_GT(kill.pid, 0);
  EXPECT_NE(kill.pid, started);
  EXPECT_EQ(kill.address.toStdString(), address.toStdString());
  EXPECT_EQ(kill.qr.toStdString(), address.toStdString());
  EXPECT_TRUE(menu.runningNotice->isVisible());
  ASSERT_FALSE(report.contains("failure")) << report.value("failure").toString().toStdString();

  // Each phone was still on its confirmation when the server came back,
  // not asked for the code again, and its result went through from there.
  // A standard Mitchell: the boards move down a table each round.
  const std::map<int, std::pair<QString, std::vector<int>>> tables = {
      {1, {"confirmation 3", {1, 2, 3, 4}}}, {2, {"confirmation 5", {3, 4, 5, 6}}}, {3, {"confirmation 1", {5, 6, 1, 2}}}};
  const QJsonObject pages = report.value("tables").toObject();
  for (const auto& [t, expected] : tables) {
    const QJsonObject page = pages.value(QString::number(t)).toObject();
    EXPECT_EQ(page.value("afterKill").toString().toStdString(), expected.first.toStdString()) << "table " << t;
    std::vector<int> boards;
    for (const QJsonValue& b : page.value("boards").toArray()) boards.push_back(b.toInt());
    EXPECT_EQ(boards, expected.second) << "table " << t;
    for (const int b : expected.second)
      EXPECT_EQ(page.value("seen").toObject().value(QString::number(b)).toObject().value("echo").toString().toStdString(),
                "✓ Résultat pris par le programme.")
          << "table " << t << " board " << b;
  }

  // Every result taken once, on its own slot (board by board, tables 1 to
  // 3): 3SA by North made at table 1, one over at table 2, one down at
  // table 3; North-South vulnerable on boards 2, 4 and 5.
  EXPECT_EQ(ResultsEntered, 12);
  EXPECT_EQ(platform::readTextLines(dataDir() + "SOIR.LOG").size(), 12);
  const std::map<int, std::pair<QString, int>> stored = {
      {1, {"3SN=", 400}},    {4, {"3SN=", 600}},    {7, {"3SN=", 400}},    {10, {"3SN=", 600}},
      {8, {"3SN+1", 430}},   {11, {"3SN+1", 630}},  {14, {"3SN+1", 630}},  {17, {"3SN+1", 430}},
      {15, {"3SN-1", -100}}, {18, {"3SN-1", -50}},  {3, {"3SN-1", -50}},   {6, {"3SN-1", -100}}};
  for (int slot = 1; slot <= 18; ++slot) {
    const auto it = stored.find(slot);
    EXPECT_EQ(ResultContract[slot].toStdString(), it == stored.end() ? "" : it->second.first.toStdString())
        << "slot " << slot;
    if (it != stored.end()) {
      EXPECT_EQ(ResultScore[slot], it->second.second) << "slot " << slot;
    }
  }
}

TEST_F(TablesEveningTest, AClubWithoutAPasswordJoinsWithTheCodeTheMenuShows) {
  QString why;
  if (!browserReady(why)) GTEST_SKIP() << why.toStdString();
  ASSERT_TRUE(testing_support::LinkBuiltTablesServer(programDir()));
  platform::setProcesses(nullptr);  // the system's: the program starts its server for real
  askedFirst = FreePort();
  TablesServerFirstPort = [] { return askedFirst; };
  SetTabletPassword("");  // as the password window leaves it

  TForm5 menu;
  PairsEntered = true;
  startEvening("6");
  menu.showMenu();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
  // The address, once the server serves.
  ASSERT_TRUE(QTest::qWaitFor([&menu] { return !shownAddress(menu).isEmpty(); }, 5000))
      << menu.tablesAlarm->text().toStdString();
  const QString address = shownAddress(menu);
  const QRegularExpressionMatch code = QRegularExpression("^Code des tables : ([0-9]{6})$").match(menu.tablesAccess->text());
  ASSERT_TRUE(code.hasMatch()) << menu.tablesAccess->text().toStdString();
  code_ = code.captured(1);
  port_ = QUrl(address).port();

  const QJsonObject report = runPhones("nopassword.mjs");
  ASSERT_FALSE(report.contains("failure")) << report.value("failure").toString().toStdString();
  EXPECT_EQ(report.value("empty").toString().toStdString(), "Mot de passe incorrect.");
  EXPECT_EQ(report.value("echo").toString().toStdString(), "✓ Résultat pris par le programme.");
  // Table 1 plays board 1 first, N/S pair 1 against E/W pair 4 (slot 1):
  // 4 hearts by South made, nobody vulnerable: 120 for the tricks, 300 for
  // the game.
  EXPECT_EQ(report.value("board").toInt(), 1);
  EXPECT_EQ(ResultsEntered, 1);
  EXPECT_EQ(ResultContract[1].toStdString(), "4CS=");
  EXPECT_EQ(ResultScore[1], 420);
}
