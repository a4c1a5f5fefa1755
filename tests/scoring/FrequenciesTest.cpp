#include "core/ScriptedInteraction.h"
#include "scoring/Frequencies.h"

#include "ScoringFixture.h"
#include "support/TestSlots.h"

#include <vector>

class FrequenciesTest : public ScoringTest {
 protected:
  void SetUp() override {
    ScoringTest::SetUp();
    layOut(7, 4, 2);
  }
  // Boards left without any result are passed over; these keep boards 2..4
  // complete so that only board 1 matters.
  void completeOtherBoards() {
    for (int b = 2; b <= 4; ++b)
      for (int t = 1; t <= 7; ++t) TestSlots().score[slot(b, t)] = 100 * t;
  }
};

TEST_F(FrequenciesTest, MatchpointsWithTiesAndASwappedResult) {
  scores(1, {420, 420, 170});
  onlyTables(1, 3);
  scores(2, {600, 500, 400, 300, 200, 100});
  onlyTables(2, 6);
  TestSlots().swapped[slot(2, 3)] = 1;
  onlyTables(3, 0);
  onlyTables(4, 0);
  ComputeFrequencies();
  EXPECT_TRUE(FrequenciesComputed);
  EXPECT_EQ(ResultMatchpoints[slot(1, 1)], 3);
  EXPECT_EQ(ResultMatchpoints[slot(1, 2)], 3);
  EXPECT_EQ(ResultMatchpoints[slot(1, 3)], 0);
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(1, 1)], 75);
  EXPECT_DOUBLE_EQ(ResultEwPercent[slot(1, 1)], 25);
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(1, 3)], 0);
  EXPECT_DOUBLE_EQ(ResultEwPercent[slot(1, 3)], 100);
  // 400 beats three of five: 60 %, turned round by the swap.
  EXPECT_EQ(ResultMatchpoints[slot(2, 3)], 6);
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(2, 3)], 40);
  EXPECT_DOUBLE_EQ(ResultEwPercent[slot(2, 3)], 60);
  // Negative scores compare as numbers.
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(2, 6)], 0);
}

// Boards with every result in are compared sixteen at a time in 16 bits;
// scores beyond them, and boards longer than a block, score as any other.
TEST_F(FrequenciesTest, FullBoardsScoreTheSameAtTheEdgesOfTheirBlocks) {
  layOut(9, 2, 1);
  scores(1, {-40000, -32769, -32768, 9997, 9997, 0, -7600, 1, 2});
  scores(2, {-32768, -1, 0, 0, 1, 7600, 9997, 5, 6});
  ComputeFrequencies();
  ASSERT_TRUE(FrequenciesComputed);
  const auto matchpoints = [this](int board) {
    std::vector<int> mp;
    for (int t = 1; t <= 9; ++t) mp.push_back(ResultMatchpoints[slot(board, t)]);
    return mp;
  };
  EXPECT_EQ(matchpoints(1), (std::vector<int>{0, 2, 4, 15, 15, 8, 6, 10, 12}));
  EXPECT_EQ(matchpoints(2), (std::vector<int>{0, 2, 5, 5, 8, 14, 16, 10, 12}));
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(1, 4)], 15 * 100.0 / 16);
  EXPECT_DOUBLE_EQ(ResultEwPercent[slot(2, 1)], 100);

  // Twenty tables: the last four results fall in a second block. Table t
  // scores 10 * (t % 10): two of each, the swapped table 7 turned round.
  layOut(20, 1, 1);
  for (int t = 1; t <= 20; ++t) TestSlots().score[slot(1, t)] = 10 * (t % 10);
  TestSlots().swapped[slot(1, 7)] = 1;
  ComputeFrequencies();
  ASSERT_TRUE(FrequenciesComputed);
  for (int t = 1; t <= 20; ++t) {
    // Beats the 2 * (t % 10) scores below, ties with its twin.
    const int expected = 4 * (t % 10) + 1;
    EXPECT_EQ(ResultMatchpoints[slot(1, t)], expected) << "table " << t;
  }
  EXPECT_DOUBLE_EQ(ResultEwPercent[slot(1, 7)], 29 * 100.0 / 38);
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(1, 20)], 1 * 100.0 / 38);
}

TEST_F(FrequenciesTest, VentilationOfAnAverage) {
  scores(1, {420, 400, kScoreAverage});
  onlyTables(1, 3);
  completeOtherBoards();
  AutoVentilation = true;
  ComputeFrequencies();
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(1, 1)], 87.5);
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(1, 2)], 12.5);
  EXPECT_DOUBLE_EQ(ResultEwPercent[slot(1, 2)], 87.5);
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(1, 3)], 0);

  AutoVentilation = false;
  ComputeFrequencies();
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(1, 1)], 100);
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(1, 2)], 0);
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(1, 3)], 0);
  EXPECT_DOUBLE_EQ(ResultEwPercent[slot(1, 3)], 0);
}

