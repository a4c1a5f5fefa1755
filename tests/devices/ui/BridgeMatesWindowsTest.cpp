#include "core/Globals.h"
#include "core/ScriptedInteraction.h"
#include "core/Settings.h"
#include "core/ui/ModalScript.h"
#include "core/ui/WindowInteraction.h"
#include "devices/ui/BridgeMatesSettingsHelpWindow.h"
#include "devices/ui/BridgeMatesSettingsWindow.h"
#include "devices/ui/DeviceWindowRegistration.h"
#include "support/TestState.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using testing_support::readBytes;

class BridgeMatesWindowsTest : public testing_support::TalvaronTest {};

TEST_F(BridgeMatesWindowsTest, TheSettingsWindowChecksTheCodeAndWritesTheParametersFile) {
  ui::ScriptedInteraction talk;
  BridgeMatesPin = "1111";
  TForm93 w;
  w.show();
  // No parameters file yet: every box ticked, the first names item, code 3861.
  EXPECT_TRUE(w.CheckBox1->isChecked() && w.CheckBox2->isChecked() && w.CheckBox3->isChecked() && w.CheckBox4->isChecked());
  EXPECT_TRUE(w.RadioItems[0]->isChecked());
  EXPECT_EQ(w.Edit1->text(), "3861");

  QTest::mouseClick(w.CheckBox1, Qt::LeftButton);
  QTest::mouseClick(w.Button1, Qt::LeftButton);
  EXPECT_FALSE(w.CheckBox2->isChecked());
  EXPECT_TRUE(w.isVisible());

  const QList<QPair<QString, QString>> refused = {
      {"", "Désolé, vous devez introduire un code PIN non vide..."},
      {"123", "Désolé, le code PIN de l'arbitre doit avoir 4 caractéres..."},
      {"12a4", "Désolé, le code PIN de l'arbitre doit avoir 4 chiffres..."}};
  for (const auto& [code, message] : refused) {
    w.Edit1->clear();
    QTest::keyClicks(w.Edit1, code);
    QTest::keyClick(w.Edit1, Qt::Key_Return);
    EXPECT_EQ(talk.messages.last(), message);
    EXPECT_TRUE(w.isVisible());
  }
  EXPECT_EQ(talk.messages.first(), "Désolé, vous ne pouvez pas cocher la validation de la carte d'entame si "
                                   "l'introduction de celle-çi n'est pas cochée...");
  EXPECT_EQ(talk.beeps, 4);
  EXPECT_FALSE(QFile::exists(programDir() + "BMParams.TXT"));

  w.Edit1->setText("");
  QTest::keyClick(w.Edit1, Qt::Key_Return);
  EXPECT_EQ(w.Edit1->text(), "1111");  // an empty code gets the current one back

  QTest::mouseClick(w.RadioItems[2], Qt::LeftButton);
  EXPECT_EQ(readBytes(programDir() + "AffichageNoms.TXT"), "3\r\n");
  w.Edit1->setText("0427");
  QTest::keyClick(w.Edit1, Qt::Key_Escape);  // only OK closes it
  EXPECT_TRUE(w.isVisible());
  QTest::keyClick(w.Edit1, Qt::Key_Return);
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(w.result(), QDialog::Accepted);
  EXPECT_EQ(readBytes(programDir() + "BMParams.TXT"),
            "0 LeadCard\r\n0 BM2ValidateLeadCard\r\n1 BM2ShowPlayerNames\r\n1 MemberNumbersNoBlankEntry\r\n"
            "3 AffichageNoms\r\n0427 BM2PinCode\r\n");
  EXPECT_EQ(BridgeMatesPin, "0427");
  EXPECT_EQ(NameDisplayMode, 3);

  // Shown again: the file exists, so the settings as they now stand.
  TForm93 again;
  again.show();
  EXPECT_FALSE(again.CheckBox1->isChecked());
  EXPECT_TRUE(again.RadioItems[2]->isChecked());
  EXPECT_EQ(again.Edit1->text(), "0427");
  QTest::mouseClick(again.findChild<QLabel*>("Label7"), Qt::LeftButton);
  auto* help = again.findChild<TForm104*>();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  QTest::keyClick(help, Qt::Key_Escape);
  EXPECT_FALSE(help->isVisible());
}

// At the first use the start-up reads the parameters through the window.
TEST_F(BridgeMatesWindowsTest, FirstUseShowsTheSettingsWindowOnce) {
  ui::InstallWindowInteraction();
  RegisterDeviceWindows();
  testing_support::ModalScript script;
  script.on("TForm26", [](QWidget* w) { testing_support::ModalScript::key(w, Qt::Key_Return); })
      .on("TForm93", [](QWidget* w) {
        auto* form = qobject_cast<TForm93*>(w);
        form->Edit1->setText("2468");
        form->Button1->click();
      });
  ReadBMParams();
  EXPECT_TRUE(script.done());
  EXPECT_EQ(BridgeMatesPin, "2468");
  EXPECT_TRUE(readBytes(programDir() + "BMParams.TXT").endsWith("2468 BM2PinCode\r\n"));
  ui::setInteraction(nullptr);
}
