#include "core/Flows.h"
#include "core/Counts.h"
#include "core/ErrorReports.h"
#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "core/State.h"
#include "core/TournamentFiles.h"
#include "devices/FederationSetup.h"
#include "devices/TableStates.h"
#include "devices/TabletFiles.h"
#include "devices/TablesServer.h"
#include "flows/StartScreen.h"
#include "flows/TournamentMenu.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/TextFiles.h"
#include "scoring/ResultFiles.h"
#include "support/BridgeMatesScorers.h"
#include "support/devices/FederationSession.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <unistd.h>

#include <cerrno>

using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

// A folder nobody may write in while the guard lives. Root writes anywhere,
// so the process then runs as an unprivileged user.
class ReadOnlyFolder {
 public:
  ReadOnlyFolder(const QString& top, const QString& folder) : folder_(folder) {
    const auto open =
        QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    QFile::setPermissions(top, open | QFile::WriteOwner);
    QFile::setPermissions(folder, open);
    // The results folder inside stays one the user may write in: without its
    // lock file the program would not start at all.
    QFile::setPermissions(folder + "Resultats", open | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther);
    if (geteuid() == 0) lowered_ = seteuid(65534) == 0;
  }
  ~ReadOnlyFolder() {
    if (lowered_ && seteuid(0) != 0) std::abort();
    QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

 private:
  QString folder_;
  bool lowered_ = false;
};

}  // namespace

class StartScreenTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    writeBytes(programDir() + "JOUEURS.TXT", "DUPONT Jean 123\r\n");
    PlayersFileName = "JOUEURS.TXT";
  }
  void TearDown() override {
    flowWindows() = FlowWindows{};
    flowWindows().refreshMenu = nullptr;
    flowWindows().showTournamentMenu = nullptr;
    menuView() = TournamentMenuView{};
    TalvaronTest::TearDown();
  }
  bool exists(const QString& name) const { return QFile::exists(programDir() + name); }

  // Services that record what the start screen asks of the rest of the program.
  void recordServices() {
    FlowWindows& s = flowWindows();
    auto note = [this](const QString& what) { return [this, what] { calls << what; }; };
    s.hideStartScreen = note("hide");
    s.showStartScreen = note("show");
    s.showParametersWindow = note("parameters");
    s.showFederationSummary = [this] {
      calls << "summary";
      summary = BuildFederationSummary();
    };
    flowWindows().refreshMenu = ([this] {
      const QString timer = QStringLiteral("timer %1").arg(menuView().timerInterval);
      if (menuView().timerEnabled && !calls.contains(timer)) calls << timer;
    });
    flowWindows().showTournamentMenu = [this] { calls << "menu"; };
  }

  // Today's session of club 1234 as FFBClubNet leaves it: a 3-table Mitchell
  // of one board a round, without names.
  QString federationSession() {
    writeBytes(programDir() + "LICENCEFFB.TXT", "1234\r\n");
    writeBytes(programDir() + "FFBFOLDER.TXT", (rootDir() + "FFB").toUtf8() + "\r\n");
    const QString file = rootDir() + "FFB/1234TPP20261207.BWS";
    testing_support::FederationSession ffb(file);
    ffb.addSection(3);
    ffb.addMitchell(3, 3, 1, [](int t, int r) { return (t - r + 3) % 3 + 1; }, [](int t, int r) { return (t + r + 1) % 3 + 1; });
    ffb.addMitchellPlayers(3, false);
    return file;
  }

  // A saved tournament of 4 pairs, 2 boards, 2 tables, which the resume
  // reloads (the chooser's answer comes first).
  void resumedTournament(bool datedToday, int resultsEntered) {
    TournamentCode = "ABC";
    DateDay = datedToday ? "07" : "01";
    DateMonth = "12";
    DateYear = "2026";
    TournamentTitle = "Lundi";
    const int pairs[] = {1, 2, -1, -2};
    for (int p = 1; p <= 4; ++p) {
      PairNumbers[p] = pairs[p - 1];
      Player1Names[p] = QStringLiteral("A%1").arg(p);
      Player2Names[p] = QStringLiteral("B%1").arg(p);
      PairLabels[p] = Player1Names[p] + " - " + Player2Names[p];
    }
    ResultsPerBoard = TableCount = 2;
    BoardCount = DealCount = 2;
    ResultSlotCount = 4;
    for (int s = 1; s <= 4; ++s) {
      TestSlots().nsPair[s] = (s - 1) % 2 + 1;
      TestSlots().ewPair[s] = (s - 1) % 2 + 3;
      TestSlots().board[s] = (s - 1) / 2 + 1;
      TestSlots().table[s] = TestSlots().nsPair[s];
      TestSlots().round[s] = 1;
      TestSlots().score[s] = s <= resultsEntered ? 420 : kScoreNone;
    }
    SaveTournamentAll();
    ClearAllResults();
    DateDay = "07";
    talk.answer(1);
  }
  // A BridgeMates tournament of today to resume, its control program found
  // by the search.
  void bridgeMatesTournamentOfToday(int resultsEntered) {
    recordServices();
    writeBytes(programDir() + "BMPro.EXE", "");
    TableDevicesMode = BridgeMatesMode = true;
    resumedTournament(true, resultsEntered);
  }
  ui::ScriptedInteraction talk;
  QStringList calls;
  FederationSummary summary;
  StartScreenView view;
};

