// The table-sheet entry driven with real keys: the round loop, the sheet
// and its board, and a whole evening typed from the sheets and computed
// from the tournament menu.
#include "core/Flows.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/State.h"
#include "core/ui/ModalScript.h"
#include "core/ui/WindowInteraction.h"
#include "flows/TournamentMenu.h"
#include "flows/ui/TournamentMenuWindow.h"
#include "platform/TextFiles.h"
#include "scoring/Adjustments.h"
#include "scoring/Frequencies.h"
#include "scoring/ScoreSheet.h"
#include "scoring/ScoringFixture.h"
#include "scoring/ui/ScoringWindowRegistration.h"
#include "scoring/ui/SkipReminderWindows.h"
#include "scoring/ui/TableSheetEntryWindow.h"
#include "setup/Movements.h"
#include "support/RecordingInteraction.h"
#include "support/TestSlots.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using testing_support::ModalScript;
using testing_support::RecordingInteraction;

namespace {

void Type(QWidget* window, const QString& text) {
  for (const QChar c : text) QTest::keyClick(ModalScript::focusOf(window), c.toLatin1());
}
void Key(QWidget* window, Qt::Key key) { ModalScript::key(window, key); }
void Confirm(QWidget* d) { Key(d, Qt::Key_Return); }

QString Cell(QTableWidget* grid, int row, int column) { return grid->item(row, column)->text(); }

}  // namespace

class TableSheetWindowTest : public ScoringTest {
 protected:
  void SetUp() override {
    ScoringTest::SetUp();
    RegisterScoringWindows();
    ui::InstallWindowInteraction();
  }
  void TearDown() override {
    ui::setInteraction(nullptr);
    ScoringTest::TearDown();
  }
  // A standard Mitchell as the start of play writes it (type 1: the skip).
  void mitchell(int tables, int boardsPerTable, int type) {
    layOut(tables, 1, 1);  // pair slots and labels
    ClearAllResults();
    MitchellType = type;
    BoardsPerTable = boardsPerTable;
    BoardCount = tables * boardsPerTable;
    ResultSlotCount = BoardCount * tables;
    RoundCount = RoundsScheduled = RoundsPlayed = tables % 2 == 0 && type != 2 ? tables - 1 : tables;
    GenerateMitchell();
    RenumberMitchellEastWest();
  }
  int slotOf(int board, int table) const { return (board - 1) * ResultsPerBoard + table; }
  QByteArray var() const { return testing_support::readBytes(DataFolder + QStringLiteral("TEST1.VAR")); }
};

TEST_F(TableSheetWindowTest, SkipMitchellRoundsAndTheirReminders) {
  RecordingInteraction ui;
  mitchell(8, 1, 1);
  LastSheetRound = 3;
  QString offered, remindedBefore, remindedAfter;
  ModalScript script;
  script.on("TForm25", Confirm)  // round 4 offered
      .on("TForm62",
          [&](QWidget* d) {
            remindedBefore = static_cast<TForm62*>(d)->Memo1->toPlainText();
            Key(d, Qt::Key_Escape);
          })
      .on("TForm58",
          [](QWidget* d) {
            EXPECT_EQ(static_cast<TForm58*>(d)->roundLabel->text(), " Tour 4 ");
            Key(d, Qt::Key_Escape);
          })
      .on("TForm63",
          [&](QWidget* d) {
            remindedAfter = static_cast<TForm63*>(d)->Memo1->toPlainText();
            Confirm(d);
          })
      .on("TForm25",
          [&](QWidget* d) {
            offered = d->findChild<QLineEdit*>("Edit1")->text();
            Type(d, "8");  // the round skipped
            Confirm(d);
          })
      .on("TForm63", Confirm)
      .on("TForm25",
          [](QWidget* d) {
            Type(d, "7");
            Confirm(d);
          })
      .on("TForm58", [](QWidget* d) { Key(d, Qt::Key_Escape); });
  flowWindows().enterTableSheets();
  EXPECT_TRUE(script.done());
  EXPECT_EQ(offered, "5");
  EXPECT_TRUE(remindedBefore.contains(" Vous allez introduire les résultats \n du tour qui précède le saut"));
  EXPECT_TRUE(remindedAfter.contains(" Vous venez d'introduire les résultats "));
  EXPECT_TRUE(remindedAfter.endsWith(" vont devoir sauter au tour prochain."));
  // One beep before each reminder, one for round 8, one before the end.
  EXPECT_EQ(ui.beeps, 5);
  EXPECT_EQ(ui.messages, QStringList{"Le tournoi est théoriquement temniné. Vous venez d'introduire le dernier tour... "
                                     "Du moins, si vous avez introduit tous les tours..."});
  EXPECT_EQ(LastSheetRound, 7);
}

