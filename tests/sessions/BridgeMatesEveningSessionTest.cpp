// A BridgeMates evening, from the start screen to the quit: the tournament
// started with its session database and the stand-in control program, the
// scorers keying every result at the tables, the collection timer taking
// them, one result corrected at the desk and sent back, the table states.
// Every file written, the database's rows as text, is compared with the
// references kept in tests/sessions/bridgemates/.
#include "core/Globals.h"
#include "core/ui/BackupWaitWindow.h"
#include "core/ui/Printer.h"
#include "core/ui/QuitConfirmationWindow.h"
#include "core/ui/UnfinishedTournamentWarningWindow.h"
#include "core/ui/WindowInteraction.h"
#include "devices/SessionDatabase.h"
#include "devices/TableStates.h"
#include "devices/ui/DeviceWindowRegistration.h"
#include "flows/TournamentMenu.h"
#include "flows/ui/ArrowSwitchReminderWindow.h"
#include "flows/ui/OptionWindows.h"
#include "flows/ui/StartScreenWindow.h"
#include "flows/ui/TournamentMenuWindow.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "publishing/ui/PublishingWindowRegistration.h"
#include "scoring/ui/ResultsWindow.h"
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
#include "support/BridgeMatesScorers.h"
#include "support/TestDatabase.h"
#include "support/TestState.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QSysInfo>

using sessions::Desk;
using sessions::menuButton;
using sessions::ProgramWindows;

namespace {

// The session database as text: one file per table, its columns on the
// first line, then one line per row in stored order. The computer's name
// (written for the control program) becomes "<host>".
void DumpDatabase(const QString& bws, const QString& folder) {
  QDir().mkpath(folder);
  testing_support::TestDatabase db("dump");
  db.open(bws);
  const QString host = QSysInfo::machineHostName();
  for (const QString& table : db.tables()) {
    const QStringList columns = db.columns(table);
    QByteArray text = columns.join('|').toUtf8() + "\n";
    for (const QVariantMap& row : db.rows(table)) {
      QStringList fields;
      for (const QString& c : columns) {
        const QVariant v = row.value(c);
        QString field = v.isNull() ? QStringLiteral("NULL") : v.toString();
        if (!host.isEmpty() && field == host) field = QStringLiteral("<host>");
        fields << field;
      }
      text += fields.join('|').toUtf8() + "\n";
    }
    QFile f(folder + "/" + table + ".txt");
    if (f.open(QIODevice::WriteOnly)) f.write(text);
  }
}

bool waitFor(const std::function<bool()>& done) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < 5000) QTest::qWait(20);
  return done();
}

// What the session is given: the players file, the template and the
// stand-ins beside the program, the shipped web files.
const QStringList kInputs = {"program/JOUEURS.TXT", "program/BRIDGEMATE.BWS", "program/*.EXE", "printer/*",
                             "*.BWS", "*BELib.txt", "*.css", "*.gif"};

}  // namespace

class BridgeMatesEveningSessionTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    QApplication::setKeyboardInputInterval(20);
    registry_.createKey(platform::kBridgeMatesSettingsKey);
    QFile::copy(testing_support::BuiltBwsTemplate(), programDir() + "BRIDGEMATE.BWS");
    const QString standins = QCoreApplication::applicationDirPath() + "/standins/";
    for (const char* exe : {"BMPro.EXE", "TABLOSSE.EXE"}) {
      QFile::copy(standins + exe, programDir() + exe);
      QFile::setPermissions(programDir() + exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    sessions::InstallProgramWindows();
    QDir().mkpath(tmp_.path() + "/printer");
    ui::SetPrintToPdfFile(tmp_.path() + "/printer/soiree.pdf");
  }
  void TearDown() override {
    for (const char* exe : {"BMPro.EXE", "TABLOSSE.EXE"}) platform::SystemProcesses().stop(exe);
    CloseSessionDatabase();
    QApplication::setKeyboardInputInterval(400);
    ui::SetPrintToPdfFile(QString());
    flowWindows().printText = nullptr;
    ui::setInteraction(nullptr);
    TalvaronTest::TearDown();
  }
  void keepPrintout(const QString& name) {
    QDir().mkpath(tmp_.path() + "/printouts");
    QFile::copy(PrintFile, tmp_.path() + QStringLiteral("/printouts/%1.TXT").arg(name));
    QFile::remove(PrintFile);
  }
  // The squares of the strip, one line per moment noted.
  void noteTableStates(const QString& moment) {
    QString line = moment + QStringLiteral(":");
    for (int t = 1; t <= tableStatusStrip().tableCount; ++t) line += QStringLiteral(" %1").arg(tableStatusStrip().states[t]);
    tableStates_ += line.toUtf8() + "\n";
  }
  platform::MemoryRegistry registry_;
  QByteArray tableStates_;
};

