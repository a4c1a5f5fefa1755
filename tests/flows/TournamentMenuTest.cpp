#include "core/Flows.h"
#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "devices/TabletFiles.h"
#include "flows/TournamentMenu.h"
#include "platform/Process.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

#include <QFile>

using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

class TournamentMenuTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    menuView() = TournamentMenuView{};
    TournamentCode = "T1";
    TableDevicesMode = BridgeMatesMode = true;
  }
  void TearDown() override {
    menuView() = TournamentMenuView{};
    flowWindows() = FlowWindows{};
    TalvaronTest::TearDown();
  }
  ui::ScriptedInteraction talk;
};

TEST_F(TournamentMenuTest, DevicesModeLineIsSetOrAdded) {
  writeBytes(dataDir() + "T1.DAT", "07/12/2026\r\nLundi\r\n1 2 2 TypeTournoi\r\nextra");
  SetDevicesModeInDat();
  EXPECT_EQ(readBytes(dataDir() + "T1.DAT"), "07/12/2026\r\nLundi\r\n3 2 2 TypeTournoi");

  writeBytes(dataDir() + "T1.DAT", "07/12/2026\r\nLundi");
  TabletsInUse = true;
  SetDevicesModeInDat();
  EXPECT_TRUE(readBytes(dataDir() + "T1.DAT").startsWith("07/12/2026\r\nLundi\r\n3 2 2 TypeTournoi"));
}

TEST_F(TournamentMenuTest, AddingTabletsStartsTheServerOnceOrStopsOnFailure) {
  writeBytes(dataDir() + "T1.DAT", "07/12/2026\r\nLundi\r\n1 2 2 x");
  platform::FakeProcesses processes;
  writeBytes(programDir() + "PCQuillmarkeServer.EXE", "MZ");
  processes.running << "PCQuillmarkeServer.EXE";
  menuView().addTabletsVisible = true;
  SetTabletFolders();
  AddTabletsClick();
  ASSERT_GE(processes.events.size(), 3);
  EXPECT_EQ(processes.events[1], "stop: PCQuillmarkeServer.EXE");
  EXPECT_EQ(processes.events[2].trimmed(), "start: " + programDir() + "PCQuillmarkeServer.EXE");
  // The tables' pages are served to the tablets added, by this copy's own server.
  const QString tables = "child: " + programDir() + "talvaron-tables --exchange " + documentsDir() +
                         "/Quillmarke --program " + programDir() + " --port 8080";
  EXPECT_EQ(processes.events.last().toStdString(), tables.toStdString());
  EXPECT_TRUE(TabletsInUse);
  EXPECT_FALSE(menuView().addTabletsVisible);
  EXPECT_EQ(menuView().deviceText, "Bridgemates + tablettes");
  EXPECT_TRUE(readBytes(dataDir() + "T1.DAT").endsWith("\r\n3 2 2 x"));

  // Without the Windows tablet server, the tables' server alone.
  QFile::remove(programDir() + "PCQuillmarkeServer.EXE");
  processes.events.clear();
  AddTabletsClick();
  EXPECT_EQ(processes.events, QStringList({"stop child: " + programDir() + "talvaron-tables", tables}));
  EXPECT_TRUE(talk.messages.isEmpty());

  writeBytes(programDir() + "PCQuillmarkeServer.EXE", "MZ");
  processes.startResults.insert("PCQUILLMARKESERVER.EXE", platform::kStartNotFound);
  EXPECT_THROW(AddTabletsClick(), FatalStopError);
  EXPECT_EQ(talk.messages.last(), "Pas trouvé PCQuillmarkeServer.EXE. Impossible de continuer!");
  processes.startResults.insert("PCQUILLMARKESERVER.EXE", 11);
  EXPECT_THROW(AddTabletsClick(), FatalStopError);
  EXPECT_EQ(talk.messages.last(), "Erreur 11 au lancement de PCQuillmarkeServer.EXE. Impossible de continuer!");
}

