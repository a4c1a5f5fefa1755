// An evening with tablets, from the start screen to the quit, through the
// program's own windows: the stand-in tablet server started, every table
// playing through the helper, the menu's timer collecting; the program
// killed halfway and the tournament resumed from the start screen, the last
// round collected, one result corrected at the desk. Every file it writes is
// compared with the references kept in tests/sessions/tablets/.
#include "core/Globals.h"
#include "core/ui/BackupWaitWindow.h"
#include "core/ui/QuitConfirmationWindow.h"
#include "core/ui/UnfinishedTournamentWarningWindow.h"
#include "core/ui/WindowInteraction.h"
#include "devices/ui/DeviceWindowRegistration.h"
#include "flows/ui/ArrowSwitchReminderWindow.h"
#include "flows/ui/OptionWindows.h"
#include "flows/ui/StartScreenWindow.h"
#include "flows/ui/TournamentMenuWindow.h"
#include "publishing/ui/PublishingWindowRegistration.h"
#include "scoring/ui/ScoringWindowRegistration.h"
#include "sessions/Desk.h"
#include "sessions/Evening.h"
#include "sessions/Golden.h"
#include "sessions/ProgramWindows.h"
#include "setup/ui/ExistingTournamentWindow.h"
#include "setup/ui/MemberWindows.h"
#include "setup/ui/MovementViewWindow.h"
#include "setup/ui/NewTournamentParametersWindow.h"
#include "setup/ui/PairChangesWindows.h"
#include "setup/ui/PairsEntryWindow.h"
#include "setup/ui/ReloadedTournamentParametersWindow.h"
#include "setup/ui/SetupWindowRegistration.h"
#include "support/devices/TabletTables.h"
#include "support/TestState.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <memory>

#include <signal.h>

using sessions::Desk;
using sessions::menuButton;
using sessions::ProgramWindows;
using testing_support::readBytes;

namespace {

// The stand-ins' own logs and binaries are the session's inputs, not its
// output.
const QStringList kInputs = {"program/*.EXE", "program/*-arguments.txt", "program/JOUEURS.TXT",
                             "program/CONTRAT.TXT"};

const QStringList kContracts = {"N 3SN= RC", "E 2PE-1 AP", "S 4CS+1", "O 1KO=", "N PASSE", "S 3SS-2 10T"};

}  // namespace

class TabletEveningSessionTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    QApplication::setKeyboardInputInterval(20);
    for (const QString& standIn :
         {testing_support::BuiltTabletServerStandIn(), testing_support::BuiltTabletCompanionStandIn()}) {
      const QString exe = programDir() + standIn.section('/', -1);
      ASSERT_TRUE(QFile::copy(standIn, exe));
      QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    testing_support::writeBytes(programDir() + "CONTRAT.TXT", "\r\n");
    sessions::InstallProgramWindows();
  }
  void TearDown() override {
    stopStandIns();
    QApplication::setKeyboardInputInterval(400);
    ui::setInteraction(nullptr);
    TalvaronTest::TearDown();
  }
  // Only the stand-ins started from this test's folder are stopped: other
  // tests run theirs beside.
  void stopStandIns() {
    const QByteArray folder = QDir::cleanPath(tmp_.path()).toLocal8Bit();
    for (const QString& pid : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
      bool number = false;
      const pid_t id = pid.toInt(&number);
      if (number && readBytes("/proc/" + pid + "/cmdline").contains(folder)) ::kill(id, SIGKILL);
    }
  }
  // The stand-in logged one more start in this test's folder.
  bool started(const QString& name, int starts) {
    return QTest::qWaitFor(
        [&] { return readBytes(programDir() + name + "-arguments.txt").count("start\n") >= starts; }, 5000);
  }
  // The tablets of every table send the results of the rounds from..to.
  int playRounds(int from, int to) {
    int written = 0;
    for (int s = 1; s <= ResultSlotCount; ++s) {
      if (ResultNsPair[s] == 0 || ResultEwPair[s] == 0 || ResultTable[s] == 0) continue;
      if (ResultRound[s] < from || ResultRound[s] > to) continue;
      tables_.enterResult(ResultTable[s], ResultBoard[s], ResultRound[s], ResultNsPair[s], ResultEwPair[s],
                          kContracts[s % kContracts.size()]);
      ++written;
    }
    return written;
  }
  // The menu's own timer collects until every table's folder is empty and
  // the expected count is in.
  bool collected(int expected) {
    return QTest::qWaitFor(
        [&] {
          for (int t = 1; t <= TableCount; ++t)
            if (!tables_.pendingResults(t).isEmpty()) return false;
          return ResultsEntered == expected;
        },
        10000);
  }
  testing_support::TabletTables tables_;
};

