// A club evening without devices, from the start screen to the quit, through
// the program's own windows: every file it writes is compared with the
// references kept in tests/sessions/club-howell/.
#include "core/Globals.h"
#include "core/ui/BackupWaitWindow.h"
#include "core/ui/Printer.h"
#include "core/ui/QuitConfirmationWindow.h"
#include "core/ui/UnfinishedTournamentWarningWindow.h"
#include "core/ui/WindowInteraction.h"
#include "devices/ui/DeviceWindowRegistration.h"
#include "flows/Quit.h"
#include "flows/ui/ArrowSwitchReminderWindow.h"
#include "flows/ui/CumulativeEndWindow.h"
#include "flows/ui/OptionWindows.h"
#include "flows/ui/StartScreenWindow.h"
#include "flows/ui/TournamentMenuWindow.h"
#include "platform/Clock.h"
#include "publishing/BridgeWebs.h"
#include "publishing/ui/PublishingWindowRegistration.h"
#include "scoring/ui/ResultsWindow.h"
#include "scoring/ui/ScoringWindowRegistration.h"
#include "scoring/ui/TableSheetEntryWindow.h"
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
#include "support/TestState.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using sessions::Desk;
using sessions::menuButton;
using sessions::ProgramWindows;

namespace {

void copyFolder(const QString& from, const QString& to) {
  QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    const QString target = to + QDir(from).relativeFilePath(path);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile::copy(path, target);
  }
}

// What the session is given (the players file, the shipped files beside the
// program and their copies to the web folder) and the PDF, whose text is
// already compared as the printouts' text.
// Six pairs: the letters typed for the players of each row.
const sessions::PairLetters kSixPairsNs = {{"a", "b"}, {"c", "d"}, {"e", "f"}};
const sessions::PairLetters kSixPairsEw = {{"g", "h"}, {"j", "k"}, {"l", "m"}};

const QStringList kInputs = {"program/Howells/*", "printer/*", "program/JOUEURS.TXT", "program/CONTRAT.TXT",
                             "*BELib.txt", "*.css", "*.gif"};

}  // namespace

class ClubEveningSessionTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    QApplication::setKeyboardInputInterval(20);
    copyFolder(QCoreApplication::applicationDirPath() + "/Howells/", programDir() + "Howells/");
    for (const char* name : {"BELib.txt", "BEStyle.css", "dealer.gif", "liste.css"})
      QFile::copy(QCoreApplication::applicationDirPath() + "/" + name, programDir() + name);
    testing_support::writeBytes(programDir() + "CONTRAT.TXT", "\r\n");
    sessions::InstallProgramWindows();
    QDir().mkpath(tmp_.path() + "/printer");
    ui::SetPrintToPdfFile(tmp_.path() + "/printer/soiree.pdf");
  }
  void TearDown() override {
    QApplication::setKeyboardInputInterval(400);
    ui::SetPrintToPdfFile(QString());
    publishing::connectionSettings() = publishing::ConnectionSettings{};
    flowWindows().printText = nullptr;
    ui::setInteraction(nullptr);
    TalvaronTest::TearDown();
  }
  // Keeps the text each printout sent to the printer, in the order printed.
  void keepPrintout(const QString& name) {
    QDir().mkpath(tmp_.path() + "/printouts");
    QFile::copy(PrintFile, tmp_.path() + QStringLiteral("/printouts/%1-%2.TXT").arg(++printouts_, 2, 10, QChar('0')).arg(name));
    QFile::remove(PrintFile);
  }
  // The start screen shown, then the parameters of a new tournament.
  void newTournament(ProgramWindows& w, Desk& desk, const QString& code, const QString& name) {
    w.start.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.start));
    w.start.findChild<QPushButton*>("SpeedButton1")->click();
    ASSERT_TRUE(w.parameters.isVisible());
    w.parameters.Code->setText(code);
    w.parameters.Nom->setText(name);
    w.parameters.OK->click();
    desk.expectDone("parameters");
    ASSERT_TRUE(w.pairs.isVisible());
  }
  // The quit saves and backs up, then ends the program.
  void quit(ProgramWindows& w, Desk& desk, bool impWarning = false) {
    sessions::QuitThrough(desk, menuButton(w.menu, "BitBtn2"), impWarning);
  }
  void compare(const QString& session) {
    EXPECT_TRUE(QFileInfo(tmp_.path() + "/printer/soiree.pdf").size() > 0);
    const QString differences = sessions::CompareWithReferences(session, tmp_.path(), kInputs);
    EXPECT_TRUE(differences.isEmpty()) << differences.toStdString();
  }
  int printouts_ = 0;
};

