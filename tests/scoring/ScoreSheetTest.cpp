#include "core/ScriptedInteraction.h"
#include "platform/TextFiles.h"
#include "scoring/Adjustments.h"
#include "scoring/Frequencies.h"
#include "scoring/LeadCheck.h"
#include "scoring/ScoreSheet.h"

#include "ScoringFixture.h"
#include "support/TestSlots.h"

#include <QtCore/qnamespace.h>

#include <array>

class ScoreSheetTest : public ScoringTest {
 protected:
  void SetUp() override {
    ScoringTest::SetUp();
    layOut(3, 4, 2);
    EntryByContracts = false;
  }
  QByteArray file(const QString& extension) const { return testing_support::readBytes(DataFolder + TournamentCode + extension); }
};

TEST_F(ScoreSheetTest, PossibleScoresAndVulnerability) {
  for (int s : {50, 70, 7600, 420}) EXPECT_TRUE(IsPossibleScore(s)) << s;
  for (int s : {0, 40, 60, 75, 7610, -420}) EXPECT_FALSE(IsPossibleScore(s)) << s;
  CoherenceTest = true;
  EXPECT_FALSE(VulnerabilityCoherenceTest(420, 2));  // N/S vulnerable
  EXPECT_TRUE(VulnerabilityCoherenceTest(620, 2));
  EXPECT_FALSE(VulnerabilityCoherenceTest(620, 1));
  EXPECT_TRUE(VulnerabilityCoherenceTest(-50, 3));    // E/W vulnerable: N/S went down
  EXPECT_FALSE(VulnerabilityCoherenceTest(50, 3));    // E/W went down vulnerable: 100
  EXPECT_TRUE(VulnerabilityCoherenceTest(-420, 2));
  CoherenceTest = false;
  EXPECT_TRUE(VulnerabilityCoherenceTest(50, 3));
}

TEST_F(ScoreSheetTest, KeysByTheCharacterTyped) {
  EXPECT_EQ(SheetKeyFor(Qt::Key_Y, QStringLiteral("y")), SheetKey::Swap);
  EXPECT_EQ(SheetKeyFor(Qt::Key_Z, QStringLiteral("y")), SheetKey::Swap);  // QWERTZ / AZERTY alike
  EXPECT_EQ(SheetKeyFor(Qt::Key_Dollar, QStringLiteral("$")), SheetKey::Swap);
  EXPECT_EQ(SheetKeyFor(Qt::Key_Asterisk, QStringLiteral("*"), true), SheetKey::Swap);
  EXPECT_EQ(SheetKeyFor(Qt::Key_Asterisk, QStringLiteral("*"), false), SheetKey::Character);
  EXPECT_EQ(SheetKeyFor(Qt::Key_Exclam, QStringLiteral("!")), SheetKey::Repeat);
  EXPECT_EQ(SheetKeyFor(Qt::Key_N, QStringLiteral("n")), SheetKey::Average);
  EXPECT_EQ(SheetKeyFor(Qt::Key_S, QStringLiteral("s")), SheetKey::Delete);
  EXPECT_EQ(SheetKeyFor(Qt::Key_E, QStringLiteral("e")), SheetKey::Character);
  EXPECT_EQ(SheetKeyFor(Qt::Key_F4, {}), SheetKey::ToggleEntryMode);
  EXPECT_EQ(SheetKeyFor(Qt::Key_Shift, {}), SheetKey::None);
}

TEST_F(ScoreSheetTest, NumbersKeepThePairsAndSignsNeverDouble) {
  ui::ScriptedInteraction ui;
  ScoreSheet sheet;
  const int ew = ResultEwPair[slot(1, 1)];
  ASSERT_TRUE(sheet.readyForResult());
  QString text;
  ASSERT_EQ(sheet.beginTyping(u'-', text), EntryColumn::EwPoints);
  text = QStringLiteral("50");
  ASSERT_TRUE(ScoreSheet::validatesNumber(u'-', text));  // "-" in the E/W column: still -50
  EXPECT_TRUE(sheet.validate(text, EntryColumn::EwPoints));
  EXPECT_EQ(ResultScore[slot(1, 1)], -50);
  EXPECT_EQ(ResultEwPair[slot(1, 1)], ew);
  EXPECT_TRUE(file(".VAR").startsWith("1 " + QByteArray::number(ew) + " -50 1 1 1 0"));
  EXPECT_EQ(sheet.currentLine(), 2);

  // Bad texts leave the line as it was.
  EXPECT_FALSE(sheet.validate(QStringLiteral("7610"), EntryColumn::NsPoints));
  EXPECT_FALSE(sheet.validate(QStringLiteral("4x"), EntryColumn::NsPoints));
  EXPECT_FALSE(sheet.validate(QStringLiteral("0"), EntryColumn::EwPoints));
  EXPECT_EQ(ui.messages, (QStringList{QStringLiteral("\"7610\" : nombre incorrrect!"),
                                      QStringLiteral("\"4x\" n'est pas un nombre!")}));
  EXPECT_EQ(ResultScore[slot(1, 2)], kScoreNone);
}