// A skip Mitchell of 8 tables of which FFBClubNet plays only 5 rounds: the
// reminders come around the skip (after round 4), and round 5, the last one
// played, is taken like the others.
TEST_F(TableSheetWindowTest, FewerRoundsThanTablesStillTakeTheLastRoundPlayed) {
  RecordingInteraction ui;
  mitchell(8, 1, 1);
  RoundCount = RoundsPlayed = 5;
  LastSheetRound = 3;
  QStringList shown;
  const auto sheetOfRound = [&shown](QWidget* d) {
    shown << static_cast<TForm58*>(d)->roundLabel->text();
    Key(d, Qt::Key_Escape);
  };
  ModalScript script;
  script.on("TForm25", Confirm)  // round 4
      .on("TForm62", Confirm)
      .on("TForm58", sheetOfRound)
      .on("TForm63", Confirm)
      .on("TForm25", Confirm)  // round 5
      .on("TForm58", sheetOfRound);
  flowWindows().enterTableSheets();
  EXPECT_TRUE(script.done());
  EXPECT_EQ(shown, QStringList({" Tour 4 ", " Tour 5 "}));
  EXPECT_EQ(LastSheetRound, 5);
  EXPECT_EQ(ui.messages, QStringList{"Le tournoi est théoriquement temniné. Vous venez d'introduire le dernier tour... "
                                     "Du moins, si vous avez introduit tous les tours..."});
}

// On the sheet "Y" swaps whatever the line holds, an empty line too, a number
// no contract gives is refused with the sheet's own message, and a stray
// double click while a number is typed leaves the number where it was begun.
TEST_F(TableSheetWindowTest, AnyLineSwapsAndAnImpossibleNumberIsRefused) {
  RecordingInteraction ui;
  mitchell(4, 2, 1);
  EntryByContracts = false;
  LastSheetRound = 1;
  TableSheet sheet;
  ASSERT_TRUE(sheet.startRound());
  TForm58 w(sheet);
  w.show();
  Type(&w, "61");
  Key(&w, Qt::Key_Return);
  EXPECT_EQ(ui.messages, QStringList{"\"61\" : nombre incorrect!"});
  EXPECT_EQ(ResultScore[slotOf(1, 1)], kScoreNone);
  EXPECT_FALSE(w.Edit1->isVisible());

  Type(&w, "y");  // nothing entered yet
  EXPECT_EQ(ResultSwapped[slotOf(1, 1)], 1);
  EXPECT_EQ(Cell(w.sheetGrid, 1, 0), "1*");
  EXPECT_EQ(Cell(w.sheetGrid, 1, 1), "?");
  EXPECT_TRUE(var().contains("1 5 10000 1 1 1 1"));  // saved at once, swapped
  Type(&w, "y");
  EXPECT_EQ(ResultSwapped[slotOf(1, 1)], 0);
  EXPECT_EQ(Cell(w.sheetGrid, 1, 0), "1");
  EXPECT_EQ(ui.messages.size(), 1);

  // A double click on the table's label while a result is typed neither
  // changes the table nor takes the keyboard from the field.
  const QString table = w.tableLabel->text();
  Type(&w, "-5");
  QTest::mouseDClick(w.tableLabel, Qt::LeftButton);
  EXPECT_EQ(w.tableLabel->text(), table);
  Type(&w, "0");
  Key(&w, Qt::Key_Return);
  EXPECT_FALSE(w.Edit1->isVisible());
  EXPECT_EQ(ResultScore[slotOf(1, 1)], -50);
  EXPECT_EQ(ui.messages.size(), 1);

  // The traveller keeps its own wording for the same refusal.
  EXPECT_FALSE(TypedNumberScore("61", false, 1).has_value());
  EXPECT_EQ(ui.messages.last(), "\"61\" : nombre incorrrect!");
}

