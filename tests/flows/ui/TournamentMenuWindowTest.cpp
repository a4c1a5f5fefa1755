#include "core/Globals.h"
#include "core/ResultNews.h"
#include "core/ScriptedInteraction.h"
#include "platform/Process.h"
#include "devices/Companions.h"
#include "devices/TabletFiles.h"
#include "devices/TablesServer.h"
#include "flows/StartScreen.h"
#include "flows/TournamentMenu.h"
#include "flows/ui/TournamentMenuWindow.h"
#include "support/TestState.h"
#include "support/devices/LoopbackPorts.h"
#include "support/devices/TabletTables.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest/QTest>

#include <csignal>

using testing_support::writeBytes;

namespace {

class TournamentMenuWindowTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    menuView() = TournamentMenuView{};
    TournamentCode = "T1";
  }
  void TearDown() override {
    menuView() = TournamentMenuView{};
    TalvaronTest::TearDown();
  }
  static QPushButton* button(QWidget* w, const char* name) {
    auto* b = w->findChild<QPushButton*>(QLatin1String(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
  }
  ui::ScriptedInteraction talk;
};

TEST_F(TournamentMenuWindowTest, APattonDisablesTheButtonsThatDoNotApply) {
  IsPatton = true;
  TForm5 w;
  w.showMenu();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  for (const char* name : {"Button1", "Button16", "Button12", "Button25", "Button26"})
    EXPECT_FALSE(button(&w, name)->isEnabled()) << name;
  for (const char* name : {"Button3", "Button4", "Button6", "Button9", "Button10"})
    EXPECT_TRUE(button(&w, name)->isEnabled()) << name;
  EXPECT_FALSE(button(&w, "Button20")->isEnabled());
  EXPECT_FALSE(button(&w, "Button15")->isVisible());
  EXPECT_EQ(w.windowTitle(), "Talvaron T1");
  EXPECT_EQ(w.deviceLine->text(), "Ni tablettes, ni BridgeMates...");
}

TEST_F(TournamentMenuWindowTest, PauseAndRestartDriveTheTimerAndTheNotices) {
  writeBytes(programDir() + "StartStop.TXT", "");
  TableDevicesMode = TabletsMode = true;
  TForm5 w;
  w.showMenu();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  StartTabletRetrieval();
  EXPECT_TRUE(w.collectionTimer->isActive());
  EXPECT_EQ(w.collectionTimer->interval(), 500);
  EXPECT_TRUE(w.runningNotice->isVisible());
  EXPECT_FALSE(w.stoppedNotice->isVisible());

  talk.answer(2);  // "Non": nothing changes
  w.pauseButton->click();
  EXPECT_EQ(w.pauseButton->text(), "<- Pause");
  EXPECT_TRUE(w.collectionTimer->isActive());

  talk.answer(1);
  w.pauseButton->click();
  EXPECT_EQ(talk.choices.last().form, "TForm66");
  EXPECT_EQ(w.pauseButton->text(), "<- Relancer");
  EXPECT_FALSE(w.collectionTimer->isActive());
  EXPECT_FALSE(w.runningNotice->isVisible());
  EXPECT_TRUE(w.stoppedNotice->isVisible());

  w.pauseButton->click();
  EXPECT_EQ(w.pauseButton->text(), "<- Pause");
  EXPECT_TRUE(w.collectionTimer->isActive());
  EXPECT_TRUE(w.runningNotice->isVisible());

  // A resumed BridgeMates tournament whose collection runs says so, and its
  // button pauses it.
  BridgeMatesMode = true;
  TabletsMode = false;
  ResumingTournament = true;
  w.collectionTimer->stop();
  ShowTournamentMenu();
  StartBridgeMatesRetrieval();
  ResumedMenuSettings();
  EXPECT_EQ(w.pauseButton->text(), "<- Pause");
  EXPECT_TRUE(w.pauseButton->isVisible());
  EXPECT_TRUE(w.runningNotice->isVisible());
  EXPECT_EQ(w.collectionTimer->interval(), 1000);
  EXPECT_TRUE(w.collectionTimer->isActive());
  talk.answer(1);
  w.pauseButton->click();
  EXPECT_EQ(w.pauseButton->text(), "<- Relancer");
  EXPECT_FALSE(w.collectionTimer->isActive());
  EXPECT_TRUE(talk.allAnswered());
}

// Without table devices no collection runs: a resumed tournament, then a
// cumulation, neither speaks of one nor moves the buttons.
TEST_F(TournamentMenuWindowTest, WithoutDevicesNoCollectionNoticeAndTheMenuKeepsItsSize) {
  ResumingTournament = true;
  TForm5 w;
  ShowTournamentMenu();
  ResumedMenuSettings();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  EXPECT_FALSE(w.runningNotice->isVisible());
  EXPECT_FALSE(w.stoppedNotice->isVisible());
  EXPECT_FALSE(w.pauseButton->isVisible());
  EXPECT_FALSE(w.collectionTimer->isActive());
  const QRect before = w.geometry();
  const QPoint button = w.Button3->pos();

  PauseMenuForWork();
  QApplication::processEvents();
  EXPECT_FALSE(w.stoppedNotice->isVisible());
  EXPECT_FALSE(w.pauseButton->isVisible());
  EXPECT_EQ(w.geometry(), before);
  EXPECT_EQ(w.Button3->pos(), button);
  ResumeMenuAfterWork();
  EXPECT_FALSE(w.runningNotice->isVisible());
}

TEST_F(TournamentMenuWindowTest, EscAndTheCloseBoxAskBeforeQuitting) {
  TForm5 w;
  w.showMenu();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  talk.answer(0).answer(0);
  QTest::keyClick(w.Button3, Qt::Key_Escape);
  w.close();
  ASSERT_EQ(talk.choices.size(), 2);
  EXPECT_EQ(talk.choices[0].form, "TForm59");
  EXPECT_EQ(talk.choices[1].text, "Vraiment quitter le programme?");
  EXPECT_TRUE(w.isVisible());
}

// Enter runs Button3's action wherever the focus stands: after Tab, after a
// click that left the focus on another button, and on the quit button too.
TEST_F(TournamentMenuWindowTest, EnterRunsButton3WhereverTheFocusStands) {
  QStringList ran;
  flowWindows().showTravellerEntry = [&] { ran << "travellers"; };
  flowWindows().showPairChanges = [&] { ran << "pairs"; };
  flowWindows().showMovement = [&] { ran << "movement"; };
  TForm5 w;
  w.showMenu();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.activateWindow();

  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QWidget* focused = QApplication::focusWidget();
  ASSERT_NE(focused, w.Button3);
  EXPECT_TRUE(qobject_cast<QPushButton*>(focused)) << "Tab moves to another button";
  QTest::keyClick(focused, Qt::Key_Return);
  EXPECT_EQ(ran, QStringList{"travellers"});

  ran.clear();
  button(&w, "Button19")->setFocus();
  QTest::keyClick(button(&w, "Button19"), Qt::Key_Enter);
  button(&w, "Button4")->setFocus();
  QTest::keyClick(button(&w, "Button4"), Qt::Key_Return);
  EXPECT_EQ(ran, QStringList({"travellers", "travellers"}));

  // A click still runs the clicked button's own action.
  ran.clear();
  QTest::mouseClick(button(&w, "Button4"), Qt::LeftButton);
  EXPECT_EQ(ran, QStringList{"pairs"});
  flowWindows() = FlowWindows{};
}

}  // namespace