TEST_F(StartScreenTest, CreationWithoutDevicesClearsTheDeviceFilesAndOffersANewTournament) {
  writeBytes(programDir() + "INTRO.TXT", "x");
  writeBytes(programDir() + "etuis.txt", "");
  StartScreenCreate(view);
  StartScreenShow(view);
  EXPECT_FALSE(TableDevicesMode || TabletsMode || BridgeMatesMode || FederationMode);
  EXPECT_FALSE(exists("INTRO.TXT") || exists("etuis.txt"));
  EXPECT_FALSE(view.bridgeBoxChecked || view.radioGroup1Enabled || view.radioGroup2Enabled || view.checkBox2Enabled);
  EXPECT_TRUE(view.newButtonVisible);
  EXPECT_FALSE(view.federationButtonVisible || view.memo1Visible);
  EXPECT_FALSE(EntryByContracts);
  EXPECT_EQ(DataFolder, programDir() + "Resultats/");
  EXPECT_EQ(PlayersFileName, "JOUEURS.TXT");

  writeBytes(programDir() + "CONTRAT.TXT", "");
  StartScreenShow(view);
  EXPECT_TRUE(EntryByContracts);
}

TEST_F(StartScreenTest, CreationWithDevicesAndFederationReadsTheirMarkers) {
  writeBytes(programDir() + "QUILLMARKE.TXT", "Tablettes\r\n");
  writeBytes(programDir() + "FFB.TXT", "");
  writeBytes(programDir() + "INTRO.TXT", "Joueurs à introduire sur les tablettes\r\n");
  StartScreenCreate(view);
  StartScreenShow(view);
  EXPECT_TRUE(TableDevicesMode && TabletsMode && FederationMode && EntryByContracts);
  EXPECT_FALSE(PairsEntered);
  EXPECT_TRUE(view.checkBox3Checked);
  EXPECT_EQ(view.radioGroup1Item, 1);
  EXPECT_FALSE(view.checkBox2Enabled || view.checkBox3Enabled);
  EXPECT_TRUE(view.memo1Visible && view.federationButtonVisible && view.radioGroup2Enabled);
  EXPECT_FALSE(view.newButtonVisible);
  EXPECT_EQ(view.federationButtonCaption, "Jouer un tournoi &FFBClubNet");
}

TEST_F(StartScreenTest, TheDeviceBoxWritesTheMarkerAndKeepsTheDeviceKindInStep) {
  StartScreenCreate(view);
  StartScreenShow(view);
  BridgeBoxClick(view, true);
  EXPECT_EQ(readBytes(programDir() + "QUILLMARKE.TXT"), "Tablettes\r\n");
  EXPECT_TRUE(TableDevicesMode && TabletsMode && EntryByContracts);
  EXPECT_TRUE(view.checkBox2Enabled && view.checkBox3Enabled && view.radioGroup1Enabled && view.radioGroup2Enabled);
  // The names box shows what a restart would find: no "INTRO.TXT", names
  // entered in the program.
  EXPECT_FALSE(view.checkBox3Checked);
  EXPECT_TRUE(PairsEntered);

  CheckBox2Click(view, true);
  CheckBox3Click(view, true);
  EXPECT_TRUE(EnterDealsAtTable);
  EXPECT_FALSE(PairsEntered);
  EXPECT_EQ(readBytes(programDir() + "ETUIS.TXT"), "");
  EXPECT_EQ(readBytes(programDir() + "INTRO.TXT"), "Joueurs \xE0 introduire sur les tablettes\r\n");
  BridgeBoxClick(view, false);
  BridgeBoxClick(view, true);
  EXPECT_TRUE(view.checkBox2Checked && view.checkBox3Checked && EnterDealsAtTable);
  EXPECT_FALSE(PairsEntered);
  CheckBox3Click(view, false);
  EXPECT_TRUE(PairsEntered);
  EXPECT_FALSE(exists("INTRO.TXT"));

  // Unchecked: no device flag survives, and the next start has no devices.
  BridgeBoxClick(view, false);
  EXPECT_FALSE(TableDevicesMode || TabletsMode || BridgeMatesMode);
  EXPECT_FALSE(exists("QUILLMARKE.TXT"));
  StartScreenView next;
  StartScreenCreate(next);
  EXPECT_FALSE(TableDevicesMode);
}

