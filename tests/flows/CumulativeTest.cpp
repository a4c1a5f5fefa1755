#include "core/ScriptedInteraction.h"
#include "flows/TournamentMenu.h"
#include "scoring/Cumulative.h"
#include "scoring/ResultFiles.h"
#include "scoring/ResultListings.h"

#include "scoring/ClubTournament.h"

#include <QDirIterator>
#include <QMap>

using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

class CumulativeTest : public ClubTournamentTest {
 protected:
  void TearDown() override {
    menuView() = TournamentMenuView{};
    ClubTournamentTest::TearDown();
  }
  void session(const QString& code, const QByteArray& lines) { writeBytes(dataDir() + code + ".SEA", lines); }
  // Every file under the data folder, by name.
  QMap<QString, QByteArray> dataFiles() const {
    QMap<QString, QByteArray> files;
    for (QDirIterator it(dataDir(), QDir::Files); it.hasNext();) {
      const QString path = it.next();
      files[QFileInfo(path).fileName()] = readBytes(path);
    }
    return files;
  }
  ui::ScriptedInteraction talk;
};

// Every array of every result slot, one line a slot.
QStringList AllSlots() {
  QStringList lines;
  for (int s = 1; s <= kMaxResultSlots; ++s)
    lines << QStringList{QString::number(ResultNsPair[s]), QString::number(ResultEwPair[s]),
                         QString::number(ResultScore[s]), QString::number(ResultRound[s]),
                         QString::number(ResultTable[s]), QString::number(ResultBoard[s]),
                         QString::number(ResultSwapped[s]), ResultContract[s], ResultLead[s], ResultDeclarer[s],
                         QString::number(ResultMatchpoints[s]), QString::number(ResultNsPercent[s]),
                         QString::number(ResultEwPercent[s]), QString::number(ResultAdjustmentLogged[s])}
                 .join(QLatin1Char(' '));
  return lines;
}

TEST_F(CumulativeTest, SessionLinesAndNames) {
  const auto line = ParseSessionLine("0  55,5000 0 0 DUPONT Jean/MARTIN Paul\\BUTLER");
  ASSERT_TRUE(line);
  EXPECT_EQ(line->score, 55.5);
  EXPECT_EQ(line->names, "DUPONT Jean/MARTIN Paul");
  EXPECT_TRUE(line->butler);
  EXPECT_EQ(ParseSessionLine("0 -3.2500 0 0 A/B")->score, -3.25);
  EXPECT_FALSE(ParseSessionLine(""));
  EXPECT_FALSE(ParseSessionLine("0 x 0 0 A/B"));

  EXPECT_TRUE(NamesMatch("Dupont/Martin", " Martin / Dupont"));
  EXPECT_TRUE(NamesMatch("Dupont/Martin", "Dupont/Martin"));
  EXPECT_FALSE(NamesMatch("Dupont/Martin", "dupont/martin"));
  EXPECT_FALSE(NamesMatch("Dupont/Martin", "Dupont/Roux"));
  EXPECT_FALSE(NamesMatch("DUPONT", "MARTIN"));  // whole labels, never two pairs in one
  EXPECT_TRUE(NamesMatch("DUPONT", " DUPONT"));
  EXPECT_FALSE(NamesMatch("DUPONT", "DUPONT/"));
}

TEST_F(CumulativeTest, TwoSessionsMakeOneRanking) {
  session("S1", "0  55.0000 0 0 Dupont/Martin\r\n0  70.0000 0 0 Roux/Blanc\r\n0  40.0000 0 0 Noir/Petit\r\n");
  session("S2", "0  45,0000 0 0 Martin/Dupont\r\n0  30.0000 0 0 Roux/Blanc\r\n");
  SetDateGlobals();
  talk.answerText("Cumul de décembre").answer(1).answer(2).answer(0).answer(1);  // name, S1, S2, Esc, warning
  ASSERT_TRUE(CumulateTournaments(false, "CUM1"));
  EXPECT_TRUE(talk.allAnswered());
  EXPECT_EQ(talk.lists[1].headings, QStringList{"Choix de la séance numéro 2 ?"});
  EXPECT_EQ(talk.questions.filter("Noir/Petit : pas joué tous les tournois. Pas classé.").size(), 1);
  EXPECT_TRUE(talk.messages.last().startsWith("C'est fini!  Vous pouvez voir et imprimer les résultats du cumul"));

  EXPECT_EQ(PairCount, 3);
  EXPECT_EQ(TournamentCode, "CUM1");
  EXPECT_EQ(TournamentName, "Cumul de décembre");
  EXPECT_EQ(PairLabels[1], "Dupont - Martin");
  EXPECT_EQ(PairFinalScore[1], 50);
  EXPECT_EQ(PairFinalScore[2], 50);
  EXPECT_EQ(PairFinalScore[3], 0);
  EXPECT_EQ(PairNumbers[3], -1);
  EXPECT_EQ(RankingOrder[1], 1);  // equal scores keep their order
  EXPECT_EQ(RankingOrder[2], 2);
  EXPECT_EQ(RankingOrder[3], 3);
  EXPECT_TRUE(CumulativeMode && CumulativeTotals && IsHowell);
  EXPECT_FALSE(MitchellNumbering || ImpScoring);
  EXPECT_EQ(CumulativeTitleLine, "Résultats cumulés des tournois S1 S2");
  EXPECT_EQ(readBytes(dataDir() + "CUM1.CUM"), "");
  EXPECT_EQ(readBytes(dataDir() + "CUM1.SEA"),
            "0  50.0000 0 0 Dupont/Martin\r\n0  50.0000 0 0 Roux/Blanc\r\n0   0.0000 0 0 Noir/Petit\r\n");
  EXPECT_TRUE(readBytes(dataDir() + "CUM1.PAI").startsWith("1 0 0 Dupont/Martin\xA3" "Dupont\xA3" "Martin\r\n"));

  // The merged listing shows "--" for the numbers, under the title line.
  const ResultsView view = PairResultsView();
  EXPECT_EQ(view.memo1.first(), CumulativeTitleLine);
  EXPECT_TRUE(view.memo1.value(4).startsWith("1      --     Dupont - Martin")) << view.memo1.value(4).toStdString();
}