TEST_F(FrequenciesTest, VentilationCountsOnlyResultsStillOwed) {
  AutoVentilation = true;
  completeOtherBoards();
  scores(1, {420, 400, kScoreNone, kScoreNone, kScoreNone});
  onlyTables(1, 5);
  // Table 3: the odd field's table without E/W pair; table 4: the BYE pair;
  // table 5: a round not played.
  TestSlots().ewPair[slot(1, 3)] = 0;
  PairLabels[4] = QStringLiteral("BYE");
  TestSlots().round[slot(1, 5)] = 3;
  RoundsPlayed = 2;
  ComputeFrequencies();
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(1, 1)], 100);
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(1, 2)], 0);

  // A result really owed counts as an average in the rescaling.
  TestSlots().round[slot(1, 5)] = 2;
  ComputeFrequencies();
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(1, 1)], 87.5);
}

TEST_F(FrequenciesTest, ASingleResultStopsThePassWithoutDevices) {
  ui::ScriptedInteraction ui;
  completeOtherBoards();
  scores(1, {420});
  TestSlots().score[slot(3, 1)] = 999;  // changes board 3 if it were reached
  writeFile(".ADJ", "9 2 60 40\r\n");
  ComputeFrequencies();
  EXPECT_EQ(ui.messages, QStringList{QStringLiteral("Donne 1 <-- Un seul résultat! Corrigez, SVP...")});
  EXPECT_EQ(ui.beepsBefore(QStringLiteral("Un seul")), 1);
  EXPECT_FALSE(FrequenciesComputed);
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(3, 1)], 0);
  EXPECT_NE(ResultScore[slot(2, 2)], kScoreAdjusted);  // ".ADJ" not applied
}

TEST_F(FrequenciesTest, ASingleResultWithDevicesIsAnAverageForBoth) {
  ui::ScriptedInteraction ui;
  TableDevicesMode = true;
  completeOtherBoards();
  scores(1, {420});
  TestSlots().swapped[slot(1, 1)] = 1;
  ComputeFrequencies();
  EXPECT_TRUE(ui.events.isEmpty());
  EXPECT_TRUE(FrequenciesComputed);
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(1, 1)], 50);
  EXPECT_DOUBLE_EQ(ResultEwPercent[slot(1, 1)], 50);
}

TEST_F(FrequenciesTest, AdjustmentsFileSetsAndListsTheResults) {
  ui::ScriptedInteraction ui;
  for (int b = 1; b <= 4; ++b)
    for (int t = 1; t <= 7; ++t) TestSlots().score[slot(b, t)] = 10 * t;
  writeFile(".ADJ",
            "5 1 60 40\r\n"
            "9 2  6.00000000000000E+0001  0.00000000000000E+0000\r\n"
            "\r\n"
            "29 5 50 50\r\n"
            "0 1 50 50\r\n"
            "3 1 abc 50\r\n"
            "5 1 55,5 44,5\r\n");
  ComputeFrequencies();  // not interactive: nothing shown
  EXPECT_TRUE(ui.events.isEmpty());
  EXPECT_EQ(ResultScore[5], kScoreAdjusted);
  EXPECT_EQ(ResultContract[5], QStringLiteral("AJU."));
  EXPECT_EQ(ResultMatchpoints[5], 0);
  EXPECT_DOUBLE_EQ(ResultNsPercent[5], 55.5);  // the later line for the slot wins
  EXPECT_DOUBLE_EQ(ResultEwPercent[5], 44.5);
  EXPECT_DOUBLE_EQ(ResultNsPercent[9], 60);
  EXPECT_DOUBLE_EQ(ResultEwPercent[9], 0.0001);  // 0 % still counts as adjusted
  EXPECT_EQ(ResultScore[3], 30);

  // Shown when interactive; a recomputation keeps the adjusted values.
  Interactive = true;
  ui.answer(1);
  ComputeFrequencies();
  EXPECT_DOUBLE_EQ(ResultNsPercent[5], 55.5);
  ASSERT_EQ(ui.choices.size(), 1);
  EXPECT_EQ(ui.choices[0].form, QStringLiteral("TForm22"));
  const QStringList memo = ui.choices[0].extra.value(QStringLiteral("lines")).toStringList();
  EXPECT_EQ(Joined(memo), Joined(QStringList{
                      QStringLiteral("Ajustements de fréquences"),
                      QStringLiteral("-------------------------"),
                      QString(),
                      QStringLiteral("Donne 1 : N/S 5 (  60.0% ) contre E/W 5 (  40.0% )"),
                      QStringLiteral("Donne 2 : N/S 2 (  60.0% ) contre E/W 2 (   0.0% )"),
                      QStringLiteral("Ligne 4 du fichier TEST1.ADJ ignorée (incorrecte) : 29 5 50 50"),
                      QStringLiteral("Ligne 5 du fichier TEST1.ADJ ignorée (incorrecte) : 0 1 50 50"),
                      QStringLiteral("Ligne 6 du fichier TEST1.ADJ ignorée (incorrecte) : 3 1 abc 50"),
                      QStringLiteral("Donne 1 : N/S 5 (  55.5% ) contre E/W 5 (  44.5% )"),
                  }));
}