TEST_F(StartScreenTest, BridgeMatesNeedTheirTemplateAndTheTabletCompanion) {
  writeBytes(programDir() + "QUILLMARKE.TXT", "Tablettes\r\n");
  StartScreenCreate(view);
  StartScreenShow(view);
  RadioGroup2Click(view, 1);
  EXPECT_EQ(talk.messages, QStringList({"Désolé, pas d'utilisation des BridgeMates possible: BRIDGEMATE.BWS n'a pas été "
                                        "trouvé dans ce dossier!"}));
  EXPECT_FALSE(TableDevicesMode || TabletsMode || BridgeMatesMode || view.bridgeBoxChecked);
  EXPECT_EQ(view.radioGroup2Item, 0);
  EXPECT_FALSE(exists("QUILLMARKE.TXT"));

  BridgeBoxClick(view, true);
  writeBytes(programDir() + "BRIDGEMATE.BWS", "");
  RadioGroup2Click(view, 1);
  EXPECT_EQ(talk.messages.last(), "Désolé, pas d'utilisation des BridgeMates possible: TABLOSSE.EXE n'a pas été trouvé "
                                  "dans ce dossier!");

  BridgeBoxClick(view, true);
  writeBytes(programDir() + "TABLOSSE.EXE", "");
  writeBytes(programDir() + "BMParams.TXT", "1\r\n1\r\n1\r\n1\r\n2\r\n4444\r\n");
  RadioGroup2Click(view, 1);
  EXPECT_TRUE(TableDevicesMode && BridgeMatesMode);
  EXPECT_FALSE(TabletsMode);
  EXPECT_EQ(NameDisplayMode, 2);
  EXPECT_EQ(readBytes(programDir() + "QUILLMARKE.TXT"), "BridgeMates\r\n");

  // The next start reads the kind back and the BridgeMates settings with it.
  StartScreenView next;
  NameDisplayMode = 1;
  StartScreenCreate(next);
  StartScreenShow(next);
  EXPECT_EQ(next.radioGroup2Item, 1);
  EXPECT_EQ(NameDisplayMode, 2);
}

TEST_F(StartScreenTest, TheTournamentKindIsStoredInTheFederationMarker) {
  writeBytes(programDir() + "QUILLMARKE.TXT", "Tablettes\r\n");
  StartScreenCreate(view);
  StartScreenShow(view);
  RadioGroup1Click(view, 1);
  EXPECT_TRUE(FederationMode && exists("FFB.TXT"));
  EXPECT_EQ(view.federationButtonCaption, "Jouer un tournoi FFBClubNet");
  EXPECT_TRUE(view.federationButtonVisible && view.memo1Visible);
  EXPECT_FALSE(view.newButtonVisible || view.checkBox3Enabled);
  RadioGroup1Click(view, 0);
  EXPECT_FALSE(FederationMode || exists("FFB.TXT") || view.federationButtonVisible);
  EXPECT_TRUE(view.newButtonVisible);

  // The club never plays federation tournaments from here.
  writeBytes(programDir() + "BRALMET.TXT", "");
  StartScreenView club;
  StartScreenCreate(club);
  StartScreenShow(club);
  EXPECT_TRUE(club.clubLabelVisible && club.clubPlayersMenuVisible);
  EXPECT_FALSE(club.radioGroup1FfbEnabled);
}

TEST_F(StartScreenTest, ButtonsWhoseWorkIsNotThereSayItAndStayOnTheStartScreen) {
  flowWindows().showStartScreen = [this] { calls << "show"; };
  NewTournamentClick();
  ResumeTournamentClick();
  FederationTournamentClick();
  EXPECT_EQ(talk.messages,
            QStringList({"Désolé, la fonction \"Débuter un nouveau tournoi\" n'est pas encore disponible dans cette "
                         "version du programme.",
                         "Pas trouvé de fichiers *.PAI dans le répertoire " + dataDir() +
                             ". Aucun tournoi à recharger!",
                         "Désolé, la fonction \"Jouer un tournoi FFBClubNet\" n'est pas encore disponible dans cette "
                         "version du programme."}));
  EXPECT_EQ(calls, QStringList({"show", "show", "show"}));
  EXPECT_EQ(ResumeChosen, 1);
  EXPECT_TRUE(ResumingTournament);
  EXPECT_TRUE(EntryByContracts);
}

TEST_F(StartScreenTest, ANewTournamentLocatesTheProgramsThenShowsTheParameters) {
  recordServices();
  platform::MemoryRegistry registry;
  writeBytes(rootDir() + "Vendor/BMPro.exe", "");
  writeBytes(programDir() + "Tallyvane.TXT", (rootDir() + "Club/Tallyvane.EXE\r\n").toUtf8());
  writeBytes(rootDir() + "Club/Tallyvane.EXE", "");
  ResumingTournament = true;
  ResumeChosen = 1;
  ClubMode = BridgeMatesMode = true;
  // The club's players come from its members file.
  writeBytes(programDir() + "Tallyvane.TXT", (programDir() + "Tallyvane.EXE").toUtf8());
  writeBytes(programDir() + "MembersDAT.TXT", (programDir() + "ClubMembers.DAT").toUtf8());
  writeBytes(programDir() + "ClubMembers.DAT", "");
  NewTournamentClick();
  EXPECT_EQ(calls, QStringList({"hide", "parameters"}));
  EXPECT_EQ(readBytes(programDir() + "overrideDBSettings.TXT"), "yes\r\n");
  EXPECT_EQ(BridgeMatesControlPath, rootDir() + "Vendor/BMPro.exe");
  EXPECT_EQ(readBytes(programDir() + "BMPro.TXT"), (rootDir() + "Vendor/BMPro.exe\r\n").toUtf8());
  EXPECT_EQ(ClubMembersFile, rootDir() + "Club/Tallyvane.EXE");
  EXPECT_EQ(ResumeChosen, 0);
  EXPECT_FALSE(ResumingTournament);
}