TEST_F(CumulativeTest, AveragesAreComparedAsTheyAreNotAsShown) {
  // Both show 55.56; the second pair's average is the better one by 0.003.
  session("S1", "0  55.5610 0 0 Dupont/Martin\r\n0  55.5640 0 0 Roux/Blanc\r\n0  55.5600 0 0 Noir/Petit\r\n");
  SetDateGlobals();
  talk.answerText("Cumul").answer(1).answer(0);  // name, S1, Esc
  ASSERT_TRUE(CumulateTournaments(false, "CUM2"));
  EXPECT_EQ(RankingOrder[1], 2);
  EXPECT_EQ(RankingOrder[2], 1);
  EXPECT_EQ(RankingOrder[3], 3);
}

TEST_F(CumulativeTest, ButlerAfterMatchpointsIsRefusedAndAskedAgain) {
  // Two lines of one session are two pairs, whatever their names.
  session("A1", "0  55.0000 0 0 Dupont/Martin\r\n0  45.0000 0 0 Martin/Dupont\r\n");
  session("B1", "0   3.0000 0 0 Dupont/Martin\\BUTLER\r\n");
  SetDateGlobals();
  talk.answerText("Cumul").answer(1).answer(2).answer(1).answer(0);  // A1, B1 refused (warning), Esc
  ASSERT_TRUE(CumulateTournaments(false, "CUM2"));
  ASSERT_EQ(talk.lists.size(), 3);
  EXPECT_EQ(talk.lists[2].headings, talk.lists[1].headings);
  EXPECT_TRUE(talk.questions.contains("Il est impossible de mélanger une séance BUTLER avec des séances au TOP unique! "
                                      "Rechargez ce tournoi, recalculez les résultats au TOP et resauvez la séance."));
  EXPECT_EQ(CumulativeTitleLine, "Résultats cumulés des tournois A1");
  EXPECT_EQ(PairCount, 2);
  EXPECT_EQ(PairFinalScore[1], 55);
  EXPECT_EQ(PairFinalScore[2], 45);
}

TEST_F(CumulativeTest, AStopLeavesTheCurrentTournamentAsItWas) {
  loadAndCompute();
  SaveTournamentAll();
  QByteArray many;
  for (int p = 1; p <= 43; ++p) many += "0  50.0000 0 0 Joueur" + QByteArray::number(p) + "/Partenaire\r\n";
  session("BIG", many);
  const QMap<QString, QByteArray> before = dataFiles();
  const QString label = PairLabels[3];
  const double score = PairFinalScore[2];
  menuView().timerEnabled = true;
  menuView().timerInterval = 500;
  talk.messages.clear();

  // A code that breaks the rule, then the current tournament's code (not
  // replaced), then a new one; the 43rd pair stops the run.
  talk.answerText("Cumul").answerText("20261207(Cumul)").answerText("CLUB7").answer(7).answerText("CUMX").answer(1);
  EXPECT_FALSE(CumulateTournaments(true, ""));
  EXPECT_TRUE(talk.allAnswered());
  EXPECT_EQ(talk.textQuestions[1].text, "20261207Cumul");
  EXPECT_EQ(talk.messages.last(), "Trop de paires!");
  EXPECT_EQ(dataFiles(), before);
  EXPECT_EQ(TournamentCode, "CLUB7");
  EXPECT_EQ(PairLabels[3], label);
  EXPECT_EQ(PairFinalScore[2], score);
  EXPECT_FALSE(CumulativeMode);
  EXPECT_TRUE(menuView().timerEnabled);

  // Esc in the name question stops as quietly.
  talk.answerCancel();
  EXPECT_FALSE(CumulateTournaments(true, ""));
  EXPECT_EQ(dataFiles(), before);
  EXPECT_TRUE(menuView().timerEnabled);

  // A save that fails gives the tournament in memory back, every result slot
  // as it was.
  const QStringList slotsBefore = AllSlots();
  ASSERT_NE(ResultScore[1], kScoreNone);
  QDir().mkpath(dataDir() + "CUMY.PAI");
  session("SMALL", "0  50.0000 0 0 A/B\r\n");
  talk.answerText("Cumul").answer(3).answer(0);  // SMALL, then Esc
  EXPECT_THROW(CumulateTournaments(false, "CUMY"), platform::IoError);
  EXPECT_EQ(AllSlots(), slotsBefore);
  EXPECT_EQ(TournamentCode, "CLUB7");
  EXPECT_EQ(PairLabels[3], label);
  EXPECT_EQ(PairFinalScore[2], score);
  EXPECT_FALSE(IsHowell || CumulativeMode || CumulativeTotals);
  EXPECT_TRUE(menuView().timerEnabled);
}

}  // namespace
