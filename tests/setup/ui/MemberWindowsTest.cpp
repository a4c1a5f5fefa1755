#include "core/Globals.h"
#include "core/ui/ModalScript.h"
#include "core/ui/WindowInteraction.h"
#include "setup/ClubMembers.h"
#include "setup/ui/MemberWindows.h"
#include "support/TestState.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using testing_support::ModalScript;

namespace {

class MemberWindowsTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    ui::InstallWindowInteraction();
    MemberCount = 2;
    MemberField1[1] = "MARTIN", MemberField2[1] = "Anne", MemberField3[1] = "7", MemberRecordIndex[1] = 5;
    MemberField1[2] = "dupont", MemberField2[2] = "Jean", MemberField3[2] = "8", MemberRecordIndex[2] = 9;
  }
};

TEST_F(MemberWindowsTest, ASortedRowStillCorrectsItsOwnMember) {
  TForm100 list;
  list.sortByColumn(0);  // without regard to case
  EXPECT_EQ(list.StringGrid1->item(0, 0)->text(), "dupont");
  EXPECT_EQ(list.rows(), QList<int>({2, 1}));
  ModalScript script;
  script.on("TForm102", [](QWidget* w) {
    EXPECT_EQ(w->findChild<QLineEdit*>("Edit1")->text(), "Jean");
    EXPECT_EQ(w->findChild<QLineEdit*>("Edit2")->text(), "dupont");
    bool shown = false;
    for (QLabel* label : w->findChildren<QLabel*>())
      shown = shown || label->text() == "Pour mémoire, numéro d'ordre dans la base de données des noms de Tallyvane: 9";
    EXPECT_TRUE(shown);
    w->findChild<QPushButton*>("Button2")->click();
  });
  list.editRow(0);
  EXPECT_TRUE(script.done());
}

}  // namespace
