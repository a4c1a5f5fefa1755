#include "flows/GeneralOptions.h"
#include "core/Globals.h"
#include "core/ui/MessageWindow.h"
#include "core/ui/ModalScript.h"
#include "core/ui/WindowInteraction.h"
#include "flows/ui/OptionWindows.h"
#include "support/TestState.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QPushButton>
#include <QRadioButton>

using testing_support::ModalScript;
using testing_support::readBytes;

namespace {

ModalScript::Step Message(const QString& expected) {
  return [expected](QWidget* w) {
    EXPECT_EQ(qobject_cast<TForm26*>(w)->text().toStdString(), expected.toStdString());
    ModalScript::key(w, Qt::Key_Return);
  };
}

class OptionWindowsTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    ui::InstallWindowInteraction();
    RegisterFlowWindows();
    GeneralOptionsMode = true;
  }
};

TEST_F(OptionWindowsTest, TheOptionsWindowRunsItsButtonsAndShowsTheValues) {
  ModalScript script;
  script
      .on("TForm45",
          [](QWidget* w) {
            auto* form = qobject_cast<TForm45*>(w);
            EXPECT_EQ(form->value(kOptionMixing)->text(), "Panachage: 10%");
            EXPECT_EQ(form->value(kOptionTimesTen)->text(), "Marque normale");
            EXPECT_FALSE(form->membersFileButton->isEnabled());
            form->button(kOptionTimesTen)->click();
          })
      .on("TForm45",
          [](QWidget* w) {
            auto* form = qobject_cast<TForm45*>(w);
            EXPECT_EQ(form->value(kOptionTimesTen)->text(), "Marque x 10");
            form->bralmetBox->click();
            EXPECT_TRUE(form->membersFileButton->isEnabled());
            EXPECT_EQ(form->membersFile->toPlainText(), "C:\\Tallyvane\\Club.Members.DAT");
            ModalScript::key(w, Qt::Key_Escape);
          });
  testing_support::writeBytes(programDir() + "MembersDAT.TXT", "C:\\Tallyvane\\Club.Members.DAT\r\n");
  RunGeneralOptions();
  EXPECT_TRUE(script.done());
  EXPECT_TRUE(ScoresTimesTen && ClubMode);
  EXPECT_EQ(readBytes(programDir() + "BRALMET.TXT"), "Ce programme tourne au Bralmet...\r\n");
}

TEST_F(OptionWindowsTest, TheByeWindowStaysOpenAfterARefusal) {
  ModalScript script;
  script
      .on("TForm96",
          [](QWidget* w) {
            auto* form = qobject_cast<TForm96*>(w);
            EXPECT_EQ(form->Label5->text(), "Demandé systématiquement");
            form->Edit1->setText("3");
            form->highestNumberBox->setChecked(true);
            QTimer::singleShot(0, form->Button1, &QPushButton::click);
          })
      .on("TForm26", Message("Vous ne pouvez pas cocher la case \"Au numéro le plus élevé\" et en même temps indiquer "
                             "un nombre!"))
      .on("TForm96", [](QWidget* w) {
        auto* form = qobject_cast<TForm96*>(w);
        form->Edit1->clear();
        form->Button1->click();
      });
  ChooseByePosition();
  EXPECT_TRUE(script.done());
  EXPECT_EQ(readBytes(programDir() + "choixBYE.TXT"), "2 9999\r\n");
}

TEST_F(OptionWindowsTest, AChoiceWindowOpensOnTheValueInForceAndEscChangesNothing) {
  ModalScript script;
  script
      .on("TForm47",
          [](QWidget* w) {
            auto* form = qobject_cast<TForm47*>(w);
            EXPECT_TRUE(form->items()[0]->isChecked());
            form->items()[1]->setChecked(true);
            ModalScript::key(w, Qt::Key_Escape);
          })
      .on("TForm47", [](QWidget* w) {
        auto* form = qobject_cast<TForm47*>(w);
        form->items()[1]->setChecked(true);
        form->okButton()->click();
      });
  AutoVentilation = true;
  ChooseVentilation();
  EXPECT_TRUE(AutoVentilation);
  ChooseVentilation();
  EXPECT_TRUE(script.done());
  EXPECT_FALSE(AutoVentilation);
  EXPECT_EQ(readBytes(programDir() + "VENTILNON.TXT"), "Pas de fr\xE9quences ventil\xE9" "es\r\n");
}

}  // namespace