TEST_F(TableSheetWindowTest, ContractsNumbersVulnerabilityAndDeclarers) {
  RecordingInteraction ui;
  mitchell(4, 2, 1);
  EntryByContracts = true;
  LastSheetRound = 1;
  TableSheet sheet;
  ASSERT_TRUE(sheet.startRound());
  TForm58 w(sheet);
  w.show();
  EXPECT_EQ(w.boardLabel->text(), " Donne numéro 1 ");
  EXPECT_EQ(w.statusLabel->text(), "Donne 1    Résultat?");
  ModalScript script;
  for (int i = 0; i < 3; ++i) script.on("TForm60", Confirm);

  Type(&w, "4");
  EXPECT_TRUE(w.Edit1->isVisible());
  Type(&w, "PN=");
  Key(&w, Qt::Key_Return);
  EXPECT_EQ(Cell(w.sheetGrid, 1, 1), "4PN=");
  EXPECT_EQ(Cell(w.sheetGrid, 1, 2), "420");
  EXPECT_EQ(w.boardLabel->text(), " Donne numéro 2 ");
  EXPECT_TRUE(var().contains("1 5 420 1 1 1 0 4PN="));

  // Board 2: N/S vulnerable, 420 cannot be theirs.
  Key(&w, Qt::Key_F4);
  Key(&w, Qt::Key_F1);
  Type(&w, "420");
  Key(&w, Qt::Key_Return);
  EXPECT_EQ(ui.messages, QStringList{"Vérifiez la vulnérabilité..."});
  EXPECT_EQ(ResultScore[slotOf(2, 1)], kScoreNone);
  Type(&w, "E");
  EXPECT_EQ(w.Edit1->text(), "-");
  Type(&w, "420");
  Key(&w, Qt::Key_Return);
  EXPECT_EQ(ResultScore[slotOf(2, 1)], -420);
  EXPECT_EQ(Cell(w.sheetGrid, 2, 3), "420");
  EXPECT_EQ(ResultDeclarer[slotOf(2, 1)], "E");
  EXPECT_TRUE(var().contains("1 5 -420 1 1 2 0"));

  // The declarer is the one the parser reads: "S" after the strain redoubles.
  Key(&w, Qt::Key_F4);
  Key(&w, Qt::Key_Right);
  EXPECT_EQ(w.tableLabel->text(), " Table 2 ");
  EXPECT_EQ(w.ewLabel->text(), " E/W 2 ");
  Type(&w, "3TSE+1");
  Key(&w, Qt::Key_Return);
  Type(&w, "3SSN=");
  Key(&w, Qt::Key_Return);
  EXPECT_TRUE(script.done());
  const int board = 3;  // table 2 plays the second set
  EXPECT_EQ(ResultContract[slotOf(board, 2)], "3TXXE+1");
  EXPECT_EQ(ResultDeclarer[slotOf(board, 2)], "E");
  EXPECT_LT(ResultScore[slotOf(board, 2)], 0);
  EXPECT_EQ(ResultDeclarer[slotOf(board + 1, 2)], "N");
  EXPECT_GT(ResultScore[slotOf(board + 1, 2)], 0);
  EXPECT_EQ(Cell(w.boardGrid, 2, 2), "3SXXN=");  // the board grid shows the traveller
}

