#include "core/ScriptedInteraction.h"
#include "core/TournamentFiles.h"
#include "platform/TextFiles.h"
#include "scoring/Adjustments.h"
#include "scoring/ResultStore.h"
#include "scoring/Frequencies.h"

#include "ScoringFixture.h"
#include "support/TestSlots.h"

#include <QDir>

#include <unistd.h>

class AdjustmentsTest : public ScoringTest {
 protected:
  void SetUp() override {
    ScoringTest::SetUp();
    layOut(3, 26, 2);
  }
  QByteArray file(const QString& extension) const { return testing_support::readBytes(DataFolder + TournamentCode + extension); }
  bool exists(const QString& extension) const { return platform::fileExists(DataFolder + TournamentCode + extension); }
};

TEST_F(AdjustmentsTest, FreeSplitWithZeroIsKeptAsAdjusted) {
  ui::ScriptedInteraction ui;
  ui.answerText(QStringLiteral("1\t60\t0"));
  ASSERT_TRUE(AdjustOneResult(1, 4));  // E/W pair 1 plays board 1 at table 1
  const int s = slot(1, 1);
  EXPECT_EQ(ResultScore[s], kScoreAdjusted);
  EXPECT_EQ(ResultContract[s], QStringLiteral("AJU."));
  EXPECT_DOUBLE_EQ(ResultNsPercent[s], 60);
  EXPECT_DOUBLE_EQ(ResultEwPercent[s], 0.0001);
  EXPECT_EQ(file(".ADJ"), QByteArray("1 1  6.00000000000000E+0001  1.00000000000000E-0004\r\n"));
  EXPECT_EQ(ui.textQuestions[0].form, QStringLiteral("TForm76"));

  // The listing shows the 0.0001 as 0.0.
  ui.answer(1);
  ListOrDeleteAdjustments(true);
  EXPECT_TRUE(ui.choices.last().text.contains(QStringLiteral("Donne 1 : N/S 1 (  60.0% ) contre E/W 1 (   0.0% ) ")));
}

// A results folder restored with "cp -al": its ".ADJ" is the backup's file
// under a second name, and takes the new line like any other file.
TEST_F(AdjustmentsTest, AHardLinkedAdjFileInTheResultsFolderIsAppendedTo) {
  ui::ScriptedInteraction ui;
  testing_support::writeBytes(DataFolder + "TEST1.ADJ", "2 1 50 50\r\n");
  QDir().mkpath(documentsDir() + "/copie");
  ASSERT_EQ(::link(QFile::encodeName(DataFolder + "TEST1.ADJ").constData(),
                   QFile::encodeName(documentsDir() + "/copie/TEST1.ADJ").constData()),
            0);
  ui.answerText(QStringLiteral("1\t60\t40"));
  ASSERT_TRUE(AdjustOneResult(1, 4));
  EXPECT_EQ(file(".ADJ"), QByteArray("2 1 50 50\r\n1 1  6.00000000000000E+0001  4.00000000000000E+0001\r\n"));
  EXPECT_EQ(ResultScore[slot(1, 1)], kScoreAdjusted);
}

// The ".ADJ" line cannot be written (a folder in its place): the slot keeps
// its result, as the file does.
TEST_F(AdjustmentsTest, AnAdjustmentWhoseLineCannotBeWrittenLeavesTheSlot) {
  ui::ScriptedInteraction ui;
  const int s = slot(1, 1);
  TestSlots().score[s] = 420;
  TestSlots().contract[s] = QStringLiteral("4PN=");
  TestSlots().nsPercent[s] = 75;
  TestSlots().ewPercent[s] = 25;
  TestSlots().matchpoints[s] = 3;
  QDir().mkpath(DataFolder + "TEST1.ADJ");
  ui.answerText(QStringLiteral("1\t60\t40"));
  EXPECT_THROW(AdjustOneResult(1, 4), platform::IoError);
  EXPECT_EQ(ResultScore[s], 420);
  EXPECT_EQ(ResultContract[s], QStringLiteral("4PN="));
  EXPECT_DOUBLE_EQ(ResultNsPercent[s], 75);
  EXPECT_DOUBLE_EQ(ResultEwPercent[s], 25);
  EXPECT_EQ(ResultMatchpoints[s], 3);
}

TEST_F(AdjustmentsTest, GivingUpOrBadValuesStoreNothing) {
  ui::ScriptedInteraction ui;
  ui.answerCancel();                           // a window that answers nothing
  ui.answerText(QStringLiteral("2\t120\t"));  // out of range
  ui.answerText(QStringLiteral("2\tx\t4"));   // not a number
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(AdjustOneResult(2, 1));
  EXPECT_EQ(ui.messages, (QStringList{QStringLiteral("Le pourcentage N/S doit être compris entre 0 et 100!"),
                                      QStringLiteral("Erreur dans le pourcentage N/S!")}));
  EXPECT_FALSE(exists(".ADJ"));
  EXPECT_EQ(ResultScore[slot(2, 1)], kScoreNone);

  TestSlots().score[slot(2, 1)] = 420;  // entered, frequencies not computed
  EXPECT_FALSE(AdjustOneResult(2, 1));
  EXPECT_EQ(ui.messages.last(), QStringLiteral("Fréquences non calculées!!"));
  onlyTables(2, 2);
  EXPECT_FALSE(AdjustOneResult(2, 3));
  EXPECT_EQ(ui.messages.last(), QStringLiteral("Cette paire ne doit pas jouer cette donne!"));
}

