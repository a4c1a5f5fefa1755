#include "core/Counts.h"
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "setup/Pairs.h"
#include "support/TestState.h"

class PairsTest : public testing_support::TalvaronTest {};

TEST_F(PairsTest, CountsUsedSlotsAndSaysWhenThereIsNone) {
  ui::ScriptedInteraction ui;
  EXPECT_EQ(CountPairs(), 0);
  EXPECT_EQ(ui.messages, QStringList{"Aucune paire introduite!"});
  PairNumbers[1] = 1;
  PairNumbers[8] = -1;
  PairNumbers[42] = -21;
  EXPECT_EQ(CountPairs(), 3);
  EXPECT_EQ(ui.messages.size(), 1);
}
