#include "core/Flows.h"
#include "core/Printing.h"
#include "core/ScriptedInteraction.h"
#include "scoring/BoardFrequencies.h"
#include "scoring/Imps.h"

#include "ScoringFixture.h"
#include "support/TestSlots.h"

namespace {

class BoardFrequenciesTest : public ScoringTest {
 protected:
  // Board 1 of three tables: 420 (swapped), 420 and -100, with their
  // matchpoint percentages; board 2 has one result only.
  void SetUp() override {
    ScoringTest::SetUp();
    layOut(3, 2, 1);
    SuitLetters[1] = QLatin1Char('S');
    const int scores[] = {420, 420, -100};
    const char* contracts[] = {"4PS=", "4PN=", "3CE="};
    const double ns[] = {25, 75, 0};  // the swapped slot holds its pairs' values
    for (int t = 1; t <= 3; ++t) {
      TestSlots().score[slot(1, t)] = scores[t - 1];
      TestSlots().contract[slot(1, t)] = QString::fromLatin1(contracts[t - 1]);
      TestSlots().nsPercent[slot(1, t)] = ns[t - 1];
      TestSlots().ewPercent[slot(1, t)] = 100 - ns[t - 1];
    }
    TestSlots().swapped[slot(1, 1)] = 1;
    TestSlots().score[slot(2, 1)] = 110;
    flowWindows().printText = [this](const QStringList& lines, bool ask) {
      printed << lines;
      asked << ask;
      return PrintOutcome{true, QStringLiteral("Imprimante"), false};
    };
  }
  void TearDown() override {
    flowWindows().printText = nullptr;
    ScoringTest::TearDown();
  }
  QStringList printed;
  QList<bool> asked;
};

TEST_F(BoardFrequenciesTest, CompleteSheetListsResultsAndFrequenciesOfTheSeat) {
  const QString dashes79(79, QLatin1Char('-'));
  const QString head = "  N/S  E/W    Rés.  Pts.   Pourcentages";
  const QStringList expected = {
      "",
      "Marque de la donne 1",
      "--------------------",
      "",
      head + head,
      dashes79,
      "   1*   1*    4SS=   420   25.0    75.0    2    2     4SN=   420   75.0    25.0 ",
      "   3    3     3CE=  -100    0.0   100.0 ",
      dashes79,
      "",
      "Fréquences de la donne 1",
      "------------------------",
      "",
      "Points  % N/S  % E/W  Paires...",
      "--------------------",
      // The swapped 420 comes first: its row still shows what the N/S seat earned.
      "   420  75.00  25.00  1/1 2/2",
      "  -100   0.00 100.00  3/3",
      "--------------------",
      ""};
  EXPECT_EQ(BoardFrequencySheet(1, true).toStdString(), expected.join("\r\n").toStdString());
}

TEST_F(BoardFrequenciesTest, AllBoardsAndOneAtATime) {
  ui::ScriptedInteraction talk;
  // All, simplified: no form feed; board 2 stops the report before printing.
  talk.answer(2).answer(2);
  PrintBoardFrequencies();
  EXPECT_EQ(talk.messages.last(), "Donne 2 <-- Un seul résultat! Corrigez, SVP...");
  EXPECT_TRUE(printed.isEmpty());

  TestSlots().score[slot(2, 2)] = 50;
  talk.answer(2).answer(2);
  PrintBoardFrequencies();
  EXPECT_FALSE(printed.join("").contains(QChar(12)));
  EXPECT_FALSE(printed.join("\n").contains("Marque"));
  printed.clear();
  talk.answer(2).answer(1);  // complete sheets: a form feed after each board
  PrintBoardFrequencies();
  EXPECT_EQ(printed.join("").count(QChar(12)), 2);

  // One at a time: the board is asked until a valid one; the printer is
  // chosen once; "0" ends.
  printed.clear();
  asked.clear();
  talk.answer(1).answer(2).answerText("9").answerText("x").answerText("1").answerText("2").answerText("0");
  PrintBoardFrequencies();
  EXPECT_TRUE(talk.allAnswered());
  EXPECT_EQ(asked, QList<bool>({true, false}));
  EXPECT_EQ(talk.choices[talk.choices.size() - 2].form, "TForm23");
  EXPECT_EQ(talk.choices.last().form, "TForm24");
}

TEST_F(BoardFrequenciesTest, ImpScoringShowsTheDatum) {
  ImpScoring = true;
  ComputeButlerImps();
  const QString sheet = BoardFrequencySheet(1, false);
  EXPECT_TRUE(sheet.startsWith("\r\n\r\n=====>> PAR de la donne: " + BoardDatum(1) + "\r\n\r\nFréquences de la donne 1"));
  EXPECT_NE(BoardDatum(1), "9999");
  EXPECT_TRUE(sheet.contains("Points    N/S    E/W\r\n")) << sheet.toStdString();
  EXPECT_TRUE(sheet.contains("\r\n  -100 -11.00  11.00\r\n")) << sheet.toStdString();
  EXPECT_TRUE(BoardFrequencySheet(1, true).contains("IMPs"));
}

}  // namespace