TEST_F(ClubEveningSessionTest, HowellTypedOnTheTravellers) {
  sessions::WritePlayersFile(programDir(), 12);
  ProgramWindows program;
  TForm5& menu = program.menu;
  Desk desk;
  newTournament(program, desk, "LUNDI", "Tournoi du lundi");

  // Six pairs from the players file.
  sessions::PlacePairs(program, kSixPairsNs, kSixPairsEw);

  // The Howell for six pairs from the shipped files, two boards a set.
  sessions::ScriptShippedHowell(desk);
  program.pairs.okButton->click();
  desk.expectDone("movement");
  ASSERT_TRUE(menu.isVisible());
  EXPECT_TRUE(IsHowell);
  EXPECT_EQ(PairCount, 6);

  // Every result typed on the travellers.
  const QStringList contracts = {
      "4pn=", "4pn+1", "3pn+1",  "3sn=", "3sn=",  "2pe=",  "1sn=",  "2ce-1", "1sn+1", "3sxn-1", "2pe=", "4pe-1",
      "4cs=", "4ce+1", "3ke=",   "2ts-1", "3sn+2", "2pn=",  "5kxe-2", "4pn=", "3cn=",  "6sn=",  "6sn-1", "4pn+2",
      "2kn=", "3tn-1", "p",      "1ss=",  "m",     "2ce="};
  desk.always("TForm60", [](QWidget* w) { Desk::enter(w); });
  desk.on("TForm56", [&](QWidget* w) {
        Desk::key(w, Qt::Key_F5);  // on to the next line after each result
        w->findChild<QCheckBox*>("CheckBox1")->click();  // the leads of the first two
        for (int i = 0; i < contracts.size(); ++i) {
          if (i == 2) w->findChild<QCheckBox*>("CheckBox1")->click();
          Desk::type(w, contracts[i]);
          if (contracts[i] != "p" && contracts[i] != "m") Desk::enter(w);
        }
        Desk::key(w, Qt::Key_Escape);
      })
      .on("TForm98", [](QWidget* w) {
        Desk::type(w, "2p");
        Desk::enter(w);
      })
      .on("TForm98", [](QWidget* w) {
        Desk::type(w, "v1c");
        Desk::enter(w);
      });
  menuButton(menu, "Button3")->click();
  desk.expectDone("travellers");

  // The frequencies first, then one adjustment and one penalty.
  menuButton(menu, "Button6")->click();
  desk.expectDone("frequencies");
  desk.on("TForm31", [](QWidget* w) { Desk::type(w, "a"); })
      .on("TForm25", [](QWidget* w) {
        Desk::type(w, "1");
        Desk::enter(w);
      })
      .on("TForm25", [](QWidget* w) {
        Desk::type(w, "2");
        Desk::enter(w);
      })
      .on("TForm76", sessions::AdjustSixtyForty)
      .on("TForm26", [](QWidget* w) { Desk::enter(w); });
  menuButton(menu, "Button7")->click();
  desk.expectDone("adjustment");
  desk.on("TForm31", [](QWidget* w) { Desk::type(w, "g"); })
      .on("TForm25", [](QWidget* w) {
        Desk::type(w, "3");
        Desk::enter(w);
      })
      .on("TForm36", [](QWidget* w) { Desk::type(w, "p"); })
      .on("TForm40", [](QWidget* w) { Desk::enter(w); })  // the value offered: 1 %
      .on("TForm26", [](QWidget* w) { Desk::enter(w); });
  menuButton(menu, "Button7")->click();
  desk.expectDone("penalty");

  // The results computed, with the adjustments printed, then shown and
  // printed. Each later computation shows the adjustments again.
  desk.always("TForm22", [](QWidget* w) { Desk::enter(w); });
  desk.on("TForm21", [](QWidget* w) { Desk::type(w, "o"); }).on("TForm26", [](QWidget* w) { Desk::enter(w); });
  menuButton(menu, "Button9")->click();
  desk.expectDone("computation");
  keepPrintout("ajustements");
  ASSERT_TRUE(sessions::ShowAndPrintResults(desk, menu, true, [this] { keepPrintout("classement"); }));

  desk.on("TForm23", [](QWidget* w) { Desk::type(w, "t"); })
      .on("TForm24", [](QWidget* w) { Desk::type(w, "c"); })
      .on("TForm26", [](QWidget* w) { Desk::enter(w); });
  menuButton(menu, "Button8")->click();
  desk.expectDone("frequencies printed");
  keepPrintout("frequences");
  desk.on("TForm29", [](QWidget* w) { Desk::type(w, "i"); })
      .on("TForm42", [](QWidget* w) { Desk::type(w, "t"); })
      .on("TForm26", [](QWidget* w) { Desk::enter(w); });
  menuButton(menu, "Button12")->click();
  desk.expectDone("recaps");
  keepPrintout("recapitulatifs");
  // The web page, then the USEBIO file through BridgeWebs.
  desk.on("TForm77", [](QWidget* w) {
        w->findChild<QLineEdit*>("Edit1")->clear();  // "?": nobody known
        QTest::keyClicks(w->findChild<QLineEdit*>("Edit1"), "MARTIN Eve");
        w->findChild<QPushButton*>("OK")->click();
      })
      .on("TForm26", [](QWidget* w) { Desk::enter(w); })
      .on("TForm26", [](QWidget* w) { Desk::enter(w); });
  menuButton(menu, "Button25")->click();
  desk.expectDone("web");
  publishing::connectionSettings().nameServers.clear();  // no Internet here
  desk.on("TForm103", [](QWidget* w) { Desk::enter(w); }).on("TForm87", [](QWidget* w) {
    for (QPushButton* b : w->findChildren<QPushButton*>())
      if (b->text().startsWith("Sauver les r")) b->click();
  });
  desk.on("TForm80", [](QWidget* w) { Desk::type(w, "p"); });  // "&Plus tard..."
  menuButton(menu, "Button26")->click();
  desk.expectDone("usebio");

  quit(program, desk);
  compare("club-howell");
}

