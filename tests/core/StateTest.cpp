#include "core/Flows.h"
#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/ResultsFolder.h"
#include "core/SafeFiles.h"
#include "core/ScriptedInteraction.h"
#include "core/State.h"
#include "core/Texts.h"
#include "platform/Clock.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

using testing_support::readBytes;
using testing_support::writeBytes;

class StateTest : public testing_support::TalvaronTest {};

TEST_F(StateTest, StartUpOnASundayNamesTheDayAndNumbersItOne) {
  platform::setFixedNow(QDateTime(QDate(2026, 12, 6), QTime(9, 5, 7)));  // a Sunday
  InitGlobals();
  EXPECT_EQ(TournamentTitle, "Dimanche");
  EXPECT_EQ(StartDayOfWeek, 1);
  EXPECT_EQ(DateDay, "06");
  EXPECT_EQ(DateMonth, "12");
  EXPECT_EQ(DateYear, "2026");
  EXPECT_EQ(DateShortText, "061226");
  EXPECT_EQ(TimeText, "090507");
  platform::setFixedNow(QDateTime(QDate(2026, 12, 12), QTime(9, 0)));
  SetDateGlobals();
  EXPECT_EQ(TournamentTitle, "Samedi");
  EXPECT_EQ(StartDayOfWeek, 7);
}

TEST_F(StateTest, StartUpSetsFoldersSuitsAndClubMode) {
  writeBytes(programDir() + "bralmet.txt", "");
  DealDiagrams[64] = "x";
  InitGlobals();
  EXPECT_EQ(ProgramFolder, programDir());
  EXPECT_TRUE(ClubMode);
  EXPECT_EQ(DataFolder, programDir() + "Resultats/");
  EXPECT_EQ(readBytes(programDir() + "PATH.TXT"), (programDir() + "Resultats/").toUtf8());
  EXPECT_EQ(DocumentsFolder, documentsDir());
  EXPECT_EQ(PrintFile, documentsDir() + "/TEMP.TXT");
  EXPECT_EQ(QString(SuitLetters[1]) + SuitLetters[2] + SuitLetters[3] + SuitLetters[4], "PCKT");
  EXPECT_TRUE(DealDiagrams[64].isEmpty());
  EXPECT_EQ(OleDbProviderSuffix, "OLEDB.4.0");
}

TEST_F(StateTest, VersionIsYearSince2019ThenTheExecutablesMonthAndDay) {
  EXPECT_EQ(BuildVersionString(QDate(2024, 3, 9), 2026), "7.3.9");
  EXPECT_EQ(BuildVersionString(QDate(2026, 11, 30), 2027), "8.11.30");
}

TEST_F(StateTest, ResultsFolderFallsBackToResultatsWhenThePathIsGone) {
  writeBytes(programDir() + "PATH.TXT", "/nulle/part/ici/\r\n");
  LoadResultsFolder();
  EXPECT_EQ(DataFolder, programDir() + "Resultats/");
  EXPECT_TRUE(QDir(DataFolder).exists());
  EXPECT_EQ(readBytes(programDir() + "PATH.TXT"), DataFolder.toUtf8());

  const QString other = tmp_.path() + "/Tournois";
  QDir().mkpath(other);
  writeBytes(programDir() + "PATH.TXT", other.toUtf8());
  LoadResultsFolder();
  EXPECT_EQ(DataFolder, other + "/");  // a trailing separator is added
}