TEST_F(BridgeMatesEveningSessionTest, ResultsKeyedAtTheTablesOneCorrectedAtTheDesk) {
  sessions::WritePlayersFile(programDir(), 12);
  ProgramWindows program;
  TForm5& menu = program.menu;
  TForm4& pairs = program.pairs;
  program.start.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.start));
  Desk desk;

  // Devices at the tables, the BridgeMates, with the scorers' settings
  // offered the first time.
  desk.on("TForm26", Desk::enter).on("TForm93", Desk::enter);
  program.start.findChild<QCheckBox*>("BridgeBox")->click();
  program.start.findChild<QRadioButton*>("RadioGroup2Item1")->click();
  // The pairs are entered here, not keyed at the tables.
  if (auto* atTables = program.start.findChild<QCheckBox*>("CheckBox3"); atTables->isChecked()) atTables->click();
  desk.expectDone("device choice");
  ASSERT_TRUE(TableDevicesMode && BridgeMatesMode);

  program.start.findChild<QPushButton*>("SpeedButton1")->click();
  ASSERT_TRUE(program.parameters.isVisible());
  program.parameters.Code->setText("20261207");
  program.parameters.Nom->setText("Tournoi du jeudi");
  desk.on("TForm11", [](QWidget* w) {
        Desk::type(w, "6");
        Desk::enter(w);
      })
      .on("TForm86", Desk::enter);  // the pairs made ahead, to be named
  program.parameters.OK->click();
  desk.expectDone("parameters");
  ASSERT_TRUE(pairs.isVisible());

  sessions::PlacePairs(program, {{"a", "b"}, {"c", "d"}, {"e", "f"}}, {{"g", "h"}, {"j", "k"}, {"l", "m"}});

  // A Mitchell of three tables, two boards a table; the database is made and
  // the control program started.
  sessions::ScriptMitchellOfTwoBoards(desk);
  desk.on("TForm6", Desk::enter);
  sessions::ScriptNoDealsImported(desk);
  pairs.okButton->click();
  desk.expectDone("movement");
  ASSERT_TRUE(menu.isVisible());
  ASSERT_EQ(TableCount, 3);
  ASSERT_TRUE(waitFor([] { return QFile::exists(ProgramFolder + "BMPro-arguments.txt"); }));
  noteTableStates("au depart");

  // The scorers log on, then key every result round by round; each tick
  // collects what is there.
  testing_support::BridgeMatesScorers scorers(BwsFileName);
  for (int t = 1; t <= TableCount; ++t) scorers.logOn(t);
  CollectionTick();
  noteTableStates("connectes");
  const char* contracts[] = {"4 S", "3 NT", "2 H", "4 H", "1 NT", "3 C"};
  const char* results[] = {"=", "+1", "-1", "+2", "-2", "="};
  const char* leads[] = {"SA", "H7", "DK", "C2", "S10", "HQ"};
  int keyed = 0;
  for (int r = 1; r <= RoundCount; ++r) {
    for (int s = 1; s <= ResultSlotCount; ++s)
      if (ResultRound[s] == r) {
        const int i = keyed++ % 6;
        scorers.enterResult(ResultTable[s], r, ResultBoard[s], ResultNsPair[s], ResultEwPair[s] - TableCount,
                            s % 3 ? "N" : "E", contracts[i], results[i], leads[i]);
      }
    CollectionTick();
    noteTableStates(QStringLiteral("tour %1").arg(r));
  }
  EXPECT_EQ(keyed, 18);
  EXPECT_EQ(ResultsEntered, 18);

  // The first result of board 1 corrected at the desk, sent back; the next
  // tick leaves the program's own row alone.
  desk.always("TForm60", Desk::enter);
  desk.on("TForm56", [](QWidget* w) {
    Desk::key(w, Qt::Key_Delete);
    Desk::type(w, "3sn=");
    Desk::enter(w);
    Desk::key(w, Qt::Key_Escape);
  });
  menuButton(menu, "Button3")->click();
  desk.expectDone("correction");
  CollectionTick();
  noteTableStates("apres correction");

  // The results computed, shown and printed.
  menuButton(menu, "Button9")->click();
  desk.expectDone("computation");
  desk.on("TForm16", [](QWidget* w) { Desk::type(w, "f"); });  // one merged list
  ASSERT_TRUE(sessions::ShowAndPrintResults(desk, menu, true, [this] { keepPrintout("classement"); }));

  const QString bws = BwsFileName;
  sessions::QuitThrough(desk, menuButton(menu, "BitBtn2"));

  CloseSessionDatabase();
  DumpDatabase(bws, tmp_.path() + "/database");
  testing_support::writeBytes(tmp_.path() + "/etats-des-tables.txt", tableStates_);
  const QString differences = sessions::CompareWithReferences("bridgemates", tmp_.path(), kInputs);
  EXPECT_TRUE(differences.isEmpty()) << differences.toStdString();
}