namespace {

// The port of the address the menu shows ("Tables : ouvrez http://<host>:<port>/").
int shownPort(const QLabel* label) {
  const QRegularExpressionMatch m = QRegularExpression(":(\\d+)/$").match(label->text());
  return m.hasMatch() ? m.captured(1).toInt() : 0;
}

}  // namespace

TEST_F(TournamentMenuWindowTest, TheTablesAddressCodeDevicesAndAServerThatEnded) {
  ASSERT_TRUE(testing_support::LinkBuiltTablesServer(programDir()));
  testing_support::LayOutTabletEvening("T1", 3, 2);
  TForm5 w;
  w.showMenu();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  StartTabletRetrieval();
  // 8080 is another program's: the menu shows the port the server took.
  testing_support::PortsHeld held;
  held.hold(8080);
  StartTabletServer();
  ASSERT_TRUE(testing_support::WaitUntil([&w] { return w.tablesAddress->isVisible(); }, 5000))
      << qPrintable(w.tablesAlarm->text());
  const int port = shownPort(w.tablesAddress);
  EXPECT_GE(port, 8081);
  EXPECT_LE(port, 8099);
  EXPECT_TRUE(testing_support::LoopbackGet(port, "/").contains("<html"));
  EXPECT_TRUE(w.tablesCode->isVisible());
  EXPECT_FALSE(w.tablesCode->pixmap().isNull());
  EXPECT_TRUE(QRegularExpression("^Code des tables : [0-9]{6}$").match(w.tablesAccess->text()).hasMatch())
      << qPrintable(w.tablesAccess->text());
  EXPECT_FALSE(w.tablesAlarm->isVisible());
  EXPECT_TRUE(w.runningNotice->isVisible());

  // The server names the device that took table 2: the menu says so at its next look.
  writeBytes(TabletSharedFolder + "/APPAREILS.TXT", "2\tAndroid Chrome 192.168.1.23\t20:15:02\r\n");
  ASSERT_TRUE(QTest::qWaitFor([&] { return w.tablesHolders->isVisible(); }, 2000));
  EXPECT_EQ(w.tablesHolders->text(), "Table 2 : Android Chrome 192.168.1.23 depuis 20:15:02");

  // Killed: the menu says in red that the tables are not served, never
  // green nor the address as served, and once served again says since
  // when; within three seconds.
  ::kill(static_cast<pid_t>(TablesServerProcessId()), SIGKILL);
  QElapsedTimer clock;
  clock.start();
  bool red = false;
  bool greenWhileRed = false;
  while (clock.elapsed() < 3000) {
    QTest::qWait(10);
    if (w.tablesAlarm->isVisible()) {
      red = true;
      greenWhileRed = greenWhileRed || w.runningNotice->isVisible() || w.tablesAddress->isEnabled();
      EXPECT_EQ(w.tablesAlarm->palette().color(QPalette::Window), QColor(Qt::red));
      EXPECT_EQ(w.tablesAlarm->text(), "Attention! Les tables ne sont plus servies : le serveur des tables s'est "
                                       "arrêté. Nouvel essai en cours...");
    }
    if (red && w.tablesAddress->isEnabled()) break;
  }
  EXPECT_TRUE(red);
  EXPECT_FALSE(greenWhileRed);
  ASSERT_TRUE(w.tablesAddress->isEnabled());
  EXPECT_LT(clock.elapsed(), 3000);
  EXPECT_FALSE(w.tablesAlarm->isVisible());
  EXPECT_TRUE(w.runningNotice->isVisible());
  EXPECT_TRUE(w.tablesNews->isVisible());
  // (Another test's server may have taken the port in the meantime: the
  // news then goes on to say so.)
  EXPECT_TRUE(w.tablesNews->text().startsWith("Les tables sont de nouveau servies depuis 20:00:00."))
      << qPrintable(w.tablesNews->text());
  EXPECT_TRUE(testing_support::LoopbackGet(shownPort(w.tablesAddress), "/").contains("<html"));
}