// The same kind of evening on a four-table Mitchell with seven pairs and the
// BYE, every round typed on the table sheets.
TEST_F(ClubEveningSessionTest, MitchellWithTheByeTypedOnTheTableSheets) {
  sessions::WritePlayersFile(programDir(), 14);
  ProgramWindows program;
  TForm5& menu = program.menu;
  TForm4& pairs = program.pairs;
  Desk desk;
  newTournament(program, desk, "MARDI", "Tournoi du mardi");

  // Seven pairs and the BYE, which sits E/W at table 4.
  const char* ns[4][2] = {{"a", "b"}, {"c", "d"}, {"e", "f"}, {"g", "h"}};
  const char* ew[3][2] = {{"j", "k"}, {"l", "m"}, {"n", "p"}};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 2; ++c) sessions::PlacePlayer(program, ns[r][c], pairs.NS, r + 1, c + 1);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 2; ++c) sessions::PlacePlayer(program, ew[r][c], pairs.EW, r + 1, c + 1);
  sessions::PlacePlayer(program, "b", pairs.EW, 4, 1);  // BLANC is placed: "b" is the BYE

  sessions::ScriptMitchellOfTwoBoards(desk);
  desk.on("TForm8", [](QWidget* w) { w->findChild<QPushButton*>("Button1")->click(); })  // the skip
      .on("TForm6", [](QWidget* w) { Desk::enter(w); });
  pairs.okButton->click();
  desk.expectDone("movement");
  ASSERT_TRUE(menu.isVisible());
  EXPECT_EQ(TableCount, 4);

  // Each round's sheets: two boards a table, the table of the BYE passed by.
  int typed = 0;
  auto typeRound = [&typed](QWidget* d) {
    static const QStringList contracts = {"4pn=", "3sn+1", "2ce-1", "1sn=",  "4pe-1", "3kn=",  "2tn+1", "m",
                                          "4cs=", "2pe=",  "3sxn-1", "3pn=",  "6sn-1", "2kn=",  "1ss=",  "p",
                                          "3se=", "4ce+1", "2pn=",  "5kxe-2", "3cn=", "4pn+1", "2se=",  "3tn-1"};
    auto* sheet = static_cast<TForm58*>(d);
    if (!SheetLineSkip) Desk::key(d, Qt::Key_F5);
    for (int table = 1; table <= 4; ++table) {
      if (sheet->statusLabel->text() == "Ne joue pas ce tour") {
        Desk::key(d, Qt::Key_Right);
        continue;
      }
      for (int line = 1; line <= 2; ++line) {
        const QString& c = contracts[typed++ % contracts.size()];
        Desk::type(d, c);
        if (c != "p" && c != "m") Desk::enter(d);
      }
    }
    Desk::key(d, Qt::Key_Escape);
  };
  desk.always("TForm60", [](QWidget* w) { Desk::enter(w); });
  desk.on("TForm25", Desk::enter)
      .on("TForm58", typeRound)
      .on("TForm25", Desk::enter)
      .on("TForm62", Desk::enter)  // the round before the skip
      .on("TForm58", typeRound)
      .on("TForm63", Desk::enter)
      .on("TForm25", Desk::enter)
      .on("TForm58", typeRound)
      .on("TForm26", Desk::enter);  // the last round is in
  menuButton(menu, "Button1")->click();
  desk.expectDone("table sheets");
  EXPECT_EQ(typed, 18);

  menuButton(menu, "Button6")->click();
  menuButton(menu, "Button9")->click();
  desk.expectDone("computation");
  desk.on("TForm16", [](QWidget* w) { Desk::type(w, "f"); });  // one merged list
  ASSERT_TRUE(sessions::ShowAndPrintResults(desk, menu, true, [this] { keepPrintout("classement"); }));

  desk.on("TForm23", [](QWidget* w) { Desk::type(w, "t"); })
      .on("TForm24", [](QWidget* w) { Desk::type(w, "s"); })  // simplified this time
      .on("TForm26", Desk::enter);
  menuButton(menu, "Button8")->click();
  desk.expectDone("frequencies printed");
  keepPrintout("frequences");
  desk.on("TForm29", [](QWidget* w) { Desk::type(w, "i"); })
      .on("TForm42", [](QWidget* w) { Desk::type(w, "t"); })
      .on("TForm26", Desk::enter);
  menuButton(menu, "Button12")->click();
  desk.expectDone("recaps");
  keepPrintout("recapitulatifs");
  desk.on("TForm77", [](QWidget* w) { w->findChild<QPushButton*>("OK")->click(); })
      .on("TForm26", Desk::enter)
      .on("TForm26", Desk::enter);
  menuButton(menu, "Button25")->click();
  desk.expectDone("web");

  quit(program, desk);
  compare("club-mitchell-bye");
}

