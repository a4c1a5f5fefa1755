// The news about the results heard by the program's own listeners: the
// BridgeMates' database gets what the sheets have always sent it, the menu
// counts the results again.
#include "core/Globals.h"
#include "core/ResultNews.h"
#include "core/ScriptedInteraction.h"
#include "devices/SessionDatabase.h"
#include "devices/TabletFiles.h"
#include "flows/TournamentMenu.h"
#include "scoring/ScoreSheet.h"
#include "support/BridgeMatesScorers.h"
#include "support/devices/BridgeMatesTournament.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

#include <QDir>

#include <memory>

namespace {

// Three tables, three rounds of two boards: 18 results, none entered yet.
class ResultListenersTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    testing_support::SetUpBridgeMatesMitchell(3, 2);
    testing_support::CreateMitchellDatabase(programDir());
    for (int t = 1; t <= 3; ++t) QDir().mkpath(TableFolder(t));
    scorers = std::make_unique<testing_support::BridgeMatesScorers>(BwsFileName);
    AskOpeningLead = false;
    menuView().resultsCounter = "-";
  }
  void TearDown() override {
    scorers.reset();
    CloseSessionDatabase();
    TalvaronTest::TearDown();
  }
  // What the program sent the BridgeMates, one remark per row.
  QStringList sent() const {
    QStringList remarks;
    for (const QVariantMap& row : scorers->rows("ReceivedData")) remarks << row["Remarks"].toString();
    return remarks;
  }
  static void give(int slot, int score, const QString& contract) {
    TestSlots().score[slot] = score;
    TestSlots().contract[slot] = contract;
    TestSlots().declarer[slot] = "";
  }

  ui::ScriptedInteraction talk;
  std::unique_ptr<testing_support::BridgeMatesScorers> scorers;
};

TEST_F(ResultListenersTest, ATypedResultIsEchoedAndCountedAnAdjustedOneOnlyCounted) {
  ASSERT_TRUE(ResultListenerAdded(kMenuCountersListener));
  ASSERT_TRUE(ResultListenerAdded(kTableDevicesListener));
  give(1, 140, "3PN=");
  TellResultStored(1, ResultSheet::Table, ResultOrigin::Typed);
  EXPECT_EQ(sent(), QStringList({"Morvel"}));
  EXPECT_EQ(scorers->rows("ReceivedData").value(0)["Contract"], "3 S ");
  EXPECT_EQ(menuView().resultsCounter, "1/18");

  give(2, kScoreAdjusted, "AJU.");
  TellResultStored(2, ResultSheet::Table, ResultOrigin::Adjusted);
  TellResultStored(2, ResultSheet::Board, ResultOrigin::Adjusted);
  EXPECT_EQ(sent(), QStringList({"Morvel"}));
  EXPECT_EQ(menuView().resultsCounter, "2/18");

  // An average given by a key: sent from either sheet, as a resume would.
  give(3, kScoreAverage, "MOY.");
  TellResultStored(3, ResultSheet::Board, ResultOrigin::Key);
  EXPECT_EQ(sent(), QStringList({"Morvel", "Not played (Morvel)"}));
  EXPECT_EQ(menuView().resultsCounter, "3/18");
  TellResultStored(3, ResultSheet::Table, ResultOrigin::Key);
  EXPECT_EQ(sent().size(), 3);

  // The percentages go with their remark; the menu waits for the "AJU." stored after.
  give(4, 140, "3PN=");
  TellResultAdjusted(2, "Arbitral score (60%-40%)");
  EXPECT_EQ(sent().value(3), "Arbitral score (60%-40%) (Morvel)");
  EXPECT_EQ(menuView().resultsCounter, "3/18");

  give(1, kScoreNone, "");
  TellResultErased(1, ResultSheet::Board);
  EXPECT_EQ(sent().value(4), "Not played (Morvel)");
  EXPECT_EQ(menuView().resultsCounter, "3/18");  // 1 gone, 4 come
  give(4, kScoreNone, "");
  TellResultsCounted();
  EXPECT_EQ(sent().size(), 5);
  EXPECT_EQ(menuView().resultsCounter, "2/18");
}

TEST_F(ResultListenersTest, WithoutDevicesOnlyTheTableSheetCountsAgain) {
  TableDevicesMode = BridgeMatesMode = false;
  give(1, 140, "3PN=");
  TellResultStored(1, ResultSheet::Board, ResultOrigin::Typed);
  TellResultErased(1, ResultSheet::Board);
  EXPECT_EQ(menuView().resultsCounter, "-");
  TellResultErased(1, ResultSheet::Table);
  EXPECT_EQ(menuView().resultsCounter, "1/18");
  EXPECT_TRUE(sent().isEmpty());
}

TEST_F(ResultListenersTest, TheBoardSheetSendsAContractTypedAndItsAverageKey) {
  ScoreSheet sheet;
  sheet.layOut(1);
  const auto lineOf = [&sheet](int slot) {
    int line = 1;
    while (sheet.slotOfLine(line) != slot) ++line;
    return line;
  };
  sheet.setCurrentLine(lineOf(1));
  ASSERT_TRUE(sheet.readyForResult());
  talk.answer(1);  // the score confirmed
  ASSERT_TRUE(sheet.validate("3SN=", EntryColumn::Result));
  EXPECT_EQ(sent(), QStringList({"Morvel"}));
  EXPECT_EQ(menuView().resultsCounter, "1/18");
  sheet.setCurrentLine(lineOf(2));
  ASSERT_TRUE(sheet.readyForResult());
  ASSERT_TRUE(sheet.storeAverage());
  EXPECT_EQ(ResultContract[2], "MOY.");
  EXPECT_EQ(sent(), QStringList({"Morvel", "Not played (Morvel)"}));
  EXPECT_EQ(menuView().resultsCounter, "2/18");
}

}  // namespace