TEST_F(TournamentMenuTest, ShowSetsTheButtonsOfTheMode) {
  IsPatton = true;
  ResumingTournament = false;
  TournamentMenuShow();
  const TournamentMenuView& v = menuView();
  EXPECT_TRUE(v.pattonDisabled);
  EXPECT_TRUE(v.addTabletsVisible);
  EXPECT_FALSE(v.pauseVisible);
  EXPECT_EQ(v.deviceText, "Récupérés des Bridgemates");
  EXPECT_EQ(v.caption, "Talvaron T1");

  TableDevicesMode = BridgeMatesMode = false;
  ResumingTournament = true;
  writeBytes(programDir() + "StartStop.TXT", "");
  TournamentMenuShow();
  EXPECT_FALSE(v.addTabletsVisible || v.pauseVisible || v.editVisible);
  EXPECT_EQ(v.deviceText, "Ni tablettes, ni BridgeMates...");
  EXPECT_TRUE(v.deviceTextGreyed);
}

TEST_F(TournamentMenuTest, FeaturesNotYetThereSayItWithoutComputing) {
  PairNamesClick();
  TableSheetsClick();
  SeveralSessionsClick();
  EXPECT_EQ(talk.messages,
            QStringList({"Désolé, la fonction \"Voir/Modifier/Imprimer les noms des paires\" n'est pas encore "
                         "disponible dans cette version du programme.",
                         "Cette fonction n'a de sens que pour la version standard (sans tablettes ni BridgeMates).",
                         "Cette fonction n'a pas programmée pour la version avec BridgeMates."}));
}

// "Calcul des résultats" pressed first: the frequencies are computed before
// the ranking, so the session file the cumulation reads holds the real scores.
// Three tables, one board: N/S scores 420, 400 and -50.
TEST_F(TournamentMenuTest, ResultsPressedBeforeTheFrequenciesRankTheRealScores) {
  TableDevicesMode = BridgeMatesMode = false;
  MitchellNumbering = true;
  TableCount = ResultsPerBoard = 3;
  PairCount = PairSlotCount = 6;
  BoardCount = DealCount = BoardsPerTable = 1;
  RoundCount = RoundsScheduled = RoundsPlayed = 1;
  ResultSlotCount = 3;
  const int scores[] = {420, 400, -50};
  for (int t = 1; t <= 3; ++t) {
    PairNumbers[t] = t;
    PairNumbers[3 + t] = -t;
    Player1Names[t] = QStringLiteral("N%1").arg(t), Player2Names[t] = QStringLiteral("S%1").arg(t);
    Player1Names[3 + t] = QStringLiteral("E%1").arg(t), Player2Names[3 + t] = QStringLiteral("W%1").arg(t);
    PairLabels[t] = Player1Names[t] + " - " + Player2Names[t];
    PairLabels[3 + t] = Player1Names[3 + t] + " - " + Player2Names[3 + t];
    TestSlots().nsPair[t] = t, TestSlots().ewPair[t] = 3 + t, TestSlots().table[t] = t, TestSlots().board[t] = 1, TestSlots().round[t] = 1;
    TestSlots().score[t] = scores[t - 1];
    TestSlots().contract[t] = QString::number(scores[t - 1]);
  }
  FrequenciesComputed = false;
  ResultsClick();
  const QByteArray session = readBytes(dataDir() + "T1.SEA");
  EXPECT_TRUE(session.contains("0 100.0000 0 0 N1/S1\r\n")) << session.constData();
  EXPECT_TRUE(session.contains("0  50.0000 0 0 N2/S2\r\n"));
  EXPECT_TRUE(session.contains("0   0.0000 0 0 N3/S3\r\n"));
  EXPECT_TRUE(session.contains("0 100.0000 0 0 E3/W3\r\n"));
  EXPECT_TRUE(talk.messages.isEmpty()) << talk.messages.join("|").toStdString();

  // A missing result the director does not want to go on with: no ranking,
  // no session file, and the warning.
  QFile::remove(dataDir() + "T1.SEA");
  TestSlots().score[3] = kScoreNone;
  talk.answer(1);  // "Non"
  ResultsClick();
  EXPECT_FALSE(QFile::exists(dataDir() + "T1.SEA"));
  EXPECT_EQ(talk.messages, QStringList({"Attention! Les résultats du tournoi ne sont certainement pas corrects..."}));
}

}  // namespace