TEST_F(ScoreSheetTest, ReplacingAnAdjustedResultDropsItsAdjustment) {
  ui::ScriptedInteraction ui;
  ScoreSheet sheet;
  ui.answerText(QStringLiteral("4\t\t"));
  ASSERT_TRUE(sheet.readyForResult());
  ASSERT_TRUE(sheet.storeAdjusted());
  EXPECT_EQ(ResultScore[slot(1, 1)], kScoreAdjusted);
  sheet.setCurrentLine(1);
  sheet.deleteCurrent();
  EXPECT_FALSE(platform::fileExists(DataFolder + QStringLiteral("TEST1.ADJ")));
  EXPECT_EQ(ResultContract[slot(1, 1)], QString());
  ASSERT_EQ(sheet.currentLine(), 1);
  ASSERT_TRUE(sheet.readyForResult());
  ASSERT_TRUE(sheet.validate(QStringLiteral("120"), EntryColumn::NsPoints));
  ASSERT_TRUE(sheet.readyForResult());
  ASSERT_TRUE(sheet.validate(QStringLiteral("110"), EntryColumn::NsPoints));
  ASSERT_TRUE(sheet.readyForResult());
  ASSERT_TRUE(sheet.storeRepeat());  // the space bar: 110 again
  EXPECT_EQ(ResultScore[slot(1, 3)], 110);
  ComputeFrequencies();
  EXPECT_EQ(ResultScore[slot(1, 1)], 120);

  // "A" given up stores nothing.
  sheet.nextBoard();
  ui.answerCancel();
  ASSERT_TRUE(sheet.readyForResult());
  EXPECT_FALSE(sheet.storeAdjusted());
  EXPECT_EQ(ResultScore[slot(2, 1)], kScoreNone);
}

TEST_F(ScoreSheetTest, ClearingABoardAsksFirst) {
  ui::ScriptedInteraction ui;
  scores(1, {420, 170, 450});
  ScoreSheet sheet;
  ui.answer(7).answer(6);
  sheet.clearBoard();
  EXPECT_EQ(ResultScore[slot(1, 2)], 170);
  sheet.clearBoard();
  for (int t = 1; t <= 3; ++t) EXPECT_EQ(ResultScore[slot(1, t)], kScoreNone);
  EXPECT_TRUE(file(".VAR").startsWith("1 4 10000 "));
}

TEST_F(ScoreSheetTest, LinesWithoutResultAreSkippedAndLineSkipWraps) {
  ui::ScriptedInteraction ui;
  onlyTables(4, 2);  // table 3 does not play board 4
  TestSlots().ewPair[slot(4, 1)] = 0;
  ScoreSheet sheet;
  sheet.layOut(4);
  EXPECT_EQ(sheet.currentLine(), 2);
  EXPECT_EQ(sheet.cells(3)[0], QStringLiteral("Donne"));
  EXPECT_EQ(sheet.cells(1)[1], QStringLiteral("BYE"));
  SheetLineSkip = true;
  ASSERT_TRUE(sheet.readyForResult());
  ASSERT_TRUE(sheet.storePassedOut());
  EXPECT_EQ(sheet.board(), 1);  // the move down ended on a line without a result: next board, board 1
  EXPECT_EQ(ResultContract[slot(4, 2)], QStringLiteral("PASSE"));
  EXPECT_EQ(ResultLead[slot(4, 2)], QStringLiteral("?"));
}

TEST_F(ScoreSheetTest, LineOrderByNorthSouthOrByRounds) {
  IsHowell = true;
  MitchellNumbering = false;
  const int s1 = slot(1, 1), s2 = slot(1, 2), s3 = slot(1, 3);
  TestSlots().nsPair[s1] = 3;
  TestSlots().nsPair[s2] = 1;
  TestSlots().nsPair[s3] = 2;
  TestSlots().round[s2] = 2;
  ScoreSheet sheet;
  EXPECT_EQ((std::array{sheet.slotOfLine(1), sheet.slotOfLine(2), sheet.slotOfLine(3)}), (std::array{s2, s3, s1}));
  sheet.toggleOrder();
  EXPECT_EQ((std::array{sheet.slotOfLine(1), sheet.slotOfLine(2), sheet.slotOfLine(3)}), (std::array{s1, s3, s2}));
  // A round not played yet takes no result.
  RoundsPlayed = 1;
  sheet.layOut(1);
  EXPECT_EQ(sheet.cells(3)[2], QStringLiteral("joué."));
  sheet.setCurrentLine(2);
  sheet.down();
  EXPECT_EQ(sheet.currentLine(), 3);
  EXPECT_FALSE(sheet.readyForResult());
}

