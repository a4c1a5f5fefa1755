#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "core/State.h"
#include "setup/Pairs.h"
#include "setup/PairsEntry.h"
#include "support/TestState.h"

#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <vector>

namespace {

void SetPair(int slot, int number, const QString& first, const QString& second) {
  PairNumbers[slot] = number;
  Player1Names[slot] = first;
  Player2Names[slot] = second;
  PairLabels[slot] = second.isEmpty() && first == "BYE" ? first : first + " - " + second;
}

// N/S pairs 1..ns and E/W pairs 1..ew with distinct names, in slot order.
std::vector<int> Numbers() {
  std::vector<int> numbers;
  for (int s = 1; s <= kMaxPairs; ++s) numbers.push_back(PairNumbers[s]);
  return numbers;
}

void MakePairs(int ns, int ew) {
  int slot = 0;
  for (int k = 1; k <= ns; ++k) SetPair(++slot, k, QString("NORD%1 A").arg(k), QString("NORD%1 B").arg(k));
  for (int k = 1; k <= ew; ++k) SetPair(++slot, -k, QString("EST%1 A").arg(k), QString("EST%1 B").arg(k));
}

}  // namespace

class PairChecksTest : public testing_support::TalvaronTest {};

TEST_F(PairChecksTest, CheckPairsRefusesTooFewPairsAndUnequalSides) {
  ui::ScriptedInteraction ui;
  MakePairs(1, 1);
  EXPECT_FALSE(CheckPairs());
  MakePairs(2, 1);
  EXPECT_TRUE(PairTableCounts());  // 3 pairs make 4 places
  EXPECT_EQ(PairSlotCount, 4);
  EXPECT_EQ(ResultsPerBoard, 2);
  MakePairs(4, 3);
  EXPECT_FALSE(CheckPairs());
  ClearPairSlots();
  MakePairs(3, 4);
  EXPECT_FALSE(CheckPairs());
  EXPECT_EQ(ui.messages, QStringList({"Ce programme accepte au minimum 4 paires!", "Il y a plus de N/S que de E/W!",
                                      "Il y a plus de E/W que de N/S!"}));
}

TEST_F(PairChecksTest, CheckPairsFindsTheByeAndRefusesASecondOne) {
  ui::ScriptedInteraction ui;
  MakePairs(4, 4);
  SetPair(8, -4, " bye ", "");
  EXPECT_TRUE(CheckPairs());
  EXPECT_TRUE(ByePresent);
  EXPECT_EQ(ByePairNumber, 8);
  SetPair(2, 2, "BYE", "");
  EXPECT_FALSE(CheckPairs());
  // A player called Bye with a partner is a real pair.
  SetPair(2, 2, "BYE", "NORD2 B");
  EXPECT_TRUE(CheckPairs());
  EXPECT_EQ(ui.messages, QStringList({"Il y plus qu'une paire BYE!"}));
}

TEST_F(PairChecksTest, CheckPairsNamesPlayersTwiceThenCountsThoseNotEntered) {
  ui::ScriptedInteraction ui;
  MakePairs(3, 3);
  SetPair(2, 2, "NORD2 A", "?");
  SetPair(5, -2, "nord1 a", "?");
  SetPair(6, -3, "?", "EST1 A");
  EXPECT_FALSE(CheckPairs());
  SetPair(5, -2, "EST2 A", "?");
  SetPair(6, -3, "?", "EST3 B");
  EXPECT_FALSE(CheckPairs());
  SetPair(6, -3, "EST3 A", "EST3 B");
  EXPECT_FALSE(CheckPairs());
  BridgeMatesMode = true;
  EXPECT_FALSE(CheckPairs());
  ASSERT_EQ(ui.messages.size(), 4);
  EXPECT_EQ(ui.messages[0], "Joueur(s) en double: NORD1 A EST1 A");
  EXPECT_EQ(ui.messages[1], "Il y a 3 joueurs non introduits! Mettez-leur un nom quelconque (par exemple inconnu1, "
                            "inconnu2,...). Vous pourrez les modifier plus tard, durant ou à la fin du tournoi.");
  EXPECT_EQ(ui.messages[2], "Il y a 2 joueurs non introduits! Mettez-leur un nom quelconque (par exemple inconnu1, "
                            "inconnu2,...). Vous pourrez les modifier plus tard, durant ou à la fin du tournoi.");
  EXPECT_EQ(ui.messages[3], "Il y a 2 joueurs non introduits! Avec les BridgeMates, vous devez lui donner un nom provenant "
                            "de votre fichier de joueurs.");
}