TEST_F(StartScreenTest, PlayersAreCountedNamedUnlessDefaultOrBye) {
  PairCount = 3;
  ByePresent = true;
  Player1Names[1] = " NORMAND ";
  Player2Names[1] = "S1";
  Player1Names[2] = "N12";
  Player2Names[2] = "WEBER";
  Player1Names[3] = "BYE";
  Player2Names[3] = "";
  ResultSlotCount = 3;
  for (int s = 1; s <= 4; ++s) TestSlots().nsPair[s] = 1;
  TestSlots().score[1] = kScoreNone;
  TestSlots().score[2] = 0;
  TestSlots().score[3] = kScoreAverage;
  TestSlots().score[4] = 420;  // beyond the tournament's slots
  CountResumedTournament();
  EXPECT_EQ(ResultsEntered, 2);
  EXPECT_EQ(PlayersExpected, 4);
  EXPECT_EQ(PlayersNamed, 2);
  PairsEntered = true;
  CountResumedTournament();
  EXPECT_EQ(PlayersNamed, 4);
  EXPECT_TRUE(IsDefaultNameFor("E3", "NE"));
  EXPECT_FALSE(IsDefaultNameFor("E3", "SW"));
  EXPECT_FALSE(IsDefaultNameFor("N", "NE"));
}

TEST_F(StartScreenTest, AnIncompleteTournamentOfTodayAsksBeforeRestartingTheTablets) {
  recordServices();
  TableDevicesMode = TabletsMode = true;
  resumedTournament(true, 1);
  talk.answer(2);
  ResumeTournamentClick();
  ASSERT_EQ(talk.choices.size(), 1);
  EXPECT_EQ(talk.choices[0].form, "TForm108");
  EXPECT_EQ(talk.choices[0].buttons, QStringList({"Je suis d'accord", "Retour au menu"}));
  // The program that serves this evening's tables is the one named.
  EXPECT_EQ(talk.choices[0].text,
            "Vous rechargez un tournoi joué aujourd'hui et qui n'est pas terminé.\r\n"
            "Ce n'est normal qu'après un plantage du PC, du programme ou de \"talvaron-tables\".\r\n"
            "Les serveurs qui ne tournent plus vont être relancés.");
  EXPECT_EQ(calls, QStringList({"hide", "show"}));

  calls.clear();
  platform::FakeProcesses processes;
  // Where the Windows tablet programs are, as they always were.
  writeBytes(programDir() + "PCQuillmarkeServer.EXE", "MZ");
  writeBytes(programDir() + "TABLOSSE.EXE", "MZ");
  processes.running << "PCQuillmarkeServer.EXE";
  talk.answer(1).answer(1);  // the tournament, then the warning
  ResumeTournamentClick();
  EXPECT_TRUE(talk.choices.last().text.contains(
      "plantage du PC, du programme, de \"PCQuillmarkeServer\" ou de \"talvaron-tables\".\r\n"));
  EXPECT_EQ(calls, QStringList({"hide", "timer 500", "menu"}));
  EXPECT_EQ(TabletSharedFolder, documentsDir() + "/Quillmarke");
  // The tables' server is started again with the companion, as this copy's child.
  const QString tables = "child: " + programDir() + "talvaron-tables --exchange " + documentsDir() +
                         "/Quillmarke --program " + programDir() + " --port 8080";
  EXPECT_EQ(processes.events.filter("start:"), QStringList({"start: " + programDir() + "TABLOSSE.EXE"}));
  EXPECT_EQ(processes.events.filter(QRegularExpression("^child:")), QStringList({tables}));
  EXPECT_EQ(ResultsEntered, 1);

  calls.clear();
  processes.events.clear();
  processes.running.clear();
  talk.answer(1).answer(1);  // the tournament, then the warning
  ResumeTournamentClick();
  EXPECT_EQ(processes.events.filter("start:"),
            QStringList({"start: " + programDir() + "PCQuillmarkeServer.EXE", "start: " + programDir() + "TABLOSSE.EXE",
                         "start: " + programDir() + "TABLOSSE.EXE"}));
  EXPECT_EQ(processes.events.filter(QRegularExpression("^child:")), QStringList({tables, tables}));
  // Only this copy's own server was stopped on the way, never one by name.
  EXPECT_TRUE(processes.events.filter("stop: talvaron").isEmpty());

  // Without the Windows programs the tables' server takes their place: no
  // "Pas trouvé", the evening goes on.
  QFile::remove(programDir() + "PCQuillmarkeServer.EXE");
  QFile::remove(programDir() + "TABLOSSE.EXE");
  processes.events.clear();
  processes.running.clear();
  talk.messages.clear();
  talk.answer(1).answer(1);
  ResumeTournamentClick();
  EXPECT_TRUE(processes.events.filter("start:").isEmpty());
  EXPECT_EQ(processes.events.filter(QRegularExpression("^child:")), QStringList({tables}));
  EXPECT_TRUE(talk.messages.filter("Pas trouvé").isEmpty()) << qPrintable(talk.messages.join('\n'));
  EXPECT_FALSE(TablesServerAddress().isEmpty());
}