// Without its lock file the run would be unprotected: the program says so
// and ends before it writes anything.
TEST_F(StateTest, AResultsFolderWhoseLockFileCannotBeOpenedStopsTheStart) {
  ui::ScriptedInteraction talk;
  const QString other = tmp_.path() + "/Tournois/";
  QDir().mkpath(other);
  ASSERT_TRUE(QFile::link(tmp_.path() + "/ailleurs", other + kResultsFolderLockFile));
  writeBytes(programDir() + "PATH.TXT", other.toUtf8());
  EXPECT_THROW(LoadResultsFolder(), FatalStopError);
  ASSERT_EQ(talk.messages.size(), 1);
  EXPECT_EQ(talk.messages[0], QStringLiteral("Erreur %1: Talvaron ne peut pas ouvrir le fichier de verrouillage ").arg(ELOOP) +
                                  other + "TALVARON.LCK. Sans lui, une autre copie du programme pourrait travailler sur "
                                          "les mêmes fichiers et perdre des résultats: celui-ci s'arrête sans rien écrire.");
  EXPECT_EQ(readBytes(programDir() + "PATH.TXT"), other.toUtf8());  // not rewritten
  EXPECT_FALSE(QFileInfo::exists(tmp_.path() + "/ailleurs"));
}

TEST_F(StateTest, ClearingResultsLeavesEmptySlotsWithUnknownLeadAndDeclarer) {
  for (int s : {1, 700, 1344}) {
    TestSlots().nsPair[s] = 3;
    TestSlots().score[s] = 420;
    TestSlots().lead[s] = "AP";
    TestSlots().declarer[s] = "N";
    TestSlots().contract[s] = "4PN=";
    TestSlots().nsPercent[s] = 62.5;
  }
  PairFinalScore[42] = 55.5;
  RankingOrder[1] = 7;
  LastSheetRound = 4;
  ClearAllResults();
  for (int s = 1; s <= kMaxResultSlots; ++s) {
    ASSERT_EQ(ResultLead[s], "?");
    ASSERT_EQ(ResultDeclarer[s], "?");
    ASSERT_EQ(ResultScore[s], 0);
    ASSERT_EQ(ResultNsPair[s], 0);
    ASSERT_TRUE(ResultContract[s].isEmpty());
    ASSERT_EQ(ResultNsPercent[s], 0.0);
  }
  EXPECT_EQ(PairFinalScore[42], 0.0);
  EXPECT_EQ(RankingOrder[1], 0);
  EXPECT_EQ(LastSheetRound, 0);
}

TEST_F(StateTest, ClearingPairSlotsKeepsThePairCount) {
  PairCount = 12;
  PairNumbers[42] = -21;
  PairLabels[1] = "A - B";
  Player1Licences[1] = "123";
  CumulativeTotals = true;
  ClearPairSlots();
  EXPECT_EQ(PairNumbers[42], 0);
  EXPECT_TRUE(PairLabels[1].isEmpty());
  EXPECT_TRUE(Player1Licences[1].isEmpty());
  EXPECT_FALSE(CumulativeTotals);
  EXPECT_EQ(PairCount, 12);
}

TEST_F(StateTest, MitchellEastWestRenumberingIsIdempotent) {
  ResultsPerBoard = 7;
  BoardCount = 2;
  for (int s = 1; s <= 14; ++s) TestSlots().ewPair[s] = (s - 1) % 7 + 1;
  TestSlots().ewPair[5] = 0;       // no table there
  TestSlots().ewPair[15] = 3;      // beyond the boards in play
  RenumberMitchellEastWest();
  EXPECT_EQ(ResultEwPair[1], 8);
  EXPECT_EQ(ResultEwPair[7], 14);
  EXPECT_EQ(ResultEwPair[14], 14);
  EXPECT_EQ(ResultEwPair[5], 0);
  EXPECT_EQ(ResultEwPair[15], 3);
  RenumberMitchellEastWest();
  EXPECT_EQ(ResultEwPair[1], 8);
  EXPECT_EQ(ResultEwPair[13], 13);
}

TEST_F(StateTest, SmallHelpers) {
  EXPECT_EQ(PadRight("DUPONT", 3), "DUPONT");
  EXPECT_EQ(PadRight("AB", 5), "AB   ");
  EXPECT_EQ(MaxInteger(-3, -7), -3);
  EXPECT_EQ(SignOf(-420), -1);
  EXPECT_EQ(SignOf(0), 0);
  EXPECT_EQ(SignOf(50), 1);
  QString docs;
  EXPECT_TRUE(GetSpecialFolder(5, docs));
  EXPECT_EQ(docs, documentsDir());
  EXPECT_FALSE(GetSpecialFolder(26, docs));
}