TEST_F(FrequenciesTest, AdjustmentsInImpsAreListedInImps) {
  ui::ScriptedInteraction ui;
  ImpScoring = true;
  Interactive = true;
  for (int s = 1; s <= ResultSlotCount; ++s) TestSlots().score[s] = 420;
  writeFile(".ADJ", "5 1 3 -3\r\n");
  ui.answer(1);
  ComputeFrequencies();
  EXPECT_DOUBLE_EQ(ResultNsPercent[5], 3);
  EXPECT_DOUBLE_EQ(ResultEwPercent[5], -3);
  EXPECT_DOUBLE_EQ(ResultNsPercent[6], 0);
  ASSERT_EQ(ui.choices.size(), 1);
  EXPECT_TRUE(ui.choices[0].text.endsWith(QStringLiteral("Donne 1 : N/S 5 (   3.0 IMPs ) contre E/W 5 (  -3.0 IMPs )")));
}

TEST_F(FrequenciesTest, MissingResultsListedAndTheDirectorStops) {
  ui::ScriptedInteraction ui;
  fillAll(100);
  TestSlots().score[slot(2, 3)] = kScoreNone;
  TestSlots().score[slot(2, 6)] = kScoreNone;
  TestSlots().score[slot(4, 1)] = kScoreNone;
  TestSlots().ewPair[slot(4, 1)] = 0;  // no E/W pair: not owed
  for (int s = 1; s <= ResultSlotCount; ++s) TestSlots().nsPercent[s] = 33;
  Interactive = true;
  FrequenciesComputed = true;
  ui.answer(1);  // "&Non"
  ComputeFrequencies();
  ASSERT_EQ(ui.choices.size(), 1);
  const ui::Choice& c = ui.choices[0];
  EXPECT_EQ(c.form, QStringLiteral("TForm15"));
  EXPECT_EQ(c.caption, QStringLiteral("Vérification des marques"));
  EXPECT_EQ(c.buttons, (QStringList{QStringLiteral("&Non"), QStringLiteral("&Oui / ESC")}));
  EXPECT_EQ(c.cancelCode, 2);
  EXPECT_EQ(c.extra.value(QStringLiteral("label")).toString(), QStringLiteral("On continue quand même?"));
  // Round 1: E/W pairs meet N/S t at table t; the board 2 line names both missing results.
  EXPECT_EQ(c.extra.value(QStringLiteral("lines")).toStringList(),
            (QStringList{QStringLiteral("Résultat(s) manquant(s):"), QString(), QStringLiteral("Donne 2 : N3/E3 N6/E6")}));
  EXPECT_FALSE(ResultsAvailable);
  EXPECT_FALSE(FrequenciesComputed);
  EXPECT_DOUBLE_EQ(ResultNsPercent[1], 33);  // nothing changed

  ui.answer(2);  // "&Oui / ESC": go on
  ComputeFrequencies();
  EXPECT_TRUE(ResultsAvailable);
  EXPECT_TRUE(FrequenciesComputed);
  EXPECT_DOUBLE_EQ(ResultNsPercent[1], 50);
}

TEST_F(FrequenciesTest, MissingResultsListOnly) {
  ui::ScriptedInteraction ui;
  fillAll(100);
  TestSlots().score[slot(1, 2)] = kScoreNone;
  PairLabels[2] = QStringLiteral("BYE");  // the BYE's slots owe nothing
  TestSlots().score[slot(3, 4)] = kScoreNone;
  TestSlots().round[slot(3, 4)] = 9;  // a round beyond those played
  ui.answer(1);
  EXPECT_TRUE(CheckMissingResults(true));
  ASSERT_EQ(ui.choices.size(), 1);
  EXPECT_EQ(ui.choices[0].buttons, QStringList{QStringLiteral("&OK / ESC")});
  EXPECT_EQ(ui.choices[0].extra.value(QStringLiteral("lines")).toStringList(),
            (QStringList{QString(), QStringLiteral("Tous les résultats ont été introduits...")}));
  EXPECT_TRUE(ResultsAvailable);

  // Nothing missing and not list-only: no window at all.
  EXPECT_TRUE(CheckMissingResults(false));
  EXPECT_EQ(ui.choices.size(), 1);

  TestSlots().score[slot(1, 5)] = kScoreNone;
  ui.answer(1);
  EXPECT_FALSE(CheckMissingResults(true));
  EXPECT_EQ(ui.choices[1].extra.value(QStringLiteral("lines")).toStringList().last(), QStringLiteral("Donne 1 : N5/E5"));
}