TEST_F(StartScreenTest, ResumedTournamentsThatNeedNoRestartGoStraightToTheMenu) {
  recordServices();
  platform::FakeProcesses processes;
  TableDevicesMode = TabletsMode = true;
  // Complete and of today: no question, no Windows server started, but the
  // tables may still send corrections: the collection runs and the menu says so.
  resumedTournament(true, 4);
  ResumeTournamentClick();
  EXPECT_EQ(calls, QStringList({"hide", "timer 500", "menu"}));
  EXPECT_TRUE(talk.choices.isEmpty());
  EXPECT_TRUE(processes.events.filter("start:").isEmpty());
  // But the tables' server runs: the tables may still send a correction.
  EXPECT_EQ(processes.events.filter(QRegularExpression("^child:")).size(), 1);
  EXPECT_FALSE(TablesServerAddress().isEmpty());
  EXPECT_EQ(TabletSharedFolder, documentsDir() + "/Quillmarke");
  EXPECT_TRUE(menuView().runningNoticeVisible && menuView().pauseVisible);
  EXPECT_EQ(menuView().pauseCaption, "<- Pause");

  calls.clear();
  menuView() = TournamentMenuView{};
  resumedTournament(false, 1);  // another day: counted as complete
  ResumeTournamentClick();
  EXPECT_EQ(calls, QStringList({"hide", "menu"}));
  EXPECT_EQ(TabletSharedFolder, documentsDir() + "/Quillmarke");
  EXPECT_EQ(ResultsEntered, 4);

  calls.clear();
  talk.answer(0);
  ResumeTournamentClick();
  EXPECT_EQ(calls, QStringList({"hide", "show"}));
  EXPECT_TRUE(talk.choices.isEmpty());
}

TEST_F(StartScreenTest, AResumedEveningWithoutDevicesSpeaksOfNoCollection) {
  recordServices();
  resumedTournament(true, 1);  // of today, unfinished, results typed at the desk
  ResumeTournamentClick();
  EXPECT_EQ(calls, QStringList({"hide", "menu"}));
  const TournamentMenuView& v = menuView();
  EXPECT_FALSE(v.timerEnabled);
  EXPECT_FALSE(v.runningNoticeVisible);
  EXPECT_FALSE(v.stoppedNoticeVisible);
  EXPECT_FALSE(v.pauseVisible);
  EXPECT_TRUE(v.editVisible);
  EXPECT_EQ(v.resultsCounter, "1/4");
}

TEST_F(StartScreenTest, AFederationResumeImportsTheSessionAndWarnsTwice) {
  recordServices();
  FederationMode = true;
  AskOpeningLead = true;  // a federation tournament keeps its leads
  talk.answerPath(federationSession());  // the session database, then the tournament
  resumedTournament(false, 4);
  ResumeTournamentClick();
  EXPECT_EQ(FederationBwsFile, rootDir() + "FFB/1234TPP20261207.BWS");
  EXPECT_EQ(calls, QStringList({"hide", "menu"}));
  ASSERT_EQ(talk.messages.size(), 2);
  EXPECT_TRUE(talk.messages[0].startsWith("Attention, en mode \"FFB\", vous allez devoir montrer"));
  EXPECT_EQ(talk.messages[1], "Attention! Il faut absolument que le tournoi que vous rechargez soit le dernier que vous "
                              "avez joué ou que c'était du à un plantage général. Sinon, son comportement peut être "
                              "imprévisible, y compris des erreurs fatales!");
}

// A full BridgeMates tournament of today: no question and no server
// started, but the collection runs, the strip is back beside the menu (the
// complete tables red), and the control program is sent the results it
// never had.
TEST_F(StartScreenTest, AFullBridgeMatesTournamentOfTodayCollectsAgainWithItsStrip) {
  platform::FakeProcesses processes;
  bridgeMatesTournamentOfToday(4);
  writeBytes(dataDir() + "ABC.BWS", readBytes(testing_support::BuiltBwsTemplate()));
  ResumeTournamentClick();
  EXPECT_TRUE(talk.choices.isEmpty());
  EXPECT_TRUE(processes.events.filter("start:").isEmpty());
  EXPECT_EQ(calls, QStringList({"hide", "timer 1000", "menu"}));
  EXPECT_EQ(BwsFileName, dataDir() + "ABC.BWS");
  EXPECT_TRUE(tableStatusStrip().visible);
  EXPECT_EQ(tableStatusStrip().tableCount, 2);
  EXPECT_EQ(tableStatusStrip().states[1], TableFinished);
  EXPECT_EQ(tableStatusStrip().states[2], TableFinished);
  testing_support::BridgeMatesScorers control(BwsFileName);
  const QList<QVariantMap> rows = control.rows("ReceivedData");
  ASSERT_EQ(rows.size(), 4);
  for (const QVariantMap& row : rows) EXPECT_EQ(row["Remarks"].toString(), "(420) (Morvel)");
  HideTableStatusStrip();
}

