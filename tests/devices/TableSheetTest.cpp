#include "core/ScriptedInteraction.h"
#include "core/State.h"
#include "platform/Process.h"
#include "devices/Companions.h"
#include "scoring/TableSheet.h"
#include "setup/Movements.h"

#include "scoring/ScoringFixture.h"
#include "support/TestSlots.h"

class TableSheetTest : public ScoringTest {
 protected:
  void SetUp() override {
    ScoringTest::SetUp();
    layOut(3, 6, 2);
  }
};

TEST_F(TableSheetTest, ARoundWithoutTablesEndsTheSearchWithTheMessage) {
  ui::ScriptedInteraction ui;
  const QString message = "Je n'ai pas trouvé la paire N/S 1 au tour 4!\r\nLe mouvement a été mal construit...\r\n"
                          "Utilisez l'autre façon d'introduire les marques!";
  for (const bool numbering : {true, false}) {
    MitchellNumbering = numbering;
    IsHowell = !numbering;
    LastSheetRound = 4;
    TableSheet sheet;
    EXPECT_FALSE(sheet.startRound());
    EXPECT_EQ(ui.messages.value(numbering ? 0 : 1), message);
  }
  LastSheetRound = 2;
  TableSheet sheet;
  ASSERT_TRUE(sheet.startRound());
  EXPECT_EQ(sheet.boardSet(), 2);
}

TEST_F(TableSheetTest, ALateRoundResultIsDeletedAfterTheRoundsPlayedWereLowered) {
  ui::ScriptedInteraction ui;
  scores(3, {420});  // table 1, round 2
  RoundsPlayed = 1;
  LastSheetRound = 2;
  TableSheet sheet;
  ASSERT_TRUE(sheet.startRound());
  ASSERT_EQ(sheet.currentSlot(), slot(3, 1));
  EXPECT_EQ(sheet.sheetCells(1)[1], QStringLiteral("420"));
  sheet.deleteCurrent();
  EXPECT_EQ(ResultScore[slot(3, 1)], kScoreNone);
  EXPECT_EQ(ui.beeps, 0);
  // A line without a result in that round still takes nothing.
  sheet.deleteCurrent();
  EXPECT_EQ(ui.beeps, 1);
}

// Table 1 sent board 1 as "Arbitral" for the director: "A" on its line asks
// the split at once; any other key finds the line holding a result.
TEST_F(TableSheetTest, ATablesArbitralScoreIsSplitWithA) {
  ui::ScriptedInteraction ui;
  TestSlots().contract[slot(1, 1)] = QStringLiteral("AJU.");
  TestSlots().score[slot(1, 1)] = kScoreAdjusted;
  LastSheetRound = 1;
  TableSheet sheet;
  ASSERT_TRUE(sheet.startRound());
  sheet.up();  // the sheet opens on its first empty line
  ASSERT_EQ(sheet.currentSlot(), slot(1, 1));
  EXPECT_FALSE(sheet.readyForResult(SheetKey::Average));
  EXPECT_EQ(ui.messages.value(0), QStringLiteral("Résultat déjà introduit!\r\nSupprimez-le d'abord..."));
  ui.answerText(QStringLiteral("3\t\t"));  // 50 % - 50 %
  ASSERT_TRUE(sheet.readyForResult(SheetKey::Adjusted));
  ASSERT_TRUE(sheet.storeAdjusted());
  EXPECT_DOUBLE_EQ(ResultNsPercent[slot(1, 1)], 50);
  EXPECT_DOUBLE_EQ(ResultEwPercent[slot(1, 1)], 50);
  EXPECT_EQ(ResultContract[slot(1, 1)], QStringLiteral("AJU."));
}

