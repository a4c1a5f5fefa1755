#include "core/Globals.h"
#include "core/ui/MessageWindow.h"
#include "core/ui/ModalScript.h"
#include "core/ui/WindowInteraction.h"
#include "flows/TournamentMenu.h"
#include "setup/PairChanges.h"
#include "setup/ui/PairChangesWindows.h"
#include "support/TestState.h"

#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

using testing_support::ModalScript;
using testing_support::readBytes;

namespace {

void clickCell(QTableWidget* grid, int row, int column) {
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(row - 1, column)).center());
}

class PairChangesWindowTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    ui::InstallWindowInteraction();
    TournamentCode = "CLUB";
    ResultsPerBoard = TableCount = 2;
    PairCount = PairSlotCount = 4;
    MitchellNumbering = true;
    const QStringList names = {"N1", "S1", "N2", "S2", "E1", "W1", "E2", "W2"};
    const int numbers[] = {1, 2, -1, -2};
    for (int s = 1; s <= 4; ++s) {
      PairNumbers[s] = numbers[s - 1];
      Player1Names[s] = names[2 * s - 2];
      Player2Names[s] = names[2 * s - 1];
      PairLabels[s] = Player1Names[s] + " - " + Player2Names[s];
    }
    PlayerCount = 1;
    PlayerNames[1] = "DUPONT Jean", PlayerLicences[1] = "111";
    PlayerChoiceCount = 2;
    PlayerChoiceLines[1] = "BYE", PlayerChoiceLines[2] = "DUPONT Jean";
  }
};

TEST_F(PairChangesWindowTest, TheMenuButtonOpensTheWindowAndANameIsPlacedByAClick) {
  TForm28 window;
  TableDevicesMode = TabletsMode = true;
  PairNamesClick();
  ASSERT_TRUE(window.isVisible());
  EXPECT_EQ(window.NS->item(1, 2)->text(), "S2");
  EXPECT_EQ(window.Joueurs->count(), 2);
  window.Joueurs->setCurrentRow(1);
  clickCell(window.NS, 2, 2);
  EXPECT_EQ(window.NS->item(1, 2)->text(), "DUPONT Jean");
  EXPECT_EQ(window.Joueurs->count(), 1);
  EXPECT_EQ(PlayersNamed, 1);

  ModalScript script;
  script.on("TForm26", [](QWidget* w) {
    EXPECT_EQ(qobject_cast<TForm26*>(w)->text(), "On ne peut pas modifier manuellement avec BridgeMates ou tablettes!");
    ModalScript::key(w, Qt::Key_Return);
  });
  QTimer::singleShot(0, &window, [&] { emit window.EW->cellDoubleClicked(0, 1); });
  for (int i = 0; i < 500 && !script.done(); ++i) QTest::qWait(10);
  EXPECT_TRUE(script.done());

  window.okButton->click();
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(readBytes(dataDir() + "CLUB.PAI").contains("N2 - DUPONT Jean"));
}

}  // namespace