TEST_F(TableSheetWindowTest, LineSkipWrapsToABYETableThatTakesNoKey) {
  RecordingInteraction ui;
  mitchell(4, 2, 1);
  PairLabels[8] = "BYE";  // E/W 4 sits out; in round 2 it is at table 1
  EntryByContracts = false;
  LastSheetRound = 2;
  TableSheet sheet;
  ASSERT_TRUE(sheet.startRound());
  TForm58 w(sheet);
  w.show();
  auto byeTable = [&] {
    EXPECT_EQ(w.tableLabel->text(), " Table 1 ");
    EXPECT_EQ(w.ewLabel->text(), " E/W BYE ");
    EXPECT_EQ(w.statusLabel->text(), "Ne joue pas ce tour");
    EXPECT_FALSE(w.boardGrid->isVisible());
    EXPECT_EQ(Cell(w.sheetGrid, 1, 0), " ");
  };
  byeTable();
  Type(&w, "p");
  Type(&w, "4");
  EXPECT_FALSE(w.Edit1->isVisible());

  Key(&w, Qt::Key_Left);
  EXPECT_EQ(w.tableLabel->text(), " Table 4 ");
  Key(&w, Qt::Key_F5);
  Type(&w, "100");
  Key(&w, Qt::Key_Return);
  Type(&w, "m");
  byeTable();
  EXPECT_EQ(ResultScore[slotOf(1, 4)], 100);  // table 4 plays the first set in round 2
  EXPECT_EQ(ResultContract[slotOf(2, 4)], "MOY.");
  for (int s = 1; s <= ResultSlotCount; ++s) {
    if (ResultTable[s] == 1 && ResultRound[s] == 2) {
      EXPECT_EQ(ResultScore[s], kScoreNone);
    }
  }

  // A round beyond the rounds played takes no result either.
  RoundsPlayed = 1;
  Key(&w, Qt::Key_Right);
  EXPECT_EQ(w.statusLabel->text(), "Tour non joué...");
  Type(&w, "p");
  EXPECT_EQ(ResultScore[slotOf(5, 2)], kScoreNone);
  EXPECT_TRUE(ui.messages.isEmpty()) << ui.messages.join('|').toStdString();
}

TEST_F(TableSheetWindowTest, DeletedAdjustmentStaysDeletedAndIMPsRefuseAdjusting) {
  RecordingInteraction ui;
  mitchell(4, 2, 1);
  EntryByContracts = true;
  const int adjusted = slotOf(1, 1);
  TestSlots().score[adjusted] = kScoreAdjusted;
  TestSlots().contract[adjusted] = "AJU.";
  TestSlots().nsPercent[adjusted] = 60;
  TestSlots().ewPercent[adjusted] = 40;
  const QString adj = DataFolder + "TEST1.ADJ";
  platform::writeTextLines(adj, {"1 1 " + AdjustmentRealText(60) + ' ' + AdjustmentRealText(40)});
  LastSheetRound = 1;
  TableSheet sheet;
  ASSERT_TRUE(sheet.startRound());
  TForm58 w(sheet);
  w.show();
  ModalScript script;
  script.on("TForm60", Confirm);
  ASSERT_EQ(w.sheet().currentLine(), 2);
  Key(&w, Qt::Key_Up);
  Type(&w, "s");
  EXPECT_FALSE(platform::fileExists(adj));
  EXPECT_EQ(ResultLead[adjusted], "?");
  Type(&w, "3sn=");
  Key(&w, Qt::Key_Return);
  EXPECT_TRUE(script.done());

  ImpScoring = true;
  Type(&w, "a");
  EXPECT_EQ(ui.messages, QStringList{"Désolé, pas d'ajustements de fréquences en IMP's"});
  Type(&w, "m");
  Type(&w, "y");  // an average is swapped like any other line, without a word
  EXPECT_EQ(ui.messages.size(), 1);
  EXPECT_EQ(ResultSwapped[slotOf(2, 1)], 1);
  EXPECT_EQ(Cell(w.sheetGrid, 2, 0), "2*");
  ImpScoring = false;
  Key(&w, Qt::Key_Escape);
  EXPECT_FALSE(w.isVisible());

  ComputeFrequencies();
  EXPECT_EQ(ResultContract[adjusted], "3SN=");
  EXPECT_EQ(ResultScore[adjusted], 400);
  EXPECT_TRUE(var().contains("1 5 400 1 1 1 0 3SN="));
}