TEST_F(TableSheetTest, NumbersCharactersAndDeclarers) {
  ui::ScriptedInteraction ui;
  LastSheetRound = 1;
  TableSheet sheet;
  ASSERT_TRUE(sheet.startRound());
  EntryByContracts = false;
  QString field;
  ASSERT_TRUE(sheet.readyForResult());
  ASSERT_TRUE(sheet.beginTyping(u'0', field));
  EXPECT_EQ(field, "0");
  EXPECT_FALSE(sheet.validate(field));  // 0 leaves the line empty
  EXPECT_EQ(ResultScore[slot(1, 1)], kScoreNone);
  EXPECT_FALSE(sheet.beginTyping(u'=', field));
  EntryByContracts = true;
  EXPECT_FALSE(sheet.beginTyping(u'k', field));
  EXPECT_EQ(ui.messages, QStringList{"Caractère impossible..."});
  EXPECT_EQ(SheetDeclarerText(0, "PASSE"), QString());
  EXPECT_EQ(SheetDeclarerText(kScoreAverage, "MOY."), QString());
}

TEST_F(TableSheetTest, ContractEditorThroughTheProcessLayer) {
  ui::ScriptedInteraction ui;
  platform::FakeProcesses processes;
  processes.running << "kontravel.exe";
  MitchellNumbering = true;
  PairSlotCount = 20;
  ResultsPerBoard = 10;
  LaunchContractEditor(4, 2, 13);
  ASSERT_EQ(processes.events.size(), 3);
  EXPECT_EQ(processes.events[1], "stop: Kontravel.EXE");
  EXPECT_EQ(processes.events[2], "start: " + ProgramFolder + "Kontravel.EXE 4 2 3");
  EXPECT_TRUE(ui.messages.isEmpty());
  processes.startResults["KONTRAVEL.EXE"] = 2;
  LaunchContractEditor(4, 2, 13);
  EXPECT_EQ(ui.messages, QStringList{"Impossible de modifier un contrat dans Talvaron pour la version FFB avec tablettes. Je "
                                     "tente de lancer le programme \"Kontravel.EXE\" que je ne trouve pas dans le dossier "
                                     "standard..."});
}

class TableSheetSkipTest : public TableSheetTest {
 protected:
  // A skip Mitchell of 8 tables as the start of play writes it: the
  // program's own (kind 0) or one of the federation's kinds.
  void eightTables(int kind, int rounds) {
    layOut(8, 1, 1);
    ClearAllResults();
    MitchellType = 1;
    FederationMovementKind = kind;
    BoardCount = 8;
    ResultSlotCount = 64;
    RoundCount = RoundsScheduled = RoundsPlayed = rounds;
    GenerateMitchell();
    RenumberMitchellEastWest();
  }
};

TEST_F(TableSheetSkipTest, TheRoundBeforeTheSkipComesFromTheMovement) {
  // The program's own: the E/W pairs skip a table after round 4, half the
  // tables.
  eightTables(0, 7);
  EXPECT_EQ(TableSheet::SkipRound(), 4);
  // The federation's kinds 3 and 4 change their E/W rule from round 4 on
  // (half the tables): the skip comes after round 3.
  for (const int kind : {3, 4}) {
    eightTables(kind, 7);
    EXPECT_EQ(TableSheet::SkipRound(), 3) << kind;
  }
  // Kind 1 never skips, nor do 3 rounds of kind 3.
  eightTables(1, 7);
  EXPECT_EQ(TableSheet::SkipRound(), 0);
  eightTables(3, 3);
  EXPECT_EQ(TableSheet::SkipRound(), 0);
}

TEST_F(TableSheetSkipTest, TheFederationSkipIsRemindedAroundRoundThree) {
  eightTables(4, 7);
  LastSheetRound = 2;
  ui::ScriptedInteraction ui;
  ui.answerText("3").answer(1).answer(1).answerCancel();
  QStringList shown;
  EnterTableSheets([&shown](TableSheet& sheet) { shown << sheet.roundLabel(); });
  EXPECT_EQ(shown, QStringList{" Tour 3 "});
  ASSERT_EQ(ui.choices.size(), 2);
  EXPECT_EQ(ui.choices[0].form, "TForm62");  // before round 3 is typed
  EXPECT_EQ(ui.choices[1].form, "TForm63");  // once it is
  EXPECT_TRUE(ui.allAnswered());
}