// Board 3 is played in round 2 at every table. Two of its results were typed,
// then the rounds played were lowered to 1: both stay reachable and deletable.
TEST_F(ScoreSheetTest, ALateRoundResultIsDeletedAfterTheRoundsPlayedWereLowered) {
  ui::ScriptedInteraction ui;
  scores(3, {420, 170});
  RoundsPlayed = 1;
  ScoreSheet sheet;
  sheet.layOut(3);
  EXPECT_EQ(sheet.currentLine(), 1);
  EXPECT_EQ(sheet.cells(1)[2], QStringLiteral("420"));
  EXPECT_EQ(sheet.cells(3)[2], QStringLiteral("joué."));  // nothing there: still "Tour non joué."
  EXPECT_FALSE(sheet.readyForResult());                  // nor can a result be typed
  sheet.deleteCurrent();
  EXPECT_EQ(ResultScore[slot(3, 1)], kScoreNone);
  EXPECT_EQ(sheet.currentLine(), 2);  // laid out again, on the line still held
  sheet.up();
  sheet.down();
  EXPECT_EQ(sheet.currentLine(), 2);
  sheet.deleteCurrent();
  EXPECT_EQ(ResultScore[slot(3, 2)], kScoreNone);
  EXPECT_TRUE(file(".VAR").contains("3 4 10000 "));
  EXPECT_EQ(ui.beeps, 0);
}

TEST_F(ScoreSheetTest, RefusalsOfSwapModeAndLead) {
  ui::ScriptedInteraction ui;
  scores(1, {kScoreAverage, 420});
  ScoreSheet sheet;
  sheet.setCurrentLine(1);
  sheet.swapCurrent();
  EXPECT_EQ(ResultSwapped[slot(1, 1)], 0);
  sheet.setCurrentLine(2);
  sheet.swapCurrent();
  EXPECT_EQ(ResultSwapped[slot(1, 2)], 1);
  EXPECT_EQ(sheet.cells(2)[0], QStringLiteral("2*"));

  EXPECT_FALSE(sheet.setAskLead(true));  // entry by numbers
  FederationMode = true;
  EXPECT_FALSE(sheet.toggleEntryMode());
  EXPECT_FALSE(EntryByContracts);
  EXPECT_TRUE(sheet.toggleEntryMode(false));  // the label's double-click
  EXPECT_TRUE(sheet.setAskLead(true));
  EXPECT_TRUE(platform::fileExists(ProgramFolder + QStringLiteral("DemanderEntame.TXT")));
  EXPECT_EQ(ui.messages, (QStringList{
                             QStringLiteral("Impossible d'inverser un tel score! Supprimez-le et modifiez-le d'abord"),
                             QStringLiteral("Impossible d'utiliser l'option \"Demander l'entame\" quand on introduit les "
                                            "résultats par nombres... Modifiez avec la touche F4."),
                             QStringLiteral("Impossible d'utiliser la marque par nombres pour un tournoi FFB!"),
                         }));
}

TEST_F(ScoreSheetTest, RepeatOnAnotherBoardTakesItsVulnerability) {
  ui::ScriptedInteraction ui;
  EntryByContracts = true;
  ScoreSheet sheet;
  ui.answer(1);  // "Résultat": OK
  ASSERT_TRUE(sheet.readyForResult());
  ASSERT_TRUE(sheet.validate(QStringLiteral("4pn"), EntryColumn::Result));
  EXPECT_EQ(ResultScore[slot(1, 1)], 420);
  sheet.nextBoard();  // board 2: N/S vulnerable
  ASSERT_TRUE(sheet.readyForResult());
  ASSERT_TRUE(sheet.storeRepeat());
  EXPECT_EQ(ResultContract[slot(2, 1)], QStringLiteral("4PN="));
  EXPECT_EQ(ResultScore[slot(2, 1)], 620);

  // Points repeated where the vulnerability forbids them are refused.
  EntryByContracts = false;
  CoherenceTest = true;
  sheet.previousBoard();
  ASSERT_TRUE(sheet.readyForResult());
  ASSERT_TRUE(sheet.validate(QStringLiteral("420"), EntryColumn::NsPoints));
  sheet.nextBoard();
  ASSERT_TRUE(sheet.readyForResult());
  EXPECT_FALSE(sheet.storeRepeat());
  EXPECT_EQ(ResultScore[slot(2, 2)], kScoreNone);
  EXPECT_EQ(ui.messages.value(ui.messages.size() - 1), QStringLiteral("Vérifiez la vulnérabilité..."));
}

