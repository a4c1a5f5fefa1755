// A federation evening from the start screen to the quit: the session that
// FFBClubNet prepared (built by the tests' stand-in) is imported, played on
// the travellers and saved back into the federation's database. Every text
// file the program writes, and the database's rows dumped as text, are
// compared with the references kept in tests/sessions/federation/.
#include "core/Globals.h"
#include "core/ui/BackupWaitWindow.h"
#include "core/ui/QuitConfirmationWindow.h"
#include "core/ui/UnfinishedTournamentWarningWindow.h"
#include "core/ui/WindowInteraction.h"
#include "devices/SessionDatabase.h"
#include "devices/ui/DeviceWindowRegistration.h"
#include "devices/ui/FederationParametersWindow.h"
#include "flows/ui/ArrowSwitchReminderWindow.h"
#include "flows/ui/OptionWindows.h"
#include "flows/ui/StartScreenWindow.h"
#include "flows/ui/TournamentMenuWindow.h"
#include "platform/Process.h"
#include "publishing/ui/PublishingWindowRegistration.h"
#include "scoring/ui/ScoringWindowRegistration.h"
#include "sessions/Desk.h"
#include "sessions/Evening.h"
#include "sessions/Golden.h"
#include "sessions/ProgramWindows.h"
#include "setup/ui/ExistingTournamentWindow.h"
#include "setup/ui/MemberWindows.h"
#include "setup/ui/NewTournamentParametersWindow.h"
#include "setup/ui/PairsEntryWindow.h"
#include "setup/ui/SetupWindowRegistration.h"
#include "support/devices/FederationSession.h"
#include "support/TestDatabase.h"
#include "support/TestState.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>

using sessions::Desk;
using sessions::menuButton;

namespace {

// Club 1234's session of the fixed day, where FFBClubNet leaves it.
const char* const kFederationFile = "FFB/1234TPP20261207.BWS";

// What the session is given, and the databases, whose rows are compared as
// text.
const QStringList kInputs = {"program/JOUEURS.TXT", "program/LICENCEFFB.TXT", "program/TABLOSSE.EXE", "*.BWS"};

// The tables FFBClubNet reads back, one line a row, the columns in order
// separated by "|" (a null column stays empty).
void dumpTables(const QString& database, const QString& folder) {
  testing_support::TestDatabase db("dump");
  db.open(database);
  QDir().mkpath(folder);
  for (const char* table : {"PlayerNumbers", "ReceivedData", "HandRecord", "Settings"}) {
    const QStringList columns = db.columns(table);
    QByteArray text = columns.join('|').toUtf8() + "\n";
    for (const QVariantMap& row : db.rows(table)) {
      QStringList cells;
      for (const QString& c : columns) cells << row.value(c).toString();
      text += cells.join('|').toUtf8() + "\n";
    }
    testing_support::writeBytes(folder + "/" + table + ".txt", text);
  }
}

// The deal of each board: card r of suit s goes to hand (r + s + board) mod 4,
// so that every hand holds 13 cards.
QStringList dealOf(int board) {
  const QString ranks = "AKQJT98765432";
  QStringList holdings(16);
  for (int s = 0; s < 4; ++s)
    for (int r = 0; r < 13; ++r) holdings[((r + s + board) % 4) * 4 + s] += ranks[r];
  return holdings;
}

}  // namespace

struct FederationWindows {
  TForm1 start;
  TForm2 parameters;
  TForm3 existingTournament;
  TForm5 menu;
  TForm75 federationParameters;
  TForm90 arrowSwitchReminder;
  TForm59 quitConfirmation;
  TForm108 resumeWarning;
  TForm110 backupWait;
  TForm4 pairs;
};

class FederationEveningSessionTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    testing_support::writeBytes(programDir() + "LICENCEFFB.TXT", "1234\r\n");
    testing_support::writeBytes(programDir() + "FFBFOLDER.TXT", (rootDir() + "FFB").toUtf8());
    testing_support::writeBytes(programDir() + "JOUEURS.TXT", "ARNAUD Paul 1001\r\nBLANC Marie 1002\r\n");
    testing_support::writeBytes(programDir() + "TABLOSSE.EXE", "");  // never started: the processes are fakes
    sessions::InstallProgramWindows();
  }
  void TearDown() override {
    CloseSessionDatabase();
    ui::setInteraction(nullptr);
    TalvaronTest::TearDown();
  }
  platform::FakeProcesses processes_;
};