TEST_F(AdjustmentsTest, PenaltyOfATopAndVictoryPointBounds) {
  ui::ScriptedInteraction ui;
  ui.answer(4).answerText(QStringLiteral("2\tN/S")).answer(3).answerText(QStringLiteral("20"));
  AdjustmentsAndPenaltiesMenu();
  EXPECT_EQ(file(".PEN"), QByteArray("2 -0.769230769230769\r\n"));
  EXPECT_TRUE(ui.choices[1].buttons[2].endsWith(QStringLiteral("(=3.85%)")));
  EXPECT_EQ(ui.messages.last(), QStringLiteral("OK, pénalité de 0.769230769230769 % pour la paire N2."));

  // IMPs: the prompt's 1 to 5 is the bound checked.
  ImpScoring = true;
  ui.answer(4).answerText(QStringLiteral("1\tE/W")).answer(2).answerText(QStringLiteral("5"));
  ui.answer(4).answerText(QStringLiteral("1\tE/W")).answer(1).answerText(QStringLiteral("6"));
  AdjustmentsAndPenaltiesMenu();
  AdjustmentsAndPenaltiesMenu();
  EXPECT_EQ(file(".PEN"), QByteArray("2 -0.769230769230769\r\n4 5\r\n"));
  EXPECT_EQ(ui.messages.last(), QStringLiteral("Erreur!"));
}

// A table sent board 2 as "Arbitral", leaving the split to the director: he
// gives it at once; a result adjusted with its split must be deleted first.
TEST_F(AdjustmentsTest, ATablesArbitralScoreWithoutItsSplitIsSplitAtOnce) {
  const int s = slot(2, 1);
  TestSlots().contract[s] = QStringLiteral("AJU.");
  TestSlots().score[s] = kScoreAdjusted;
  ui::ScriptedInteraction ui;
  ui.answerText(QStringLiteral("4\t\t"));  // 60 % - 40 %
  ASSERT_TRUE(AdjustOneResult(2, ResultNsPair[s])) << ui.messages.join(u'|').toStdString();
  EXPECT_DOUBLE_EQ(ResultNsPercent[s], 60);
  EXPECT_DOUBLE_EQ(ResultEwPercent[s], 40);
  EXPECT_TRUE(file(".ADJ").startsWith(QStringLiteral("%1 2 ").arg(s).toUtf8()));

  EXPECT_FALSE(AdjustOneResult(2, ResultNsPair[s]));
  EXPECT_EQ(ui.messages.last(),
            QStringLiteral("Bien que cette donne soit déjà marquée comme ajustée, veuillez d'abord la supprimer ..."));
  EXPECT_DOUBLE_EQ(ResultNsPercent[s], 60);
}

TEST_F(AdjustmentsTest, DeletingEveryAdjustmentResetsTheSlotsAndRemovesTheFile) {
  ui::ScriptedInteraction ui;
  ui.answerText(QStringLiteral("4\t\t")).answerText(QStringLiteral("5\t\t"));
  // Board 1 at table 1 was played (4 spades by North, the king of hearts
  // led) before the director adjusted it: the adjustment keeps the lead and
  // the declarer, its deletion must not.
  const int played = slot(1, 1);
  TestSlots().contract[played] = QStringLiteral("4PN=");
  TestSlots().score[played] = 420;
  TestSlots().lead[played] = QStringLiteral("RC");
  TestSlots().declarer[played] = QStringLiteral("N");
  TestSlots().nsPercent[played] = TestSlots().ewPercent[played] = 50;
  ASSERT_TRUE(AdjustOneResult(1, 1));
  ASSERT_EQ(ResultLead[played], QStringLiteral("RC"));
  ASSERT_TRUE(AdjustOneResult(3, 2));
  writeFile(".PEN", "1 -1\r\n");
  ui.answer(1).answer(1).answer(2);  // both adjustments deleted, the penalty kept
  ListOrDeleteAdjustments(false);
  EXPECT_FALSE(exists(".ADJ"));
  EXPECT_FALSE(exists(".$$$"));
  EXPECT_EQ(file(".PEN"), QByteArray("1 -1\r\n"));
  for (int s : {slot(1, 1), slot(3, 2)}) {
    EXPECT_EQ(ResultScore[s], kScoreNone);
    EXPECT_EQ(ResultContract[s], QString());
    EXPECT_EQ(ResultNsPercent[s], 0);
    // As a result never entered: no lead, no declarer left behind.
    EXPECT_EQ(ResultLead[s], QStringLiteral("?"));
    EXPECT_EQ(ResultDeclarer[s], QStringLiteral("?"));
  }
  // Saved at once: the results file no longer holds an adjusted result.
  EXPECT_FALSE(file(".VAR").contains("AJU."));
  EXPECT_EQ(ui.messages.last(),
            QStringLiteral("Les donnes dont l'ajustement a été supprimé devront être réencodées ou réajustées..."));
}

TEST_F(AdjustmentsTest, RemovingOneResultsAdjustmentKeepsTheOthers) {
  writeFile(".ADJ", "1 1 60 40\r\n7 3 50 50\r\n1 1 40 60\r\n");
  CurrentBoard = 1;
  RemoveResultAdjustment(1);
  EXPECT_EQ(file(".ADJ"), QByteArray("7 3 50 50\r\n"));
  CurrentBoard = 3;
  RemoveResultAdjustment(7);
  EXPECT_FALSE(exists(".ADJ"));
  EXPECT_EQ(AdjustmentRealText(-12.5), QStringLiteral("-1.25000000000000E+0001"));
}