// A tablets evening as the menu shows it: the results the tables sent
// counted on the device line; the server gone, the address, the access and
// the QR code stay where they were, greyed, the red line in its own place:
// nothing on the window moves.
TEST_F(TournamentMenuWindowTest, TheTablesFieldsStayGreyedInPlaceWhileTheTablesAreNotServed) {
  platform::FakeProcesses processes;
  processes.childOutput = {"Serveur des tables : http://0.0.0.0:8083/"};
  TableDevicesMode = TabletsMode = true;
  testing_support::LayOutTabletEvening("T1", 3, 2);
  TForm5 w;
  w.showMenu();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  StartTabletRetrieval();
  StartTablesServer();

  // Two tables send a board each: "2" after the device line's text.
  testing_support::TabletTables tables;
  int sent = 0;
  for (int s = 1; s <= ResultSlotCount && sent < 2; ++s)
    if (ResultRound[s] == 1 && ResultTable[s] == sent + 1) {
      tables.enterResult(ResultTable[s], ResultBoard[s], 1, ResultNsPair[s], ResultEwPair[s], "N 4PN=");
      ++sent;
    }
  ASSERT_EQ(sent, 2);
  CollectionTick();
  EXPECT_EQ(w.deviceLine->text(), "Récupérés des tablettes : 2");
  EXPECT_EQ(w.resultsCounter->text(), QString("2/%1").arg(ResultSlotCount));

  ASSERT_TRUE(w.tablesAddress->isVisible());
  ASSERT_TRUE(w.tablesAddress->isEnabled());
  const QString address = w.tablesAddress->text();
  EXPECT_TRUE(address.endsWith(":8083/")) << qPrintable(address);
  const QRect frame = w.geometry();
  const QPoint button = w.Button3->pos();
  const QPoint qr = w.tablesCode->pos();

  processes.childOutput = {};  // the server started again says nothing yet
  processes.endChildren(-1, "");
  WatchTablesServer();
  QApplication::processEvents();
  EXPECT_TRUE(w.tablesAlarm->isVisible());
  EXPECT_FALSE(w.runningNotice->isVisible());
  for (QLabel* kept : {w.tablesAddress, w.tablesCode, w.tablesAccess}) {
    EXPECT_TRUE(kept->isVisible()) << qPrintable(kept->objectName());
    EXPECT_FALSE(kept->isEnabled()) << qPrintable(kept->objectName());
  }
  EXPECT_EQ(w.tablesAddress->text(), address);
  EXPECT_FALSE(w.tablesCode->pixmap().isNull());
  EXPECT_TRUE(w.tablesAccess->text().startsWith("Code des tables : "));
  EXPECT_EQ(w.geometry(), frame);
  EXPECT_EQ(w.Button3->pos(), button);
  EXPECT_EQ(w.tablesCode->pos(), qr);

  // Served again: the same fields, black again, nothing moved either.
  processes.say("Serveur des tables : http://0.0.0.0:8083/");
  QApplication::processEvents();
  EXPECT_FALSE(w.tablesAlarm->isVisible());
  EXPECT_TRUE(w.tablesNews->isVisible());
  EXPECT_TRUE(w.tablesAddress->isEnabled());
  EXPECT_TRUE(w.runningNotice->isVisible());
  EXPECT_EQ(w.geometry(), frame);
  EXPECT_EQ(w.Button3->pos(), button);
}