// Two evenings of the same four pairs, each a Howell typed on the
// travellers and computed, the program quit and started again in between;
// then the two sessions cumulated from the second evening's menu.
TEST_F(ClubEveningSessionTest, TwoEveningsCumulated) {
  sessions::WritePlayersFile(programDir(), 12);
  QStringList evenings[2] = {
      {"4pn=", "4pn+1", "3pn+1", "3sn=", "3sn=",  "2pe=", "1sn=", "2ce-1", "1sn+1", "3sxn-1", "2pe=", "4pe-1",
       "4cs=", "4ce+1", "3ke=",  "2ts-1", "3sn+2", "2pn=", "5kxe-2", "4pn=", "3cn=", "6sn=", "6sn-1", "4pn+2",
       "2kn=", "3tn-1", "2ce=",  "1ss=", "3pn=",  "2ce="}};
  // The second evening: the same contracts, each board's results in
  // another order.
  for (int i = 0; i < evenings[0].size(); ++i) evenings[1] << evenings[0][(i + 7) % evenings[0].size()];
  const char* codes[2] = {"CUM1", "CUM2"};
  for (int e = 0; e < 2; ++e) {
    SCOPED_TRACE(codes[e]);
    if (e == 1) testing_support::resetGlobals();  // the program started again
    ProgramWindows program;
    Desk desk;
    newTournament(program, desk, codes[e], QStringLiteral("Soirée %1").arg(e + 1));
    sessions::PlacePairs(program, kSixPairsNs, kSixPairsEw);
    sessions::ScriptShippedHowell(desk);
    program.pairs.okButton->click();
    desk.expectDone("movement");
    ASSERT_TRUE(program.menu.isVisible());

    desk.always("TForm60", Desk::enter);
    const QStringList& contracts = evenings[e];
    desk.on("TForm56", [&contracts](QWidget* w) {
      Desk::key(w, Qt::Key_F5);
      for (const QString& c : contracts) {
        Desk::type(w, c);
        Desk::enter(w);
      }
      Desk::key(w, Qt::Key_Escape);
    });
    menuButton(program.menu, "Button3")->click();
    desk.expectDone("travellers");
    menuButton(program.menu, "Button6")->click();
    menuButton(program.menu, "Button9")->click();
    desk.expectDone("computation");
    if (e == 0) {
      quit(program, desk);
      continue;
    }

    desk.on("TForm40", [](QWidget* w) {
          Desk::type(w, "Cumul du club");
          Desk::enter(w);
        })
        .on("TForm40", [](QWidget* w) {
          Desk::type(w, "CUMUL");
          Desk::enter(w);
        });
    auto session = [](const char* code) {
      return [code](QWidget* w) {
        auto* list = w->findChild<QListWidget*>("ListBox1");
        list->setCurrentItem(list->findItems(QString::fromLatin1(code), Qt::MatchContains).value(0));
        w->findChild<QPushButton*>("Button1")->click();
      };
    };
    desk.on("TForm83", session("CUM1")).on("TForm83", session("CUM2")).on("TForm83", [](QWidget* w) {
      Desk::key(w, Qt::Key_Escape);  // no more
    });
    desk.on("TForm26", Desk::enter);  // "C'est fini!..."
    menuButton(program.menu, "Button16")->click();
    desk.expectDone("cumulative");
    TForm46* end = sessions::TopLevelWindow<TForm46>();
    ASSERT_NE(end, nullptr);
    ASSERT_TRUE(end->isVisible());
    end->Button10->click();
    desk.expectDone("cumulated results shown");
    TForm17* results = sessions::TopLevelWindow<TForm17>();
    ASSERT_NE(results, nullptr);
    desk.on("TForm26", Desk::enter);
    results->BitBtn1->click();
    desk.expectDone("cumulated results printed");
    keepPrintout("cumul");
    QTest::keyClick(results, Qt::Key_Escape);
    desk.on("TForm80", [](QWidget* w) { Desk::type(w, "p"); });  // "&Plus tard..."
    end->Button26->click();
    desk.expectDone("cumulated USEBIO");
    sessions::QuitThrough(desk, end->BitBtn2);
    end->hide();
  }
  compare("cumulative");
}