TEST_F(PairChecksTest, PlayersAreFoundInTheFileByTheirWholeName) {
  ui::ScriptedInteraction ui;
  PlayerCount = 3;
  PlayerNames[1] = "DUPONT Jeanne";
  PlayerLicences[1] = "111";
  PlayerNames[2] = "DURAND Paul";
  PlayerLicences[2] = "222";
  PlayerNames[3] = "MARTIN Eve";
  PlayerLicences[3] = "333";
  SetPair(1, 1, "durand paul", "NORD1 B");
  SetPair(2, 2, "BYE", "");
  SetPair(3, -1, "DUPONT Jean", "MARTIN  Eve");
  SetPair(4, -2, "NORD1 A", "EST1 B");
  PairSlotCount = 4;
  EXPECT_EQ(FindPlayerNotInFile(), "DUPONT Jean");
  EXPECT_EQ(Player1Licences[1], "222");
  EXPECT_EQ(Player2Licences[3], "333");
  EXPECT_TRUE(Player1Licences[3].isEmpty());

  BridgeMatesMode = PairsEntered = true;
  EXPECT_FALSE(CheckPairs());
  EXPECT_TRUE(ui.messages.last().startsWith(
      "Pas retrouvé au moins un joueur dans votre fichier de joueurs! Le premier trouvé est DUPONT Jean. Vous avez"));
}

TEST_F(PairChecksTest, ByePlaceComesFromTheRememberedChoice) {
  ui::ScriptedInteraction ui;
  int direction = 0;
  int number = 0;
  testing_support::writeBytes(programDir() + "choixBYE.TXT", "2 9999\r\n");
  PlaceByePair(4, direction, number);
  EXPECT_EQ(direction, 2);
  EXPECT_EQ(number, 4);
  EXPECT_TRUE(ui.events.isEmpty());

  testing_support::writeBytes(programDir() + "choixBYE.TXT", "1 7\r\n");
  PlaceByePair(5, direction, number);
  EXPECT_EQ(direction, 1);
  EXPECT_EQ(number, 5);
  EXPECT_EQ(ui.messages, QStringList({"Dans le fichier choixBYE.TXT, vous avez choisi de mettre le BYE en N/S 7; c'est "
                                      "trop grand, il sera mis en N/S 5..."}));

  testing_support::writeBytes(programDir() + "choixBYE.TXT", "3 1\r\n");
  EXPECT_THROW(PlaceByePair(5, direction, number), FatalStopError);
  EXPECT_EQ(ui.messages.last(),
            "Dans le fichier choixBYE.TXT, la direction n'est ni 1 (N/S) ni 2 (E/W). Désolé, on quitte...");
  testing_support::writeBytes(programDir() + "choixBYE.TXT", "2 x\r\n");
  EXPECT_THROW(PlaceByePair(5, direction, number), FatalStopError);
  EXPECT_EQ(ui.messages.last(), "Le contenu du fichier \"choixBYE.TXT\" est mauvais! Désolé, on quitte...");
}

TEST_F(PairChecksTest, ByeNumberAskedOutsideTheTablesGoesToTheHighestAndIsKept) {
  ui::ScriptedInteraction ui;
  ByeWindowState typed;
  typed.direction = 2;
  typed.highest = false;
  typed.number = "0";
  typed.keep = true;
  ui.answerText(typed.toText());
  int direction = 0;
  int number = 0;
  PlaceByePair(5, direction, number);
  EXPECT_EQ(direction, 2);
  EXPECT_EQ(number, 5);
  ASSERT_EQ(ui.textQuestions.size(), 1);
  EXPECT_EQ(ByeWindowState::fromText(ui.textQuestions[0].text).toText(), "1;1;;0");
  EXPECT_EQ(ui.messages.value(0), "Vous avez choisi de mettre le BYE en E/W 0; ce numéro n'existe pas, il sera mis en E/W 5...");
  EXPECT_EQ(ui.messages.value(1), "Voici donc ce qu'on va sauver et utiliser dorénavant: 2 9999; c'est-à-dire E/W numéro le "
                                  "plus élevé...");
  EXPECT_EQ(testing_support::readBytes(programDir() + "choixBYE.TXT"), "2 9999\r\n");

  testing_support::writeBytes(programDir() + "choixBYE.TXT", "");
  ASSERT_TRUE(QFile::remove(programDir() + "choixBYE.TXT"));
  typed.number = "3";
  typed.keep = false;
  ui.answerText(typed.toText());
  PlaceByePair(5, direction, number);
  EXPECT_EQ(number, 3);
  EXPECT_TRUE(ui.messages.last().startsWith("Attention la case de sauvetage n'était pas cochée."));
}