TEST_F(StateTest, SafeRewriteReportsTheCodeAndTheRealFileName) {
  writeBytes(dataDir() + "bloque", "");  // not a folder: nothing can be written under it
  const QString name = dataDir() + "bloque/ABC.VAR";
  TextFile f;
  try {
    SafeRewrite(f, name);
    FAIL() << "no error";
  } catch (const platform::IoError& e) {
    EXPECT_EQ(e.message(), QStringLiteral("Erreur I/O 20 à l'ouverture en écriture du fichier (rewrite) : ") + name +
                               QStringLiteral("\r\nDites-le à Teo VARNAL..."));
    EXPECT_EQ(e.fileName(), name);
  }
  try {
    SafeAppend(f, name);
    FAIL() << "no error";
  } catch (const platform::IoError& e) {
    EXPECT_TRUE(e.message().contains("(append) : " + name));
  }
}

TEST_F(StateTest, SafeRewriteReplacesTheFileAtClose) {
  writeBytes(dataDir() + "ABC.DAT", "old");
  TextFile f;
  SafeRewrite(f, dataDir() + "ABC.DAT");
  f.writeLine("07/12/2026");
  f.write("Lundi");
  EXPECT_EQ(readBytes(dataDir() + "ABC.DAT"), "old");
  CloseTextFile(f);
  EXPECT_EQ(readBytes(dataDir() + "ABC.DAT"), "07/12/2026\r\nLundi");
}

TEST_F(StateTest, AlertsBeepBeforeTheMessageAndFatalStopThrowsInTests) {
  ui::ScriptedInteraction ui;
  ShowAlertWithBeeps(2, "Attention");
  EXPECT_EQ(ui.beepsBefore("Attention"), 3);
  EXPECT_EQ(ui.pausedMs, 200);
  ShowAlertWithBeeps(0, "Un bip");
  EXPECT_EQ(ui.beepsBefore("Un bip"), 1);
  ShowMessageWindow("Sans bip");
  EXPECT_EQ(ui.beepsBefore("Sans bip"), 0);

  bool stopped = false;
  flowSteps().stopCompanions = [&] { stopped = true; };
  EXPECT_THROW(FatalStop("Pas trouvé le fichier X.VAR"), FatalStopError);
  flowSteps().stopCompanions = nullptr;
  EXPECT_TRUE(stopped);
  EXPECT_EQ(ui.messages.last(), "Pas trouvé le fichier X.VAR");
}

TEST_F(StateTest, ScriptedAnswersAndTheSharedAnswer) {
  ui::ScriptedInteraction ui;
  ui.answer(7).answer(2);
  EXPECT_EQ(ui::AskYesNo("Voulez-vous vraiment effacer les paires N/S?"), 7);
  EXPECT_EQ(ChoiceResult, 7);
  ui::Choice c;
  c.text = "Que faire ?";
  c.buttons = {"Un", "Deux"};
  EXPECT_EQ(ui::Ask(c), 2);
  EXPECT_EQ(ChoiceResult, 2);
  EXPECT_THROW(ui::Ask(c), std::logic_error);  // a question the test did not expect
  EXPECT_EQ(ChoiceResult, 0);                  // never the previous answer
}

TEST(OneBasedArray, OutOfRangeIndexThrowsInsteadOfWriting) {
  OneBased<int, 42> a;
  a[42] = 1;
  EXPECT_THROW(a[43] = 1, std::out_of_range);
  EXPECT_THROW((void)a[-1], std::out_of_range);
  EXPECT_TRUE((OneBased<int, 42>::inRange(1)));
  EXPECT_FALSE((OneBased<int, 42>::inRange(0)));
}
