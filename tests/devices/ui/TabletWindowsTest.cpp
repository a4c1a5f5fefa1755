#include "core/Globals.h"
#include "core/ui/ModalScript.h"
#include "core/ui/WindowInteraction.h"
#include "devices/Companions.h"
#include "devices/ui/DeviceWindowRegistration.h"
#include "devices/ui/TabletPasswordWindow.h"
#include "flows/TournamentMenu.h"
#include "support/TestState.h"

#include <QLabel>
#include <QLineEdit>

using testing_support::ModalScript;
using testing_support::readBytes;

class TabletWindowsTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    ui::InstallWindowInteraction();
    RegisterDeviceWindows();
  }
  void TearDown() override {
    ui::setInteraction(nullptr);
    menuView() = TournamentMenuView{};
    TalvaronTest::TearDown();
  }
};

// Esc in the pause question leaves the collection running; Enter pauses it.
TEST_F(TabletWindowsTest, ThePauseQuestionAnswersNoToEscAndYesToEnter) {
  StartTabletRetrieval();
  {
    ModalScript script;
    script.on("TForm66", [](QWidget* w) { ModalScript::key(w, Qt::Key_Escape); });
    PauseButtonClick();
  }
  EXPECT_TRUE(menuView().timerEnabled);
  EXPECT_EQ(menuView().pauseCaption, "<- Pause");
  {
    ModalScript script;
    script.on("TForm66", [](QWidget* w) { ModalScript::key(w, Qt::Key_Return); });
    PauseButtonClick();
  }
  EXPECT_FALSE(menuView().timerEnabled);
  EXPECT_EQ(menuView().pauseCaption, "<- Relancer");
}

TEST_F(TabletWindowsTest, ThePasswordWindowShowsTheOldPasswordAndTakesTheNewOne) {
  TabletPassword = "";
  QString shown;
  QStringList labels;
  {
    ModalScript script;
    script.on("TForm94", [&](QWidget* w) {
      shown = w->findChild<QLabel*>("Label3")->text();
      for (const QLabel* label : w->findChildren<QLabel*>()) labels << label->text();
      ModalScript::type(w, "Club2026");
      ModalScript::key(w, Qt::Key_Return);
    });
    ChangeTabletPassword();
  }
  EXPECT_EQ(shown, "Mot de passe vide...");
  // The tables type it exactly: the window says so, never the opposite.
  EXPECT_TRUE(labels.contains("Les minuscules et les Majuscules comptent : les tables le tapent exactement comme ici"));
  EXPECT_FALSE(labels.join('\n').contains("pas d'importance")) << labels.join('\n').toStdString();
  EXPECT_EQ(TabletPassword, "Club2026");
  EXPECT_EQ(readBytes(programDir() + "ANDROIDPASSWORD.TXT"), "Club2026\r\n");
  {
    ModalScript script;
    script.on("TForm94", [&](QWidget* w) {
      shown = w->findChild<QLabel*>("Label3")->text();
      ModalScript::type(w, "autre");
      ModalScript::key(w, Qt::Key_Escape);
    });
    ChangeTabletPassword();
  }
  EXPECT_EQ(shown, "Club2026");
  EXPECT_EQ(TabletPassword, "Club2026");
}
