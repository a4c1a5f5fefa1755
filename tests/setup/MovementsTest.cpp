#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "core/State.h"
#include "platform/TextFiles.h"
#include "setup/MovementFiles.h"
#include "setup/Movements.h"
#include "support/NamedPairs.h"
#include "support/TestState.h"

#include <QDir>
#include <QElapsedTimer>

#include <algorithm>
#include <limits>

#include <set>
#include <tuple>

using testing_support::readBytes;
using testing_support::writeBytes;
using testing_support::MakeNamedPairs;

namespace {

// "ns ew round table board" of every result slot of the movement's boards
// ("-" for a slot no table plays); a used slot must carry the score 10000.
QStringList slotLines() {
  QStringList out;
  for (int s = 1; s <= BoardCount * ResultsPerBoard; ++s) {
    if (ResultNsPair[s] == 0) {
      out << QStringLiteral("-");
      continue;
    }
    EXPECT_EQ(ResultScore[s], kScoreNone) << s;
    out << QStringLiteral("%1 %2 %3 %4 %5").arg(ResultNsPair[s]).arg(ResultEwPair[s]).arg(ResultRound[s]).arg(ResultTable[s]).arg(ResultBoard[s]);
  }
  return out;
}

void generate(int tables, int boardsPerTable, int type) {
  ClearAllResults();
  ResultsPerBoard = TableCount = tables;
  BoardsPerTable = boardsPerTable;
  BoardCount = tables * boardsPerTable;
  ResultSlotCount = BoardCount * tables;
  MitchellType = type;
  GenerateMitchell();
  RenumberMitchellEastWest();
}

// The faults a movement can have, from its slots: a table twice in a round,
// a pair twice on a set, two pairs meeting twice. The set of a slot is
// given by its board.
QString movementFault() {
  std::set<std::tuple<int, int>> tableRounds, nsSets, ewSets, meetings;
  for (int s = 1; s <= BoardCount * ResultsPerBoard; ++s) {
    if (ResultNsPair[s] == 0 || (ResultBoard[s] - 1) % BoardsPerTable != 0) continue;
    const int set = (ResultBoard[s] - 1) / BoardsPerTable + 1;
    if (!tableRounds.insert({ResultRound[s], ResultTable[s]}).second) return QStringLiteral("table twice");
    if (!nsSets.insert({ResultNsPair[s], set}).second) return QStringLiteral("N/S on a set twice");
    if (ResultEwPair[s] == 0) continue;
    if (!ewSets.insert({ResultEwPair[s], set}).second) return QStringLiteral("E/W on a set twice");
    if (!meetings.insert({ResultNsPair[s], ResultEwPair[s]}).second) return QStringLiteral("meeting twice");
  }
  return {};
}

}  // namespace

class MovementsTest : public testing_support::TalvaronTest {};

TEST_F(MovementsTest, MitchellOfThreeTablesWithTwoBoardsPerTable) {
  MakeNamedPairs(6);
  generate(3, 2, 0);
  EXPECT_EQ(slotLines(), QStringList({"1 4 1 1 1", "2 6 3 2 1", "3 5 2 3 1", "1 4 1 1 2", "2 6 3 2 2", "3 5 2 3 2",
                                  "1 6 2 1 3", "2 5 1 2 3", "3 4 3 3 3", "1 6 2 1 4", "2 5 1 2 4", "3 4 3 3 4",
                                  "1 5 3 1 5", "2 4 2 2 5", "3 6 1 3 5", "1 5 3 1 6", "2 4 2 2 6", "3 6 1 3 6"}));
}

TEST_F(MovementsTest, RelayAndSkipOfFourTables) {
  MakeNamedPairs(8);
  generate(4, 1, 2);
  EXPECT_EQ(slotLines(), QStringList({"1 5 1 1 1", "2 7 4 2 1", "3 6 2 3 1", "4 8 1 4 1",
                                  "1 8 2 1 2", "2 6 1 2 2", "3 5 3 3 2", "4 7 2 4 2",
                                  "1 7 3 1 3", "2 5 2 2 3", "3 8 4 3 3", "4 6 3 4 3",
                                  "1 6 4 1 4", "2 8 3 2 4", "3 7 1 3 4", "4 5 4 4 4"}));
  generate(4, 1, 1);
  EXPECT_EQ(slotLines(), QStringList({"1 5 1 1 1", "-", "3 8 3 3 1", "4 7 2 4 1",
                                  "1 8 2 1 2", "2 6 1 2 2", "-", "4 5 3 4 2",
                                  "1 6 3 1 3", "2 5 2 2 3", "3 7 1 3 3", "-",
                                  "-", "2 7 3 2 4", "3 6 2 3 4", "4 8 1 4 4"}));
}

TEST_F(MovementsTest, OddFieldLeavesTheMissingEastWestPairOut) {
  MakeNamedPairs(5);
  generate(3, 1, 0);
  EXPECT_EQ(slotLines(), QStringList({"1 4 1 1 1", "2 0 3 2 1", "3 5 2 3 1", "1 0 2 1 2", "2 5 1 2 2", "3 4 3 3 2",
                                  "1 5 3 1 3", "2 4 2 2 3", "3 0 1 3 3"}));
}