TEST_F(TabletEveningSessionTest, TabletsKilledHalfwayResumedAndCorrected) {
  sessions::WritePlayersFile(programDir(), 12);
  int slotCount = 0;
  QStringList beforeKill;
  {
    auto program = std::make_unique<ProgramWindows>();
    program->start.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program->start));
    Desk desk;
    // The tablets, then a new tournament.
    program->start.findChild<QCheckBox*>("BridgeBox")->click();
    desk.expectDone("devices");
    ASSERT_TRUE(TabletsMode);
    // The players type their names on the tablets: the box kept as a setting.
    auto* names = program->start.findChild<QCheckBox*>("CheckBox3");
    if (names->isChecked()) names->click();
    names->click();
    ASSERT_FALSE(PairsEntered);
    // Six pairs, their names typed on the tablets; a standard Mitchell of
    // three tables, two boards a table; no deals in the results folder.
    desk.on("TForm11", [](QWidget* w) {
      Desk::type(w, "6");
      Desk::enter(w);
    });
    sessions::ScriptMitchellOfTwoBoards(desk);
    desk.on("TForm6", Desk::enter);
    sessions::ScriptNoDealsImported(desk);
    program->start.findChild<QPushButton*>("SpeedButton1")->click();
    ASSERT_TRUE(program->parameters.isVisible());
    program->parameters.Code->setText("SOIR");
    program->parameters.Nom->setText("Soirée tablettes");
    program->parameters.OK->click();
    desk.expectDone("new tournament");
    ASSERT_TRUE(program->menu.isVisible());
    ASSERT_TRUE(program->menu.timer()->isActive());
    EXPECT_TRUE(started("PCQuillmarkeServer", 1));
    EXPECT_TRUE(started("TABLOSSE", 1));
    slotCount = ResultSlotCount;
    ASSERT_EQ(slotCount, 18);

    // The players at each table of the first round, then two rounds played
    // and collected; then the program dies.
    const char* players[3][4] = {{"1001&ARNAUD Paul", "1002&BLANC Marie", "1007&GIRARD Marc", "1008&HENRY Rose"},
                                 {"1003&CARON Luc", "1004&DUMAS Anne", "1009&JOLY Yves", "1010&KLEIN Sara"},
                                 {"1005&EVRARD Jean", "1006&FAURE Lise", "1011&LEROY Eric", "1012&MOREL Zoe"}};
    for (int t = 0; t < 3; ++t)
      tables_.enterPlayers(t + 1, {players[t][0], players[t][1], players[t][2], players[t][3]});
    const int firstHalf = playRounds(1, 2);
    EXPECT_EQ(firstHalf, 12);
    EXPECT_TRUE(collected(firstHalf)) << ResultsEntered;
    desk.expectDone("first rounds");
    EXPECT_EQ(PairLabels[1], "ARNAUD Paul - BLANC Marie");
    program->menu.timer()->stop();
    for (int s = 1; s <= slotCount; ++s)
      beforeKill << QString("%1 %2 %3 %4").arg(ResultContract[s], ResultLead[s], ResultDeclarer[s]).arg(ResultScore[s]);
  }
  testing_support::resetGlobals();
  ProgramFolder = programDir();
  DataFolder = dataDir();

  auto program = std::make_unique<ProgramWindows>();
  program->start.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&program->start));
  Desk desk;
  desk.on("TForm83", [](QWidget* w) {
        w->findChild<QListWidget*>("ListBox1")->setCurrentRow(0);
        Desk::enter(w);
      })
      .on("TForm108", [](QWidget* w) {
        for (QPushButton* b : w->findChildren<QPushButton*>())
          if (b->text() == "Je suis d'accord") b->click();
      });
  program->start.findChild<QPushButton*>("SpeedButton2")->click();
  desk.expectDone("resume");
  ASSERT_TRUE(program->menu.isVisible());
  EXPECT_EQ(ResultsEntered, 12);
  QStringList reloaded;
  for (int s = 1; s <= slotCount; ++s)
    reloaded << QString("%1 %2 %3 %4").arg(ResultContract[s], ResultLead[s], ResultDeclarer[s]).arg(ResultScore[s]);
  EXPECT_EQ(reloaded, beforeKill);
  EXPECT_EQ(PairLabels[1], "ARNAUD Paul - BLANC Marie");
  ASSERT_TRUE(program->menu.timer()->isActive());
  EXPECT_TRUE(started("TABLOSSE", 2));  // started again with the resume

  // The last round from the tablets.
  EXPECT_EQ(playRounds(3, 3), 6);
  EXPECT_TRUE(collected(slotCount)) << ResultsEntered;
  desk.expectDone("last round");

  // One result corrected on the traveller of board 1.
  desk.always("TForm60", Desk::enter);
  desk.on("TForm56", [](QWidget* w) {
    Desk::type(w, "s");  // the tablets' result deleted first
    Desk::type(w, "4pn+1");
    Desk::enter(w);
    Desk::key(w, Qt::Key_Escape);
  });
  menuButton(program->menu, "Button3")->click();
  desk.expectDone("correction");
  for (int s = 1; s <= slotCount; ++s) {
    if (ResultBoard[s] == 1 && ResultNsPair[s] == 1) {
      EXPECT_EQ(ResultContract[s], "4PN+1");
      EXPECT_EQ(ResultScore[s], 450);
    }
  }

  menuButton(program->menu, "Button9")->click();
  desk.expectDone("computation");
  program->menu.timer()->stop();
  sessions::QuitThrough(desk, menuButton(program->menu, "BitBtn2"));

  const QString differences = sessions::CompareWithReferences("tablets", tmp_.path(), kInputs);
  EXPECT_TRUE(differences.isEmpty()) << differences.toStdString();
}