TEST_F(FrequenciesTest, HowellPairsAreListedByNumber) {
  ui::ScriptedInteraction ui;
  IsHowell = true;
  fillAll(100);
  TestSlots().score[slot(1, 2)] = kScoreNone;
  ui.answer(2);
  Interactive = true;
  ComputeFrequencies();
  EXPECT_EQ(ui.choices[0].extra.value(QStringLiteral("lines")).toStringList().last(), QStringLiteral("Donne 1 : 2/9"));
}

TEST_F(FrequenciesTest, PrintNumbers) {
  EXPECT_EQ(PrintNumberText(62.5), QStringLiteral("   62.50"));
  ImpScoring = true;
  EXPECT_EQ(PrintNumberText(-12), QStringLiteral("     -12"));
  const QString path = DocumentsFolder + QStringLiteral("/TEMP.TXT");
  TextFile f;
  SafeRewrite(f, path);
  WritePrintNumber(f, 7);
  CloseTextFile(f);
  EXPECT_EQ(testing_support::readBytes(path), QByteArray("       7"));
}

TEST_F(FrequenciesTest, TheOddFieldsPhantomPairOwesNoResult) {
  // A Howell of 13 pairs: pair 14 does not exist, yet the movement seats it
  // N/S at table 3 against a real pair. Its table never gets a result.
  ui::ScriptedInteraction ui;
  IsHowell = true;
  MitchellNumbering = false;
  PairCount = 13;
  fillAll(100);
  for (int b = 1; b <= 4; ++b) {
    TestSlots().nsPair[slot(b, 3)] = 14;
    TestSlots().score[slot(b, 3)] = kScoreNone;
  }
  scores(1, {420, 400});
  AutoVentilation = true;
  Interactive = true;
  EXPECT_TRUE(CheckMissingResults(false));  // nothing owed: no window
  ComputeFrequencies();
  EXPECT_TRUE(ui.choices.isEmpty());
  EXPECT_TRUE(FrequenciesComputed);
  // Six results: the 420 beats the five others, and is not rescaled as if a
  // seventh were missing.
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(1, 1)], 100);
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(1, 2)], 80);
}

// Two boards of the same size, each with three results of four: board 1
// lacks an average, board 2 a result still owed. During the collection only
// the finished board is rescaled (Neuberg: (M + 1) x 4/3 - 1 on a top of 6);
// once ventilation is turned off, neither is.
TEST_F(FrequenciesTest, BoardsOfOneSizeKeepTheirOwnPercentagesWhateverTheOptions) {
  layOut(4, 2, 1);
  scores(1, {420, 170, -50, kScoreAverage});
  scores(2, {420, 170, -50});
  AutoVentilation = true;
  const auto expectBoard = [this](int board, double top, double middle, double bottom) {
    EXPECT_DOUBLE_EQ(ResultNsPercent[slot(board, 1)], top) << "board " << board;
    EXPECT_DOUBLE_EQ(ResultNsPercent[slot(board, 2)], middle) << "board " << board;
    EXPECT_DOUBLE_EQ(ResultNsPercent[slot(board, 3)], bottom) << "board " << board;
    EXPECT_DOUBLE_EQ(ResultEwPercent[slot(board, 3)], 100 - bottom) << "board " << board;
  };
  ComputeFrequenciesSilently();
  ASSERT_TRUE(FrequenciesComputed);
  expectBoard(1, 1700.0 / 18, 50, 100.0 / 18);
  expectBoard(2, 100, 50, 0);

  AutoVentilation = false;
  ComputeFrequenciesSilently();
  expectBoard(1, 100, 50, 0);
  expectBoard(2, 100, 50, 0);

  // At the desk the result still owed counts as missing, like the average.
  AutoVentilation = true;
  ComputeFrequencies();
  expectBoard(1, 1700.0 / 18, 50, 100.0 / 18);
  expectBoard(2, 1700.0 / 18, 50, 100.0 / 18);
}

// The top counts two for each other result compared: an average, an adjusted
// result, a slot without result or without a pair compares with none.
TEST_F(FrequenciesTest, TheBoardTopCountsOnlyTheResultsCompared) {
  scores(1, {420, 400, 100, kScoreAverage, kScoreAdjusted});
  onlyTables(1, 6);
  scores(2, {420});
  EXPECT_EQ(BoardTop(1), 4);
  EXPECT_EQ(BoardTop(2), 0);
  EXPECT_EQ(BoardTop(3), 0);
  completeOtherBoards();
  EXPECT_EQ(BoardTop(3), 12);
  EXPECT_EQ(BoardTop(5), 0);
}