// The collection is woken by a table's file rather than by its timer alone;
// a burst of changes during a tick neither enters that tick again nor piles
// up ticks behind it.
TEST_F(TournamentMenuWindowTest, AResultDroppedAtATableIsTakenWithoutWaitingForTheTimer) {
  testing_support::LayOutTabletEvening("T1", 3, 2);
  TForm5 w;
  StartTabletRetrieval();
  menuView().timerInterval = 3600 * 1000;  // the next tick an hour away
  RestartRetrieval();
  ASSERT_EQ(w.collectionTimer->interval(), 3600 * 1000);
  const auto slotAt = [](int table, int round) {
    for (int s = 1; s <= ResultSlotCount; ++s)
      if (ResultTable[s] == table && ResultRound[s] == round) return s;
    return 0;
  };
  const int first = slotAt(1, 1);
  const int second = slotAt(2, 1);
  const auto drop = [](int s) {
    testing_support::TabletTables().enterResult(ResultTable[s], ResultBoard[s], ResultRound[s], ResultNsPair[s],
                                                ResultEwPair[s], "N 4PN=");
  };

  // The first pass, as a message on screen would, lets the event loop run
  // while a burst of changes and a second result reach the tables' folders.
  struct Passes : ResultListener {
    Passes() : ResultListener("passes") {}
    std::function<void()> duringFirst;
    int count = 0, depth = 0, deepest = 0;
    void resultsCounted() override {
      ++count;
      deepest = std::max(deepest, ++depth);
      if (count == 1) duringFirst();
      --depth;
    }
  } passes;
  bool secondTakenInside = true;
  passes.duringFirst = [&] {
    QFileSystemWatcher seen(QStringList{TableFolder(2)});
    bool changed = false;
    QObject::connect(&seen, &QFileSystemWatcher::directoryChanged, [&] { changed = true; });
    for (int i = 0; i < 200; ++i) writeBytes(TableFolder(2) + QString("/NOTE%1.TMP").arg(i), "x");
    drop(second);
    EXPECT_TRUE(QTest::qWaitFor([&] { return changed; }, 5000));
    QCoreApplication::processEvents();
    secondTakenInside = ResultScore[second] != kScoreNone;
  };
  AddResultListener(passes);
  struct Remove {
    Passes& p;
    ~Remove() { RemoveResultListener(p); }
  } remove{passes};

  drop(first);
  EXPECT_TRUE(QTest::qWaitFor([&] { return ResultScore[first] == 420; }, 5000));
  EXPECT_FALSE(secondTakenInside);
  // Taken once the first pass is over, by the change its echo made.
  EXPECT_TRUE(QTest::qWaitFor([&] { return ResultScore[second] == 420; }, 5000));
  EXPECT_EQ(passes.deepest, 1);
  // The 200 changes woke few passes: the first, the second result's and the echoes'.
  EXPECT_LE(passes.count, 5);
  EXPECT_EQ(ResultsEntered, 2);
}
