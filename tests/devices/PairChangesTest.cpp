#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "devices/BridgeMatesTables.h"
#include "setup/PairChanges.h"
#include "support/BridgeMatesScorers.h"
#include "support/TestState.h"

using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

class PairChangesTest : public testing_support::TalvaronTest {
 protected:
  // A Mitchell of tables tables whose players carry their default names.
  void tournament(int tables) {
    ResultsPerBoard = TableCount = tables;
    PairCount = PairSlotCount = 2 * tables;
    MitchellNumbering = true;
    for (int t = 1; t <= tables; ++t) {
      setPair(t, t, QStringLiteral("N%1").arg(t), QStringLiteral("S%1").arg(t));
      setPair(tables + t, -t, QStringLiteral("E%1").arg(t), QStringLiteral("W%1").arg(t));
    }
    PlayerCount = 2;
    PlayerNames[1] = "DUPONT Jean", PlayerLicences[1] = "111";
    PlayerNames[2] = "MARTIN Anne", PlayerLicences[2] = "222";
    PlayerChoiceCount = 3;
    PlayerChoiceLines[1] = "BYE", PlayerChoiceLines[2] = "DUPONT Jean", PlayerChoiceLines[3] = "MARTIN Anne";
  }
  void setPair(int slot, int number, const QString& a, const QString& b) {
    PairNumbers[slot] = number;
    Player1Names[slot] = a;
    Player2Names[slot] = b;
    PairLabels[slot] = b.isEmpty() ? a : a + " - " + b;
  }
  void place(PairsSide side, int column, int row, const QString& name) {
    PairsGridCellText = name;
    PairsModifyGridClick(side, column, row);
  }
  ui::ScriptedInteraction talk;
};

TEST_F(PairChangesTest, AListNameOverADefaultNameCountsOnePlayerMore) {
  tournament(3);
  TableDevicesMode = TabletsMode = true;
  PairsEntered = false;
  FillPairsEditGrids();
  place(PairsSide::NorthSouth, 2, 3, "DUPONT Jean");
  EXPECT_EQ(PlayersNamed, 1);
  EXPECT_EQ(Player2Names[3], "DUPONT Jean");
  EXPECT_EQ(Player2Licences[3], "111");
  EXPECT_EQ(PairLabels[3], "N3 - DUPONT Jean");
  EXPECT_EQ(PlayersListBoxLines(), QStringList({"BYE", "MARTIN Anne"}));

  // One list name for another: the count stays, the first one is free again.
  place(PairsSide::NorthSouth, 2, 3, "MARTIN Anne");
  EXPECT_EQ(PlayersNamed, 1);
  EXPECT_EQ(Player2Licences[3], "222");
  EXPECT_EQ(PlayersListBoxLines(), QStringList({"BYE", "DUPONT Jean"}));

  // A name already placed is not offered when the window opens again.
  FillPairsEditGrids();
  EXPECT_EQ(PlayersListBoxLines(), QStringList({"BYE", "DUPONT Jean"}));
}

TEST_F(PairChangesTest, TheByePairNeverChangesAndNoPairBecomesTheBye) {
  tournament(3);
  setPair(6, -3, "BYE", "");
  FillPairsEditGrids();
  place(PairsSide::EastWest, 1, 3, "DUPONT Jean");
  place(PairsSide::NorthSouth, 1, 1, "BYE");
  place(PairsSide::NorthSouth, 1, 1, "");
  PairsModifyCellTyped(PairsSide::NorthSouth, 2, 2, "bye");
  EXPECT_EQ(talk.messages, QStringList({"Désolé, on ne peut pas modifier la paire BYE...",
                                        "Désolé, on ne peut pas introduire la paire BYE à ce moment!",
                                        "Impossible de supprimer un joueur à ce moment! Par contre, vous pouvez le "
                                        "modifier...",
                                        "Désolé, on ne peut pas introduire la paire BYE à ce moment!"}));
  // Whatever reaches the grids, OK keeps both pairs as they are.
  NsEditGrid.cell(1, 2) = "bye";
  EwEditGrid.cell(1, 3) = "DURAND Paul";
  PairsModifyCellTyped(PairsSide::NorthSouth, 1, 1, "LEROY Marc");
  talk.messages.clear();
  StorePairsModifyGrid();
  EXPECT_EQ(talk.messages, QStringList({"Désolé, on ne peut pas introduire la paire BYE à ce moment!",
                                        "Avertissement! On ne peut modifier le nom de la paire \"BYE\". Le BYE reste "
                                        "inchangé..."}));
  EXPECT_EQ(PairLabels[2], "N2 - S2");
  EXPECT_EQ(PairLabels[6], "BYE");
  EXPECT_EQ(PairLabels[1], "LEROY Marc - S1");
  EXPECT_EQ(Player1Licences[1], "0");
}

TEST_F(PairChangesTest, BridgeMatesGetARowForThePlayerPlaced) {
  tournament(5);
  BridgeMatesMode = TableDevicesMode = true;
  TournamentCode = "20261207";
  const QString bws = dataDir() + "20261207.BWS";
  writeBytes(bws, readBytes(testing_support::BuiltBwsTemplate()));
  AddPlayerNumbersRow("EW", 2, 5, "INCONNU Paul");
  FillPairsEditGrids();
  place(PairsSide::NorthSouth, 1, 4, "dupont jean");
  testing_support::BridgeMatesScorers scorers(bws);
  const QList<QVariantMap> rows = scorers.rows("PlayerNumbers");
  ASSERT_EQ(rows.size(), 2);
  const QVariantMap w = rows[0];
  EXPECT_EQ(w.value("Section").toInt(), 1);
  EXPECT_EQ(w.value("Table").toInt(), 5);
  EXPECT_EQ(w.value("Direction").toString(), "W");
  EXPECT_EQ(w.value("Number").toString(), "9999");
  EXPECT_EQ(w.value("Name").toString(), "INCONNU Paul");
  EXPECT_EQ(w.value("Round").toInt(), 2);
  EXPECT_EQ(w.value("Updated").toInt(), 1);
  EXPECT_EQ(w.value("Processed").toInt(), 1);
  EXPECT_EQ(rows[1].value("Direction").toString(), "N");
  EXPECT_EQ(rows[1].value("Number").toString(), "111");
}

TEST_F(PairChangesTest, TeamNamesListBothPairsOfEachTeam) {
  tournament(2);
  IsPatton = true;
  EXPECT_EQ(TeamNameLines(), QStringList({"Equipe numéro 1", "     N/S: N1 - S1", "     E/W: E1 - W1",
                                          "Equipe numéro 2", "     N/S: N2 - S2", "     E/W: E2 - W2"}));
}

}  // namespace