TEST_F(PairChecksTest, DrawKeepsTheNumbersAndNeverMovesTheBye) {
  ui::ScriptedInteraction ui;
  MakePairs(5, 5);
  SetPair(7, -2, "BYE", "");
  const std::vector<int> before = Numbers();
  bool moved = false;
  for (quint32 seed = 1; seed <= 20; ++seed) {
    QRandomGenerator generator(seed);
    DrawPairs(generator);
    const std::vector<int> after = Numbers();
    EXPECT_EQ(PairNumbers[7], -2);
    EXPECT_TRUE(std::is_permutation(before.begin(), before.end(), after.begin()));
    moved = moved || after != before;
  }
  EXPECT_TRUE(moved);
  EXPECT_EQ(PairCount, 10);

  // The same seed, the same draw.
  MakePairs(5, 5);
  QRandomGenerator first(7);
  DrawPairs(first);
  const std::vector<int> once = Numbers();
  MakePairs(5, 5);
  QRandomGenerator second(7);
  DrawPairs(second);
  EXPECT_EQ(Numbers(), once);
}

TEST_F(PairChecksTest, GridsBecomeSlotsWithTheByeAndUnknownPlayers) {
  NsGrid.clear();
  EwGrid.clear();
  NsGrid.cell(1, 1) = " DUPONT Jean ";
  NsGrid.cell(2, 1) = "DURAND Paul";
  NsGrid.cell(1, 2) = "bye";
  NsGrid.cell(2, 4) = "MARTIN Eve";
  EwGrid.cell(1, 2) = "PETIT Marc";
  StorePairsGrid();
  EXPECT_EQ(PairLabels[1], "DUPONT Jean - DURAND Paul");
  EXPECT_EQ(PairLabels[2], "BYE");
  EXPECT_TRUE(Player2Names[2].isEmpty());
  EXPECT_EQ(PairLabels[3], "? - ?");
  EXPECT_EQ(PairLabels[4], "? - MARTIN Eve");
  EXPECT_EQ(PairNumbers[5], -1);
  EXPECT_EQ(PairLabels[5], "? - ?");
  EXPECT_EQ(PairNumbers[6], -2);
  EXPECT_EQ(PairLabels[6], "PETIT Marc - ?");
  EXPECT_EQ(PairNumbers[7], 0);
  EXPECT_EQ(NsGrid.cell(1, 3), "?");
  NsGrid.clear();
  EwGrid.clear();
}

TEST_F(PairChecksTest, StopSavesOnlyThePairsAndEndsTheProgram) {
  ui::ScriptedInteraction ui;
  TournamentCode = "T2";
  testing_support::writeBytes(dataDir() + "T2.VAR", "0\r\n");
  NsGrid.clear();
  EwGrid.clear();
  NsGrid.cell(1, 1) = "DUPONT Jean";
  try {
    PairsEntryStop();
    ADD_FAILURE() << "the program went on";
  } catch (const FatalStopError& stop) {
    EXPECT_EQ(stop.exitCode(), 0);
  }
  EXPECT_EQ(testing_support::readBytes(dataDir() + "T2.PAI"), "1 0 0 DUPONT Jean - ?\xA3" "DUPONT Jean\xA3?\r\n");
  EXPECT_FALSE(QFile::exists(dataDir() + "T2.VAR"));
  EXPECT_TRUE(ui.messages.value(0).startsWith("Vous sauvez uniquement vos paires..."));

  NsGrid.clear();
  EXPECT_THROW(PairsEntryStop(), FatalStopError);
  EXPECT_EQ(ui.messages.last(), "Vous n'avez introduit aucune paire! On quitte immédiatement!");
}