// Four tables of a skip Mitchell, two boards a round, every result typed on
// the table sheets from the menu with the line skip on, then computed there.
TEST_F(TableSheetWindowTest, FourTableEveningTypedOnTheSheetsAndRanked) {
  mitchell(4, 2, 1);
  EntryByContracts = false;
  menuView() = TournamentMenuView{};
  TForm5 menu;
  menu.showMenu();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
  // Whatever the board, N/S 1 makes 420, N/S 2 170, N/S 3 passes and N/S 4
  // loses 50: the N/S pairs are ranked 1 > 2 > 3 > 4 on every board.
  auto typeRound = [](QWidget* d) {
    if (!SheetLineSkip) Key(d, Qt::Key_F5);
    const QString results[] = {"420", "170", "p", "e50"};
    for (int table = 1; table <= 4; ++table) {
      const QString& r = results[static_cast<TForm58*>(d)->sheet().nsCounter() - 1];
      for (int line = 1; line <= 2; ++line) {
        Type(d, r);
        if (r != "p") Key(d, Qt::Key_Return);
      }
    }
    Key(d, Qt::Key_Escape);
  };
  ModalScript script;
  script.on("TForm25", Confirm)
      .on("TForm58", typeRound)
      .on("TForm25", Confirm)
      .on("TForm62", Confirm)  // round 2 comes before the skip
      .on("TForm58", typeRound)
      .on("TForm63", Confirm)
      .on("TForm25", Confirm)
      .on("TForm58", typeRound)
      .on("TForm26", Confirm);  // the last round is in
  menu.findChild<QPushButton*>("Button1")->click();
  EXPECT_TRUE(script.done());
  for (int s = 1; s <= ResultSlotCount; ++s) {
    if (ResultNsPair[s] != 0) {
      EXPECT_NE(ResultScore[s], kScoreNone) << s;
    }
  }

  menu.findChild<QPushButton*>("Button6")->click();
  menu.findChild<QPushButton*>("Button9")->click();
  // By hand: N/S t plays sets t, t+1, t+2 against the other two N/S pairs of
  // the set: N/S 1 100 100 100, N/S 2 50 50 100, N/S 3 50 0 50, N/S 4 0 0 0.
  // E/W e meets N/S e, then N/S e+1, then N/S e-1 (the skip):
  // E/W 1 0 50 100, E/W 2 50 50 0, E/W 3 100 100 0, E/W 4 100 0 50.
  const double expected[9] = {0, 100, 200.0 / 3, 100.0 / 3, 0, 50, 100.0 / 3, 200.0 / 3, 50};
  for (int p = 1; p <= 8; ++p) EXPECT_NEAR(PairFinalScore[p], expected[p], 1e-9) << "pair " << p;
  menu.hide();
}

// Where each part of the window stands, in the window's coordinates.
namespace {
QList<QRect> Places(TForm58& w) {
  QList<QRect> places;
  QList<QWidget*> parts{w.sheetGrid, w.boardGrid, w.menuButton, w.boardLabel, w.vulnerabilityLabel};
  for (QGroupBox* box : w.findChildren<QGroupBox*>()) parts << box;
  for (QWidget* part : parts) places << QRect(part->mapTo(&w, QPoint(0, 0)), part->size());
  return places;
}
}  // namespace

// Typing a result opens the field under the sheet and closes it at Enter:
// the window, its grids and its boxes stay where they are throughout, and
// the boxes fill the window down to its bottom.
TEST_F(TableSheetWindowTest, NothingMovesWhileAResultIsTyped) {
  RecordingInteraction ui;
  mitchell(4, 3, 1);
  EntryByContracts = true;
  LastSheetRound = 1;
  TableSheet sheet;
  ASSERT_TRUE(sheet.startRound());
  TForm58 w(sheet);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  EXPECT_EQ(w.size(), QSize(768, 668));
  const QRect window = w.geometry();
  const QList<QRect> before = Places(w);

  ModalScript script;
  script.on("TForm60", Confirm);
  Type(&w, "3");
  ASSERT_TRUE(w.Edit1->isVisible());
  EXPECT_EQ(Places(w), before);
  Type(&w, "SN+1");
  EXPECT_EQ(Places(w), before);
  Key(&w, Qt::Key_Return);
  EXPECT_TRUE(script.done());
  EXPECT_FALSE(w.Edit1->isVisible());
  EXPECT_EQ(Cell(w.sheetGrid, 1, 1), "3SN+1");
  EXPECT_EQ(Places(w), before);
  // An option switched, with its longer text, moves nothing either.
  Key(&w, Qt::Key_F5);
  EXPECT_EQ(Places(w), before);
  EXPECT_EQ(w.geometry(), window);

  // The options at the left and the menu at the right end in the last
  // tenth of the window.
  for (QGroupBox* box : w.findChildren<QGroupBox*>()) {
    const int bottom = box->mapTo(&w, QPoint(0, box->height())).y();
    if (box->title() == "Options actuelles") {
      EXPECT_GT(bottom, w.height() * 9 / 10) << bottom;
    }
  }
  EXPECT_GT(w.menuButton->mapTo(&w, QPoint(0, w.menuButton->height())).y(), w.height() * 9 / 10);
}