TEST_F(FederationEveningSessionTest, ImportedPlayedAndSavedBack) {
  // A three-table Mitchell of three rounds, two boards a round, every player
  // named, the deals given.
  {
    testing_support::FederationSession ffb(rootDir() + kFederationFile);
    ffb.addSection(3);
    ffb.addMitchell(
        3, 3, 2, [](int t, int r) { return testing_support::wrap(t - r + 1, 3); },
        [](int t, int r) { return testing_support::wrap(t + r - 1, 3); });
    const char* names[3][4] = {{"ARNAUD Paul", "BLANC Marie", "CARON Luc", "DUMAS Anne"},
                               {"EVRARD Jean", "FAURE Lise", "GIRARD Marc", "HENRY Rose"},
                               {"JOLY Yves", "KLEIN Sara", "LEROY Eric", "MOREL Zoé"}};
    const char* seats[4] = {"N", "S", "E", "W"};
    for (int t = 1; t <= 3; ++t)
      for (int i = 0; i < 4; ++i)
        ffb.addPlayer(t, seats[i], QString::number(2000 + 10 * t + i), QString::fromUtf8(names[t - 1][i]));
    for (int b = 1; b <= 6; ++b) ffb.addHandRecord(b, dealOf(b));
  }

  FederationWindows program;
  program.start.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.start));
  Desk desk;
  // Devices at the tables, then the federation's kind of tournament.
  program.start.findChild<QCheckBox*>("BridgeBox")->click();
  program.start.findChild<QRadioButton*>("RadioGroup1Item1")->click();
  program.start.findChild<QPushButton*>("SpeedButton3")->click();
  desk.expectDone("import");
  TForm75& parameters = program.federationParameters;
  ASSERT_TRUE(parameters.isVisible());
  EXPECT_EQ(parameters.Code->text(), "2026120720");
  desk.on("TForm6", Desk::enter);  // the three rounds
  parameters.OK->click();
  desk.expectDone("parameters");
  ASSERT_TRUE(program.menu.isVisible());
  EXPECT_EQ(TableCount, 3);
  EXPECT_EQ(ResultSlotCount, 18);

  // Every result typed on the travellers; a federation tournament asks each
  // lead (one not given: Esc).
  const QStringList contracts = {"4pn=",  "3sn+1", "4pn-1", "2ce=", "3sxn-1", "p",     "4cs=", "3ke=",  "1sn+1",
                                 "3so-1", "2pn=",  "m",     "6sn=", "5kxe-2", "3cn=",  "2tn+1", "a",    "1ss="};
  QStringList leads = {"rp", "10c", "3k", "at", "vp", "dc", "", "2t", "xk", "ap", "rc", "5k", "9t", "dp", "4k"};
  desk.always("TForm60", Desk::enter);
  // Several of these leads are not in the hand of the player on lead in the
  // deals FFBClubNet sent: each is questioned, and the director keeps it
  // (the files saved back hold them as typed).
  int questioned = 0;
  desk.always("TForm91", [&questioned](QWidget* w) {
    ++questioned;
    Desk::enter(w);
  });
  desk.always("TForm98", [&leads](QWidget* w) {
    const QString lead = leads.isEmpty() ? QString() : leads.takeFirst();
    if (lead.isEmpty()) {
      Desk::key(w, Qt::Key_Escape);
      return;
    }
    Desk::type(w, lead);
    Desk::enter(w);
  });
  desk.on("TForm56", [&](QWidget* w) {
    Desk::key(w, Qt::Key_F5);
    for (const QString& c : contracts) {
      Desk::type(w, c);
      if (c.size() > 1) Desk::enter(w);
    }
    Desk::key(w, Qt::Key_Escape);
  });
  desk.on("TForm76", sessions::AdjustSixtyForty);  // "a": an adjusted result
  menuButton(program.menu, "Button3")->click();
  desk.expectDone("travellers");
  EXPECT_TRUE(leads.isEmpty());
  EXPECT_GT(questioned, 0);

  // Saved back for FFBClubNet.
  desk.on("TForm26", Desk::enter);
  menuButton(program.menu, "Button20")->click();
  desk.expectDone("federation save");

  sessions::QuitThrough(desk, menuButton(program.menu, "BitBtn2"));
  CloseSessionDatabase();

  dumpTables(rootDir() + kFederationFile, tmp_.path() + "/database");
  const QString differences = sessions::CompareWithReferences("federation", tmp_.path(), kInputs);
  EXPECT_TRUE(differences.isEmpty()) << differences.toStdString();
}