TEST_F(StartScreenTest, ABridgeMatesEveningWithTabletsAddedServesTheirPagesAgainWhenResumed) {
  platform::FakeProcesses processes;
  TabletsInUse = true;  // saved in the tournament's files
  bridgeMatesTournamentOfToday(4);
  TabletsInUse = false;
  writeBytes(dataDir() + "ABC.BWS", readBytes(testing_support::BuiltBwsTemplate()));
  ResumeTournamentClick();
  EXPECT_TRUE(TabletsInUse);
  EXPECT_EQ(processes.events.filter(QRegularExpression("^child:")).size(), 1);
  EXPECT_FALSE(TablesServerAddress().isEmpty());
  HideTableStatusStrip();
}

TEST_F(StartScreenTest, AResumeWithoutItsBridgeMatesDatabaseGoesOnWithoutDevices) {
  platform::FakeProcesses processes;
  bridgeMatesTournamentOfToday(2);
  talk.answer(1);
  ResumeTournamentClick();
  EXPECT_EQ(talk.messages.last(), "Pas trouvé le fichier " + dataDir() +
                                      "ABC.BWS. Impossible de relancer les BridgeMates avec BMPro. Dites-le à Teo VARNAL...");
  EXPECT_FALSE(TableDevicesMode || BridgeMatesMode || TabletsMode);
  EXPECT_TRUE(processes.events.filter("start:").isEmpty());
  EXPECT_EQ(calls.last(), "menu");

  calls.clear();
  TableDevicesMode = BridgeMatesMode = true;
  platform::MemoryRegistry registry;
  registry.createKey(platform::kBridgeMatesSettingsKey);
  writeBytes(dataDir() + "abc.bws", readBytes(testing_support::BuiltBwsTemplate()));
  talk.answer(1).answer(1);  // the tournament, then the warning
  ResumeTournamentClick();
  EXPECT_TRUE(talk.choices.last().text.contains("plantage du PC, du programme ou de \"BMPro\".\r\n"));
  EXPECT_EQ(BwsFileName, dataDir() + "ABC.BWS");
  EXPECT_EQ(processes.events.filter("start:").size(), 1);
  EXPECT_TRUE(calls.contains("timer 1000"));
}

// Every result in: nothing to restart and nothing to ask; the devices stay
// on, so that the quit stops their servers.
TEST_F(StartScreenTest, AFinishedBridgeMatesTournamentWithoutItsDatabaseKeepsItsDevices) {
  platform::FakeProcesses processes;
  bridgeMatesTournamentOfToday(4);
  ResumeTournamentClick();
  EXPECT_TRUE(talk.messages.filter("Pas trouvé le fichier").isEmpty());
  EXPECT_TRUE(talk.choices.isEmpty());
  EXPECT_TRUE(TableDevicesMode && BridgeMatesMode);
  EXPECT_TRUE(processes.events.filter("start:").isEmpty());
  EXPECT_FALSE(calls.contains("timer 1000"));
  EXPECT_EQ(calls.last(), "menu");
}

TEST_F(StartScreenTest, FederationTournamentCodeIsTheHourAndExistingFilesAreKeptUnlessConfirmed) {
  recordServices();
  InitGlobals();  // clock fixed at 2026-12-07 20:00
  federationSession();
  EXPECT_EQ(FederationTournamentCode(), "2026120720");
  writeBytes(dataDir() + "2026120720.PAI", "1 0 0 x£A£B\r\n");
  writeBytes(dataDir() + "2026120720.var", "0\r\n");

  talk.answer(7);
  FederationTournamentClick();
  EXPECT_EQ(talk.choices.size(), 1);
  EXPECT_EQ(talk.choices[0].form, "TForm91");
  EXPECT_TRUE(talk.choices[0].text.contains("2026120720"));
  EXPECT_TRUE(QFile::exists(dataDir() + "2026120720.PAI"));
  EXPECT_TRUE(TournamentCode.isEmpty());  // nothing is saved over them
  EXPECT_EQ(calls.last(), "show");

  calls.clear();
  talk.answer(6);
  FederationTournamentClick();
  EXPECT_FALSE(QFile::exists(dataDir() + "2026120720.PAI") || QFile::exists(dataDir() + "2026120720.var"));
  EXPECT_EQ(TournamentCode, "2026120720");
  EXPECT_EQ(calls, QStringList({"hide", "summary"}));
  EXPECT_EQ(summary.code, "2026120720");
  EXPECT_EQ(summary.movement, "Mitchell standard");

  calls.clear();
  FederationTournamentClick();  // no file of the code: no question
  EXPECT_EQ(talk.choices.size(), 2);
}