namespace {

// East (on lead against North) holds A R X 3 of spades, hearts A R, no
// diamond, the rest clubs.
void dealWithEastOnLead() {
  DealDiagrams[1] = QStringLiteral(
      "Board 1\r\n--------\r\n\r\nNord\r\n\r\nP  D V 9 8\r\nC  D V X 9\r\nK  A R D\r\nT  A R D\r\n\r\nSud\r\n\r\n"
      "P  7 6 5\r\nC  8 7 6 5 4\r\nK  V X 9 8\r\nT  V\r\n\r\nEst\r\n\r\nP  A R X 3\r\nC  A R\r\nK  \r\n"
      "T  X 9 8 7 6 5 4\r\n\r\nOuest\r\n\r\nP  4 2\r\nC  3 2\r\nK  7 6 5 4 3 2\r\nT  3 2\r\n");
}

}  // namespace

TEST_F(ScoreSheetTest, ALeadNotHeldIsQuestionedAndTheDirectorHasTheLastWord) {
  EXPECT_EQ(LeadNotHeld({"A R X 3", "A R", "", "X 9 8"}, "Est", "DP"),
            "L'entame Dame de pique n'est pas dans la main d'Est, à la gauche du déclarant.");
  EXPECT_EQ(LeadNotHeld({"A R X 3", "A R", "", "X 9 8"}, "Sud", "xC"),
            "L'entame petit cœur n'est pas dans la main de Sud, à la gauche du déclarant.");
  for (const char* held : {"AP", "10P", "xP", "RC", "xT", "?", ""})
    EXPECT_EQ(LeadNotHeld({"A R X 3", "A R", "", "X 9 8"}, "Est", held), "") << held;
  EXPECT_EQ(LeadNotHeld({"", "", "", ""}, "Est", "AK"), "");  // an unknown hand checks nothing
  EXPECT_EQ(LeaderHeading("O"), "Nord");

  ui::ScriptedInteraction ui;
  EntryByContracts = true;
  AskOpeningLead = true;
  dealWithEastOnLead();
  ScoreSheet sheet;
  // 4♠ by North: East leads. The queen of spades is questioned; "non" asks
  // the lead again; the king of diamonds too, and the director keeps it.
  ui.answer(1).answerText("DP").answer(7).answerText("RK").answer(6);
  ASSERT_TRUE(sheet.readyForResult());
  ASSERT_TRUE(sheet.validate(QStringLiteral("4pn"), EntryColumn::Result));
  EXPECT_EQ(ui.questions.filter("L'entame"),
            QStringList({"L'entame Dame de pique n'est pas dans la main d'Est, à la gauche du déclarant. La garder quand même?",
                         "L'entame Roi de carreau n'est pas dans la main d'Est, à la gauche du déclarant. La garder quand même?"}));
  EXPECT_EQ(ResultLead[slot(1, 1)], "RK");
  // A lead East holds goes in without a question.
  ui.answer(1).answerText("10P");
  ASSERT_TRUE(sheet.readyForResult());
  ASSERT_TRUE(sheet.validate(QStringLiteral("4pn"), EntryColumn::Result));
  EXPECT_EQ(ui.questions.filter("L'entame").size(), 2);
  EXPECT_EQ(ResultLead[slot(1, 2)], "10P");
  EXPECT_TRUE(ui.allAnswered());
}

TEST_F(ScoreSheetTest, LeavingTheSheetsOfADevicesEveningVentilatesTheFinishedBoardsOnly) {
  TableDevicesMode = true;
  AutoVentilation = true;
  scores(1, {100, 200});                 // table 3 still owes board 1
  scores(2, {100, 200, kScoreAverage});  // board 2 is over: table 3 did not play it
  ScoreSheet::close();
  // Board 1 in play, two results compared: 0 % and 100 %.
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(1, 1)], 0);
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(1, 2)], 100);
  // Board 2 ventilated over its 3 results (Neuberg, top 4): 200 gets
  // (2 + 1) x 3 / 2 - 1 = 3.5, 87.5 %; 100 gets (0 + 1) x 3 / 2 - 1 = 0.5, 12.5 %.
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(2, 1)], 12.5);
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(2, 2)], 87.5);
}
