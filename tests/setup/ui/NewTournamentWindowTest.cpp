// A new tournament from the start screen to the tournament menu, through the
// real windows: parameters, pairs by quick creation, a Mitchell chosen.
#include "core/Globals.h"
#include "core/ui/ModalScript.h"
#include "core/ui/WindowInteraction.h"
#include "flows/ui/StartScreenWindow.h"
#include "flows/ui/TournamentMenuWindow.h"
#include "platform/Clock.h"
#include "platform/TextFiles.h"
#include "setup/ui/MitchellBoardsWindow.h"
#include "setup/ui/MovementKindWindow.h"
#include "setup/ui/NewTournamentParametersWindow.h"
#include "setup/ui/PairsEntryWindow.h"
#include "setup/ui/SetupWindowRegistration.h"
#include "support/TestState.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using testing_support::ModalScript;

namespace {

class NewTournamentWindowTest : public testing_support::TalvaronTest {};

TEST_F(NewTournamentWindowTest, FromTheStartScreenToTheMenuOfAThreeTableMitchell) {
  testing_support::writeBytes(programDir() + "JOUEURS.TXT", "DUPONT Jean 123\r\nMARTIN Eve 456\r\n");
  platform::setFixedNow(QDateTime(QDate(2026, 5, 18), QTime(19, 30)));
  ui::InstallWindowInteraction();
  RegisterSetupWindows();
  TForm1 start;
  TForm2 parameters;
  TForm4 pairs;
  TForm5 menu;
  start.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&start));

  start.findChild<QPushButton*>("SpeedButton1")->click();
  ASSERT_TRUE(parameters.isVisible());
  parameters.Code->setText("ESSAI");
  parameters.OK->click();
  ASSERT_TRUE(pairs.isVisible());
  EXPECT_FALSE(parameters.isVisible());

  ModalScript creation;
  creation.on("TForm11", [](QWidget* w) {
    ModalScript::type(w, "6");
    ModalScript::key(w, Qt::Key_Return);
  });
  pairs.PopupMenu2->findChild<QAction*>(QStringLiteral("Creationrapide1"))->trigger();
  ASSERT_TRUE(creation.done());
  EXPECT_EQ(PairCount, 6);

  ModalScript movement;
  movement.on("TForm9", [](QWidget* w) { static_cast<TForm9*>(w)->Button1->click(); })
      .on("TForm7",
          [](QWidget* w) {
            static_cast<TForm7*>(w)->Edit1->clear();
            ModalScript::type(w, "2");
            ModalScript::key(w, Qt::Key_Return);
          })
      .on("TForm6", [](QWidget* w) { ModalScript::key(w, Qt::Key_Return); });
  pairs.okButton->click();
  EXPECT_TRUE(movement.done());

  EXPECT_TRUE(menu.isVisible());
  EXPECT_FALSE(pairs.isVisible());
  EXPECT_EQ(menu.windowTitle(), "Talvaron ESSAI");
  EXPECT_EQ(TableCount, 3);
  EXPECT_EQ(ResultSlotCount, 18);
  const QStringList var = platform::readTextLines(DataFolder + "ESSAI.VAR");
  ASSERT_EQ(var.size(), 18);
  EXPECT_EQ(var.first(), "1 4 10000 1 1 1 0 ");
  EXPECT_TRUE(platform::fileExists(DataFolder + "ESSAI.PAI"));
  EXPECT_TRUE(platform::fileExists(DataFolder + "ESSAI.DAT"));
  menu.hide();
  ui::setInteraction(nullptr);
}

}  // namespace