TEST_F(StartScreenTest, FederationSummaryDescribesTheMovementAndTheBye) {
  PairCount = 13;
  TableCount = ResultsPerBoard = 7;
  MitchellType = 2;
  FederationMovementKind = 3;
  ByePresent = true;
  ByePairNumber = 9;
  FederationSummary f = BuildFederationSummary();
  EXPECT_EQ(f.movement, "Mitchell-Relais=Guéridon *RecEO*");
  EXPECT_EQ(f.pairs, "13");
  EXPECT_EQ(f.tables, "7");
  EXPECT_EQ(f.bye, "E/W 2");
  EXPECT_EQ(f.pairsNote, "<- A introduire sur les tablettes");

  MitchellType = 1;
  FederationMovementKind = 4;
  ByePairNumber = 3;
  PairsEntered = true;
  f = BuildFederationSummary();
  EXPECT_EQ(f.movement, "Skip-Mitchell *NoRec*");
  EXPECT_EQ(f.bye, "N/S 3");
  EXPECT_EQ(f.pairsNote, "<- Déjà introduites dans FFBClubNet");

  IsHowell = true;
  FederationMovementKind = 0;
  f = BuildFederationSummary();
  EXPECT_EQ(f.movement, "Howell");
  EXPECT_EQ(f.bye, "3");

  HerediaMovement = 1;
  TableCount = 5;
  FederationMovementKind = 1;
  f = BuildFederationSummary();
  EXPECT_EQ(f.movement, "Hérédia");
  EXPECT_EQ(f.tables, "5 (au début)");
  IsPatton = true;
  ByePresent = false;
  f = BuildFederationSummary();
  EXPECT_EQ(f.movement, "Patton");
  EXPECT_EQ(f.bye, "NON");
}

TEST_F(StartScreenTest, EscapedErrorsNameTheirFileAndSayTheOperationWasNotDone) {
  const QString file = dataDir() + "ABC.PAI";
  EXPECT_EQ(EscapedErrorMessage(platform::IoError(EBUSY, file, "occupé")),
            "Le fichier \"" + file + "\" est verrouillé. L'opération n'a pas été faite.");
  EXPECT_EQ(EscapedErrorMessage(platform::IoError(EEXIST, file, "")),
            "Le fichier \"" + file + "\" existe déjà. L'opération n'a pas été faite.");
  EXPECT_EQ(EscapedErrorMessage(platform::IoError(platform::FileFault::BadNumber, file, "12a")),
            "Erreur 106 : valeur numérique incorrecte dans un fichier.\r\nFichier : " + file +
                "\r\nCause probable : une ligne vide, du texte, ou une virgule/point incorrect là où Talvaron attend un "
                "nombre.\r\nMessage : 12a");
  // A system code of the same number is a system error like any other.
  EXPECT_EQ(EscapedErrorMessage(platform::IoError(106, file, "x")),
            "Erreur I/O n°106\r\nFichier : " + file + "\r\nMessage : x");
  EXPECT_EQ(EscapedErrorMessage(platform::IoError(ENOSPC, file, "disque plein")),
            QStringLiteral("Erreur I/O n°%1\r\nFichier : ").arg(ENOSPC) + file + "\r\nMessage : disque plein");
  EXPECT_EQ(EscapedErrorMessage(std::out_of_range("index 43")), "index 43");

  ReportEscapedError(std::make_exception_ptr(platform::IoError(EBUSY, file, "")));
  EXPECT_EQ(talk.events, QStringList({"system: Le fichier \"" + file + "\" est verrouillé. L'opération n'a pas été faite."}));
  EXPECT_THROW(ReportEscapedError(std::make_exception_ptr(FatalStopError())), FatalStopError);
}

TEST_F(StartScreenTest, AReadOnlyProgramFolderIsReportedAndTheCreationGoesOn) {
  writeBytes(programDir() + "FFB.TXT", "");
  {
    ReadOnlyFolder readOnly(tmp_.path(), programDir());
    StartScreenCreate(view);
    StartScreenShow(view);
  }
  // Every step ran: folders, players file, tournament kind.
  EXPECT_EQ(DataFolder, programDir() + "Resultats/");
  EXPECT_EQ(DocumentsFolder, documentsDir());
  EXPECT_EQ(DiagramFolder, DataFolder);
  EXPECT_EQ(PbnOption, 1);
  EXPECT_EQ(PlayersFileName, "JOUEURS.TXT");
  EXPECT_TRUE(FederationMode && view.federationButtonVisible);
  // Each file that could not be written is named once.
  for (const char* file : {"PATH.TXT", "OPTIONPBN.TXT", "NOMPBN.TXT"})
    EXPECT_EQ(talk.messages.filter(QString::fromLatin1(file)).size(), 1) << file << qPrintable(talk.messages.join("|"));
}

TEST_F(StartScreenTest, AReadOnlyProgramFolderWithoutPlayersFileEndsTheProgram) {
  QFile::remove(programDir() + "JOUEURS.TXT");
  bool stopped = false;
  {
    ReadOnlyFolder readOnly(tmp_.path(), programDir());
    try {
      StartScreenCreate(view);
    } catch (const FatalStopError&) {
      stopped = true;
    }
  }
  EXPECT_TRUE(stopped);
  ASSERT_FALSE(talk.messages.isEmpty());
  EXPECT_TRUE(talk.messages.first().contains("PATH.TXT"));
  EXPECT_TRUE(talk.messages.last().startsWith("Attention! Un des fichiers de joueurs"));
}

