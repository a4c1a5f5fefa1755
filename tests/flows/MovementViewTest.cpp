#include "core/Flows.h"
#include "core/Globals.h"
#include "core/PairsAndBoards.h"
#include "core/Printing.h"
#include "core/ScriptedInteraction.h"
#include "flows/TournamentMenu.h"
#include "platform/TextFiles.h"
#include "setup/MovementView.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

namespace {

const QString kHeading = QStringLiteral("Tour  Table N/S E/W Boards");
const QString kDashes(26, QLatin1Char('-'));

class MovementViewTest : public testing_support::TalvaronTest {
 protected:
  // A standard Mitchell of 3 tables and 2 boards per table: E/W pairs move up
  // a table, boards down a table. E/W pair k is stored as 3 + k.
  void SetUp() override {
    TalvaronTest::SetUp();
    MitchellNumbering = true;
    TableCount = ResultsPerBoard = 3;
    PairCount = 6;
    RoundCount = 3;
    BoardsPerTable = 2;
    BoardCount = DealCount = 6;
    ResultSlotCount = 18;
    struct Seat {
      int round, table, ns, ew, set;
    };
    const Seat seats[] = {{1, 1, 1, 1, 1}, {1, 2, 2, 2, 2}, {1, 3, 3, 3, 3},
                          {2, 1, 1, 3, 2}, {2, 2, 2, 1, 3}, {2, 3, 3, 2, 1},
                          {3, 1, 1, 2, 3}, {3, 2, 2, 3, 1}, {3, 3, 3, 1, 2}};
    for (const Seat& s : seats) {
      for (int b = 2 * s.set - 1; b <= 2 * s.set; ++b) {
        const int slot = (b - 1) * 3 + s.table;
        TestSlots().round[slot] = s.round;
        TestSlots().table[slot] = s.table;
        TestSlots().nsPair[slot] = s.ns;
        TestSlots().ewPair[slot] = 3 + s.ew;
        TestSlots().board[slot] = b;
        TestSlots().score[slot] = kScoreNone;
      }
    }
    for (int p = 1; p <= 6; ++p) PairLabels[p] = QStringLiteral("Paire %1").arg(p);
  }
  ui::ScriptedInteraction talk;
};

TEST_F(MovementViewTest, RoundsShowTheirTablesPairsAndBoards) {
  PairLabels[6] = QStringLiteral("BYE");  // E/W 3
  FindByePair();
  bool shown = false;
  flowWindows().showMovement = [&] { shown = true; };
  MovementClick();
  flowWindows().showMovement = nullptr;
  EXPECT_TRUE(shown);
  EXPECT_EQ(MovementRowCount, 11);  // 9 rows and 2 separators
  EXPECT_TRUE(MovementRowExists(2, 3));
  EXPECT_FALSE(MovementRowExists(4, 1));
  const QStringList lines = MovementViewLines(true);
  EXPECT_EQ(lines.mid(0, 8), QStringList({kHeading, kDashes,
                                          " 1     1    1   1   1-2",
                                          " 1     2    2   2   3-4",
                                          " 1     3    3   BYE 5-6",
                                          QString(26, QLatin1Char('=')), kHeading, kDashes}));
  EXPECT_EQ(lines[8], " 2     3    3   2   1-2");  // rows of a round come in the order of the boards
  EXPECT_EQ(lines.size(), 2 + 11 + 2 * 2);

  PrintMovementView();
  const QStringList printed = platform::readTextLines(PrintFile);
  EXPECT_EQ(printed.mid(0, 7), QStringList({"Mitchell 6 paires 3 tours 2 Etuis/Table", "", kHeading, kDashes,
                                            " 1     1    1   1   1-2", " 1     2    2   2   3-4", " 1     3    3   3   5-6"}));
}

TEST_F(MovementViewTest, PaddingNeverCuts) {
  QString text = QStringLiteral("abc");
  PadToColumn(5, text);
  EXPECT_EQ(text, "abc  ");
  PadToColumn(2, text);
  EXPECT_EQ(text, "abc  ");
}

}  // namespace
