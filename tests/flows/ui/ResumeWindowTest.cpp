// The start screen's resume button with the real windows: the tournament
// chooser, and the start screen back whenever no tournament goes on.
#include "core/Flows.h"
#include "core/Globals.h"
#include "core/TournamentFiles.h"
#include "core/ui/ModalScript.h"
#include "core/ui/WindowInteraction.h"
#include "flows/StartScreen.h"
#include "flows/ui/StartScreenWindow.h"
#include "flows/ui/TournamentMenuWindow.h"
#include "scoring/ResultFiles.h"
#include "support/TestState.h"
#include "support/TestSlots.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

using testing_support::ModalScript;
using testing_support::writeBytes;

namespace {

class ResumeWindowTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    writeBytes(programDir() + "JOUEURS.TXT", "DUPONT Jean 123\r\n");
    ui::InstallWindowInteraction();
  }
  void TearDown() override {
    ui::setInteraction(nullptr);
    flowWindows() = FlowWindows{};
    TalvaronTest::TearDown();
  }
  // A finished tournament of 2 tables and 1 board, saved last week.
  void saveTournament() {
    TournamentCode = "SOIR";
    DateDay = "30", DateMonth = "11", DateYear = "2026", TournamentTitle = "Lundi";
    const int numbers[] = {1, 2, -1, -2};
    for (int p = 1; p <= 4; ++p) {
      PairNumbers[p] = numbers[p - 1];
      Player1Names[p] = QStringLiteral("A%1").arg(p);
      Player2Names[p] = QStringLiteral("B%1").arg(p);
      PairLabels[p] = Player1Names[p] + " - " + Player2Names[p];
    }
    ResultsPerBoard = TableCount = 2;
    BoardCount = DealCount = 1;
    ResultSlotCount = 2;
    for (int s = 1; s <= 2; ++s) {
      TestSlots().nsPair[s] = s, TestSlots().ewPair[s] = s + 2, TestSlots().board[s] = 1, TestSlots().table[s] = s, TestSlots().round[s] = 1;
      TestSlots().score[s] = s == 1 ? 420 : -50;
    }
    SaveTournamentAll();
    testing_support::resetGlobals();
  }
};

TEST_F(ResumeWindowTest, EscInTheChooserComesBackAndTheChosenTournamentIsResumedOnTheMenu) {
  saveTournament();
  TForm1 screen;
  TForm5 menu;
  screen.show();

  // Esc in the chooser: straight back to the start screen.
  ModalScript esc;
  esc.on("TForm83", [](QWidget* w) { ModalScript::key(w, Qt::Key_Escape); });
  screen.findChild<QPushButton*>("SpeedButton2")->click();
  EXPECT_TRUE(esc.done());
  EXPECT_TRUE(screen.isVisible());
  EXPECT_FALSE(menu.isVisible());

  QStringList chooserLines;
  ModalScript script;
  script.on("TForm83", [&](QWidget* w) {
    auto* list = w->findChild<QListWidget*>("ListBox1");
    for (int i = 0; i < list->count(); ++i) chooserLines << list->item(i)->text();
    EXPECT_FALSE(screen.isVisible());
    list->setCurrentRow(0);
    ModalScript::key(w, Qt::Key_Return);
  });
  screen.findChild<QPushButton*>("SpeedButton2")->click();
  EXPECT_TRUE(script.done());
  ASSERT_EQ(chooserLines.size(), 1);
  EXPECT_TRUE(chooserLines[0].startsWith("SOIR du Lundi 30/11/2026   (2 résultats, modifié le ")) << chooserLines[0].toStdString();
  EXPECT_EQ(TournamentCode, "SOIR");
  EXPECT_EQ(ResultScore[2], -50);
  EXPECT_EQ(ResultsEntered, 2);
  EXPECT_TRUE(menu.isVisible());
  EXPECT_FALSE(screen.isVisible());
  menu.hide();
}

// The only tournament shows highlighted, and Enter resumes it: no click, no
// arrow needed.
TEST_F(ResumeWindowTest, EnterResumesTheHighlightedTournament) {
  saveTournament();
  TForm1 screen;
  TForm5 menu;
  screen.show();
  QStringList highlighted;
  ModalScript script;
  script.on("TForm83", [&](QWidget* w) {
    auto* list = w->findChild<QListWidget*>("ListBox1");
    for (QListWidgetItem* item : list->selectedItems()) highlighted << item->text();
    ModalScript::key(w, Qt::Key_Return);
  });
  screen.findChild<QPushButton*>("SpeedButton2")->click();
  EXPECT_TRUE(script.done());
  ASSERT_EQ(highlighted.size(), 1);
  EXPECT_TRUE(highlighted[0].startsWith("SOIR du Lundi 30/11/2026   ("));
  EXPECT_EQ(TournamentCode, "SOIR");
  EXPECT_TRUE(menu.isVisible());
  EXPECT_FALSE(screen.isVisible());
  menu.hide();
}

}  // namespace
