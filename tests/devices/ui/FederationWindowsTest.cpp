#include "core/Flows.h"
#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "core/ui/ModalScript.h"
#include "devices/ui/ClubLicenceWindow.h"
#include "devices/ui/FederationParametersWindow.h"
#include "flows/StartScreen.h"
#include "support/TestState.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using testing_support::ModalScript;

class FederationWindowsTest : public testing_support::TalvaronTest {};

TEST_F(FederationWindowsTest, TheLicenceWindowRefusesAnEmptyNumber) {
  ui::ScriptedInteraction talk;
  TForm72 w;
  ModalScript script;
  script.on("TForm72", [&](QWidget* window) {
    QTest::mouseClick(w.Button1, Qt::LeftButton);
    EXPECT_TRUE(window->isVisible());
    QTest::keyClicks(w.Edit1, " 1234 ");
    QTest::keyClick(w.Edit1, Qt::Key_Return);
  });
  EXPECT_EQ(w.ask(), std::optional<QString>("1234"));
  EXPECT_EQ(talk.messages, QStringList({"Le champ ne peut être vide!"}));

  TForm72 again;
  script.on("TForm72", [](QWidget* window) { ModalScript::key(window, Qt::Key_Escape); });
  EXPECT_EQ(again.ask(), std::nullopt);
}

TEST_F(FederationWindowsTest, TheParametersWindowShowsTheImportAndRefusesABadCode) {
  ui::ScriptedInteraction talk;
  DateDay = "07";
  DateMonth = "12";
  DateYear = "2026";
  TournamentTitle = "Lundi";
  TForm75 w;
  FederationSummary summary{"2026120720", "Skip-Mitchell *RecEO*", "16", "8", "E/W 3", "<- A introduire sur les tablettes"};
  w.showSummary(summary);
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.Code->text(), "2026120720");
  EXPECT_EQ(w.Date->text(), "07/12/2026");
  EXPECT_EQ(w.Nom->text(), "Tournoi du Lundi 07/12/2026");
  EXPECT_EQ(w.TypeValue->text(), "Skip-Mitchell *RecEO*");
  EXPECT_EQ(w.ByeValue->text(), "E/W 3");
  w.Code->setText("ab-12");
  w.Code->setFocus();
  QTest::keyClick(w.Code, Qt::Key_Return);
  EXPECT_EQ(talk.messages.last(), "Désolé, uniquement des caractères alphanumériques: aA...zZ 1...0");
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.Code->text(), "ab-12");
}