TEST_F(MovementsTest, EveryGeneratedMitchellIsSound) {
  for (int tables = 2; tables <= kMaxTables; ++tables) {
    MakeNamedPairs(2 * tables);
    for (const int type : tables % 2 ? std::vector<int>{0} : std::vector<int>{1, 2}) {
      generate(tables, 64 / tables >= 3 ? 3 : 1, type);
      EXPECT_EQ(movementFault(), QString()) << tables << " tables, type " << type;
      int used = 0;
      for (int s = 1; s <= BoardCount * tables; ++s) used += ResultNsPair[s] != 0;
      const int rounds = tables % 2 == 0 && type == 1 ? tables - 1 : tables;
      EXPECT_EQ(used, rounds * tables * BoardsPerTable) << tables;
    }
    // The federation's skip kinds on an even field, its plain kind on an odd one.
    FederationMovementKind = tables % 2 ? 1 : 3;
    RoundsPlayed = tables - 1;
    generate(tables, 1, 0);
    EXPECT_EQ(movementFault(), QString()) << tables << " tables, federation kind " << FederationMovementKind;
    FederationMovementKind = 0;
  }
}

TEST_F(MovementsTest, GeneratingTwentyOneTablesIsInstant) {
#ifdef TALVARON_SANITIZED
  GTEST_SKIP() << "timing is not measured in a sanitizer build";
#endif
  MakeNamedPairs(42);
  // The fastest of many runs, so that a busy machine does not count.
  qint64 fastest = std::numeric_limits<qint64>::max();
  for (int i = 0; i < 50; ++i) {
    QElapsedTimer clock;
    clock.start();
    generate(21, 3, 0);
    fastest = std::min(fastest, clock.nsecsElapsed());
  }
  EXPECT_LT(fastest, 1'000'000);
}

TEST_F(MovementsTest, BoardsPerTableAreAskedUntilSensibleAndLimitedToSixtyFour) {
  MakeNamedPairs(10);
  TournamentCode = QStringLiteral("T1");
  ui::ScriptedInteraction ui;
  ui.answerText("abc").answerText("0").answerText("17").answerText("16");
  EXPECT_FALSE(AskMitchellBoardsPerTable());
  EXPECT_EQ(ui.messages, QStringList({"Ce n'est pas un nombre!", "Nombre incorrect!",
                                      "Désolé, pas plus de 16 étuis par table!",
                                      "Il n'y a pas assez d'étuis en jeu pour jouer\r\n16 étuis/table!"}));
  EXPECT_EQ(ui.textQuestions.first().text, "3");
}

TEST_F(MovementsTest, EvenFieldAsksSkipOrRelayAndRemembersIt) {
  MakeNamedPairs(8);
  TournamentCode = QStringLiteral("T1");
  MitchellNumbering = true;
  ComputeTablesAndRounds();
  ui::ScriptedInteraction ui;
  MitchellTypeRemembered = true;  // what the window leaves when its box is ticked
  ui.answerText("1").answer(1).answerText("3");
  ASSERT_TRUE(AskMitchellBoardsPerTable());
  EXPECT_EQ(ui.choices.first().extra.value("Label6").toString(), " - une table vide entre les tables 2 et 3 avec une série d'étuis.");
  EXPECT_EQ(ui.choices.first().extra.value("Label7").toString(), " - les étuis sont joués en parallèle aux tables 1 et 4.");
  EXPECT_EQ(MitchellType, 1);
  EXPECT_EQ(RoundCount, 3);
  EXPECT_EQ(RoundsPlayed, 3);
  EXPECT_EQ(readBytes(programDir() + "MITCHELLPAIR.TXT"), "1\r\n");
  EXPECT_EQ(ui.textQuestions.last().prompt, "Ce tournoi comporte maximum 3 tours.\r\nIl y a 1 étuis joués à chaque tour.");
  MitchellTypeRemembered = false;
}

TEST_F(MovementsTest, RoundsPlayedAreCheckedAndTheOptionsKeepTheChosenNumber) {
  RoundCount = 7;
  BoardsPerTable = 3;
  ui::ScriptedInteraction ui;
  ui.answerText("x").answerText("9").answerText("5");
  AskRoundsToPlay();
  EXPECT_EQ(ui.messages, QStringList({"Désolé, \"x\" n'est pas un nombre...", "Désolé, \"9\" : nombre incorrect!"}));
  EXPECT_EQ(RoundsPlayed, 5);
  ui.answerText("5");
  AskRoundsToPlay(true);
  EXPECT_EQ(ui.textQuestions.last().text, "5");
  EXPECT_EQ(RoundsPlayed, 5);
  RoundsQuestionSilenced = true;
  ui.answerText("6");
  AskRoundsToPlay();
  RoundsQuestionSilenced = false;
  EXPECT_TRUE(platform::fileExists(programDir() + "PASDEMANDERNTOURS.TXT"));
  AskRoundsToPlay();  // not asked any more
  EXPECT_EQ(RoundsPlayed, 7);
  EXPECT_TRUE(ui.allAnswered());
}
