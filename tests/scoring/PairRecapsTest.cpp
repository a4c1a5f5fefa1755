#include "core/Flows.h"
#include "core/ScriptedInteraction.h"
#include "platform/Process.h"
#include "platform/TextFiles.h"
#include "scoring/PairRecaps.h"

#include <QDir>
#include <QElapsedTimer>

#include <sys/stat.h>

#include "ScoringFixture.h"
#include "support/TestSlots.h"

using testing_support::readBytes;

namespace {

class PairRecapsTest : public ScoringTest {
 protected:
  // Three tables, four boards, two boards a round. N/S pair 1 meets E/W
  // pair 4 in round 1 (a 420 and an average) and E/W pair 5 in round 2 (a
  // -100 and a swapped 110).
  void SetUp() override {
    ScoringTest::SetUp();
    layOut(3, 4, 2);
    const char* names[][2] = {{"DUPONT Jean", "MARTIN Paul"}, {"LEROY Anne", "ROUX Marc"}, {"BLANC Luc", "NOIR Eva"},
                              {"MOREAU Guy", "FAURE Ida"},    {"GIRARD Zoé", "MERCIER Max"}, {"PETIT Léa", "GRAND Tom"}};
    for (int s = 1; s <= 6; ++s) {
      Player1Names[s] = QString::fromUtf8(names[s - 1][0]);
      Player2Names[s] = QString::fromUtf8(names[s - 1][1]);
      PairLabels[s] = Player1Names[s] + " - " + Player2Names[s];
    }
    PairFinalScore[1] = 55;
    PairFinalScore[4] = 60;
    PairFinalScore[5] = 45.5;
    set(slot(1, 1), 420, "4PS=", 75, 25);
    set(slot(2, 1), kScoreAverage, "MOY.", 0, 0);
    set(slot(3, 1), -100, "3SN-1", 12.5, 87.5);
    set(slot(4, 1), 110, "2CS=", 50.5, 49.5);
    TestSlots().swapped[slot(4, 1)] = 1;
  }
  static void set(int s, int score, const char* contract, double ns, double ew) {
    TestSlots().score[s] = score;
    TestSlots().contract[s] = QString::fromLatin1(contract);
    TestSlots().nsPercent[s] = ns;
    TestSlots().ewPercent[s] = ew;
  }
};

TEST_F(PairRecapsTest, ScreenRecapWithRoundAveragesAndOpponents) {
  const QStringList lines = ScreenRecapLines(1, false);
  const QStringList expected = {
      "Paire N1 : DUPONT Jean-MARTIN Paul                >>>> Tournoi: 55.0%",
      "",
      "Donne  N/S E/W Adversaire                    Con- Score    %     %   Moyenne",
      "                          Résultat tournoi   trat   N/S   N/S   E/W  Table",
      QString(75, QLatin1Char('-')),
      "",
      "  1    1   1   MOREAU Guy-FAURE Ida        4PS=     420   75.0  25.0      ",
      // The average counts the pair's own tournament score: (75 + 55) / 2.
      "  2    1   1   ( 60.0% )                   MOY.     Moyenne tournoi    65.0",
      "  3    1   2   GIRARD Zoé-MERCIER Max      3SN-1   -100   12.5  87.5      ",
      "  4    1  *2  *( 45.5% )                   2CS=     110   50.5  49.5   31.5"};
  EXPECT_EQ(Joined(lines), Joined(expected));
  EXPECT_FALSE(PairHasNoResult(1));
  EXPECT_TRUE(ScreenRecapLines(1, true).first().startsWith("Paire N1 : DUPONT Jean=MARTIN Paul "));

  // A round whose first board is missing still starts a round of its own.
  TestSlots().score[slot(3, 1)] = kScoreNone;
  const QStringList partial = ScreenRecapLines(1, false);
  ASSERT_EQ(partial.size(), 9);
  EXPECT_EQ(partial[8].mid(15, 27).trimmed(), "GIRARD Zoé-MERCIER Max");
  EXPECT_EQ(partial[8].mid(68).trimmed(), "50.5");

  // Rounds after the rounds played are not listed.
  RoundsPlayed = 1;
  EXPECT_EQ(ScreenRecapLines(1, false).size(), 8);
}

TEST_F(PairRecapsTest, WithoutContractsTheOpponentColumnIsWider) {
  for (int b = 1; b <= 4; ++b) TestSlots().contract[slot(b, 1)].clear();
  EXPECT_TRUE(PairHasNoResult(1));
  const QStringList lines = ScreenRecapLines(1, false);
  EXPECT_FALSE(lines[2].contains("Con-"));
  EXPECT_EQ(lines[3].indexOf("Résultat tournoi"), 33);
  EXPECT_EQ(lines[6], "  1    1   1   MOREAU Guy-FAURE Ida                 420   75.0  25.0      ");
  EXPECT_FALSE(PrintRecapLines(1)[4].contains("Con-"));
}

TEST_F(PairRecapsTest, OneBoardPerRoundShowsEachOpponent) {
  layOut(3, 3, 1);
  for (int b = 1; b <= 3; ++b) set(slot(b, 1), 100, "2PN=", 50, 50);
  const QStringList lines = ScreenRecapLines(1, false);
  ASSERT_EQ(lines.size(), 9);
  EXPECT_TRUE(lines[6].contains("MOREAU Guy-FAURE Ida"));
  EXPECT_TRUE(lines[7].contains("GIRARD Zoé-MERCIER Max"));
  for (int i = 6; i <= 8; ++i) EXPECT_EQ(lines[i].mid(68).trimmed(), "50.0") << i;
}

TEST_F(PairRecapsTest, MailingWritesItsFilesAndStartsTheMailProgram) {
  platform::FakeProcesses processes;
  processes.running << "POSTIVANE.exe";
  TableDevicesMode = true;
  TabletSharedFolder = documentsDir() + "/Quillmarke";
  testing_support::writeBytes(TabletSharedFolder + "/RESULTS.TXT", "$$Résultats N/S:\r\n");
  MailPairRecaps();
  EXPECT_EQ(readBytes(rootDir() + "RESULTS.TXT"), "$$Résultats N/S:\r\n");  // the tablets' copy at the root
  EXPECT_FALSE(QFile::exists(rootDir() + "RESULTSF.TXT"));
  EXPECT_TRUE(QFile::exists(ResultsFTextFile));
  EXPECT_TRUE(QFile::exists(ResultsTextFile));
  EXPECT_EQ(readBytes(documentsDir() + "/FromTalvaron.TXT"), "Mitchell\r\nTEST1\r\n");
  const QString mail = QString::fromLatin1(readBytes(documentsDir() + "/RECAPMAIL.TXT"));
  EXPECT_EQ(mail.count("Paire "), 6);
  EXPECT_TRUE(mail.contains("DUPONT Jean=MARTIN Paul"));
  EXPECT_EQ(processes.events.filter("stop:").size(), 1);
  EXPECT_TRUE(processes.events.last().startsWith("start: " + programDir() + "Postivane.EXE"));

  // A Howell writes the merged file only; a missing program is reported.
  QFile::remove(ResultsTextFile);
  IsHowell = true;
  MitchellNumbering = false;
  processes.startResults["POSTIVANE.EXE"] = 2;
  ui::ScriptedInteraction talk;
  MailPairRecaps();
  EXPECT_FALSE(QFile::exists(ResultsTextFile));
  EXPECT_EQ(readBytes(documentsDir() + "/FromTalvaron.TXT"), "Howell\r\nTEST1\r\n");
  EXPECT_EQ(talk.messages, QStringList{"Pas trouvé Postivane.EXE. Impossible de continuer!"});
}

// The tablets' ranking files are another program's: a link there is never
// followed (the file it leads to stays out of the mail), and a FIFO never
// holds the mailing up.
TEST_F(PairRecapsTest, MailingNeverReadsThroughALinkNorWaitsOnAFifo) {
  platform::FakeProcesses processes;
  TableDevicesMode = true;
  TabletSharedFolder = documentsDir() + "/Quillmarke";
  QDir().mkpath(TabletSharedFolder);
  testing_support::writeBytes(documentsDir() + "/secret.txt", "not a ranking");
  ASSERT_TRUE(QFile::link(documentsDir() + "/secret.txt", TabletSharedFolder + "/RESULTS.TXT"));
  EXPECT_THROW(MailPairRecaps(), platform::IoError);
  EXPECT_FALSE(QFile::exists(rootDir() + "RESULTS.TXT"));

  QFile::remove(TabletSharedFolder + "/RESULTS.TXT");
  ASSERT_EQ(::mkfifo(QFile::encodeName(TabletSharedFolder + "/RESULTSF.TXT").constData(), 0600), 0);
  QElapsedTimer clock;
  clock.start();
  EXPECT_THROW(MailPairRecaps(), platform::IoError);
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_FALSE(QFile::exists(rootDir() + "RESULTSF.TXT"));
}

TEST_F(PairRecapsTest, PrintedRecapsOfEveryPairGoToTheRecapFile) {
  ui::ScriptedInteraction talk;
  talk.answer(2).answer(2);  // print, all pairs
  PrintPairRecaps(true);
  const QString recap = QString::fromLatin1(readBytes(RecapTextFile));
  EXPECT_EQ(recap.count("Résultats de la paire "), 6);
  EXPECT_EQ(recap.count(QChar(12)), 5);
  EXPECT_TRUE(recap.contains(" 2    1    1                      ( 60.0% )   MOY.   Moyenne tournoi  65.0\r\n\r\n"))
      << recap.toStdString();

  // On screen: the viewer shows the pair asked; 0 closes it.
  QStringList calls;
  flowWindows().openPairRecap = [&] { calls << "open"; };
  flowWindows().fillPairRecap = [&](const QStringList& l) { calls << l.first(); };
  flowWindows().closePairRecap = [&] { calls << "close"; };
  talk.answer(1).answerText("1\tN/S").answerCancel();  // on screen, N/S 1; then Esc
  PrintPairRecaps(true);
  PrintPairRecaps(false);
  flowWindows().openPairRecap = nullptr;
  flowWindows().fillPairRecap = nullptr;
  flowWindows().closePairRecap = nullptr;
  EXPECT_EQ(calls, QStringList({"open", ScreenRecapLines(1, false).first(), "open", "close"}));
}

}  // namespace