TEST_F(StartScreenTest, TheTournamentGroupAlwaysShowsTheModeInForce) {
  writeBytes(programDir() + "QUILLMARKE.TXT", "Tablettes\r\n");
  writeBytes(programDir() + "FFB.TXT", "");
  StartScreenCreate(view);
  StartScreenShow(view);
  ASSERT_TRUE(FederationMode);
  BridgeBoxClick(view, false);
  EXPECT_EQ(view.radioGroup1Item, 1);
  BridgeBoxClick(view, true);
  EXPECT_EQ(view.radioGroup1Item, 1);
  EXPECT_TRUE(FederationMode && exists("FFB.TXT"));

  // In club mode the federation is off, marker included.
  writeBytes(programDir() + "BRALMET.TXT", "");
  StartScreenView club;
  StartScreenCreate(club);
  StartScreenShow(club);
  EXPECT_EQ(club.radioGroup1Item, 0);
  EXPECT_FALSE(FederationMode || exists("FFB.TXT") || club.federationButtonVisible);
  EXPECT_TRUE(club.newButtonVisible);
}

namespace {

// Another copy's lock on a file: "flock" holds it until released, the file
// says that copy's process and since when, as a lock file does.
class OtherCopysLock {
 public:
  explicit OtherCopysLock(const QString& file) : file_(file) {
    writeBytes(file, "");
    // "cat" ends, and "flock" with it, when its input is closed.
    holder_.start("flock", {"--exclusive", file, "cat"});
    holder_.waitForStarted(5000);
    writeBytes(file, QByteArray::number(holder_.processId()) + "\r\n2026-12-07T19:30:00\r\n");
    testing_support::WaitUntil([&file] { return testing_support::FileLocked(file); }, 5000);
  }
  ~OtherCopysLock() { release(); }
  void release() {
    holder_.closeWriteChannel();
    if (!holder_.waitForFinished(5000)) holder_.kill();
  }
  qint64 pid() const { return holder_.processId(); }

 private:
  QString file_;
  QProcess holder_;
};

}  // namespace

TEST_F(StartScreenTest, OneDeviceEveningPerExchangeFolder) {
  recordServices();
  const QString exchange = documentsDir() + "/Quillmarke";
  const QString lock = exchange + "/TABLETTES.LCK";
  // The other copy's evening is under way: a result waits at table 1.
  writeBytes(exchange + "/Serie1/Table1/REST1.TXT", "1 1 0 1 1 1 1 N 4PN=\r\n");
  OtherCopysLock other(lock);
  ASSERT_TRUE(testing_support::FileLocked(lock));
  const QString said = "Une soirée avec tablettes ou BridgeMates tourne déjà sur le dossier d'échange " + exchange +
                       " depuis le 07/12/2026 à 19:30:00 (processus " + QString::number(other.pid()) +
                       "). Deux soirées sur le même dossier d'échange se prendraient leurs résultats: celle-ci ne "
                       "démarre pas. Terminez l'autre Talvaron, ou jouez ce tournoi sans appareils.";

  // A new tablets tournament: told, and nothing started.
  TableDevicesMode = TabletsMode = true;
  NewTournamentClick();
  EXPECT_EQ(talk.messages, QStringList({said}));
  EXPECT_TRUE(calls.isEmpty());
  // A today's tablets tournament resumed: told, back to the start screen,
  // no server started.
  platform::FakeProcesses processes;
  talk.messages.clear();
  resumedTournament(true, 1);
  ResumeTournamentClick();
  EXPECT_EQ(talk.messages, QStringList({said}));
  EXPECT_EQ(calls, QStringList({"hide", "show"}));
  EXPECT_TRUE(processes.events.filter(QRegularExpression("^(start|child|stop)")).isEmpty());
  EXPECT_TRUE(TablesServerAddress().isEmpty());
  // The other evening's folder is as it was.
  EXPECT_EQ(readBytes(exchange + "/Serie1/Table1/REST1.TXT"), "1 1 0 1 1 1 1 N 4PN=\r\n");

  // Without devices, a tournament is no device evening: nothing to refuse.
  calls.clear();
  talk.messages.clear();
  TableDevicesMode = TabletsMode = false;
  NewTournamentClick();
  EXPECT_TRUE(talk.messages.isEmpty());
  EXPECT_EQ(calls, QStringList({"hide", "parameters"}));

  // The other copy gone, this one takes the folder, and keeps it while its
  // evening empties the folder.
  other.release();
  calls.clear();
  TableDevicesMode = TabletsMode = true;
  NewTournamentClick();
  EXPECT_TRUE(talk.messages.isEmpty());
  EXPECT_EQ(calls, QStringList({"hide", "parameters"}));
  EXPECT_TRUE(testing_support::FileLocked(lock));
  ClearTabletFolder();
  EXPECT_FALSE(QFile::exists(exchange + "/Serie1"));
  EXPECT_TRUE(testing_support::FileLocked(lock));
  EXPECT_TRUE(readBytes(lock).startsWith(QByteArray::number(QCoreApplication::applicationPid()) + "\r\n"));
}