// A Patton of four teams (eight pairs), typed on the travellers and scored
// in IMPs.
TEST_F(ClubEveningSessionTest, PattonOfFourTeams) {
  sessions::WritePlayersFile(programDir(), 16);
  ProgramWindows program;
  TForm5& menu = program.menu;
  Desk desk;
  newTournament(program, desk, "PATTON", "Patton du club");
  sessions::PlacePairs(program, {{"a", "b"}, {"c", "d"}, {"e", "f"}, {"g", "h"}},
                       {{"j", "k"}, {"l", "m"}, {"n", "p"}, {"r", "s"}});
  desk.on("TForm9", [](QWidget* w) { w->findChild<QPushButton*>("Button9")->click(); })
      .on("TForm10", [](QWidget* w) {
        auto* list = w->findChild<QListWidget*>("ListBox1");
        list->setCurrentItem(list->findItems("2", Qt::MatchStartsWith).value(0));
        w->findChild<QPushButton*>("Button1")->click();
      })
      .on("TForm6", Desk::enter);
  program.pairs.okButton->click();
  desk.expectDone("movement");
  ASSERT_TRUE(menu.isVisible());
  EXPECT_TRUE(IsPatton);

  int results = 0;
  for (int s = 1; s <= ResultSlotCount; ++s)
    if (ResultNsPair[s] != 0 && ResultRound[s] <= RoundsPlayed) ++results;
  const QStringList contracts = {"4pn=", "4pe-1", "3sn+1", "3sn=", "2ce-1", "1sn=", "4pe=", "3kn=", "2tn+1",
                                 "3sxn-1", "4cs=", "2pe=", "6sn=", "6sn-1", "2kn=", "1ss="};
  desk.always("TForm60", Desk::enter);
  desk.on("TForm56", [&](QWidget* w) {
    Desk::key(w, Qt::Key_F5);
    for (int i = 0; i < results; ++i) {
      Desk::type(w, contracts[i % contracts.size()]);
      Desk::enter(w);
    }
    Desk::key(w, Qt::Key_Escape);
  });
  menuButton(menu, "Button3")->click();
  desk.expectDone("travellers");
  menuButton(menu, "Button6")->click();
  menuButton(menu, "Button9")->click();
  desk.expectDone("computation");
  ASSERT_TRUE(sessions::ShowAndPrintResults(desk, menu, false, [this] { keepPrintout("classement"); }));
  quit(program, desk, true);
  compare("patton");
}
