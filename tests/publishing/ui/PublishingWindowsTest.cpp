// The publishing's windows driven with real keys and clicks, reached the way
// the routines reach them.
#include "core/Globals.h"
#include "core/ui/ModalScript.h"
#include "core/ui/WindowInteraction.h"
#include "publishing/BridgeWebs.h"
#include "publishing/UsebioExport.h"
#include "publishing/WebPages.h"
#include "publishing/ui/PublishingQuestionWindows.h"
#include "publishing/ui/PublishingWindowRegistration.h"
#include "publishing/ui/PublishingWindowsFixture.h"
#include "support/TestState.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>

using testing_support::ModalScript;
using testing_support::WhenShown;

namespace {

class OfflineProbe : public publishing::NetworkProbe {
 public:
  OfflineProbe() { publishing::setNetworkProbe(this); }
  ~OfflineProbe() override { publishing::setNetworkProbe(nullptr); }
  bool connect(const QString&, int, int) override { return false; }
  bool open(const QString&, int) override { return false; }
};

}  // namespace

class PublishingWindowsTest : public PublishingWindowsFixture {};

TEST_F(PublishingWindowsTest, DirectorWindowGivesItsFieldsAndTheLayout) {
  MitchellNumbering = true;
  testing_support::writeBytes(programDir() + "Ordinateur.TXT", "Marc\r\n");
  WhenShown([](QDialog* d) {
    EXPECT_EQ(d->objectName(), "TForm77");
    EXPECT_EQ(d->findChild<QLineEdit*>("Edit2")->text(), "Marc");
    EXPECT_TRUE(d->findChildren<QRadioButton*>()[1]->isChecked());
    EXPECT_EQ(d->focusWidget(), d->findChild<QLineEdit*>("Edit1"));
    QTest::keyClicks(d->findChild<QLineEdit*>("Edit1"), "D'Hondt");  // over the "?" of an unknown director
    d->findChild<QLineEdit*>("Edit2")->clear();
    d->findChildren<QRadioButton*>()[0]->click();
    ModalScript::key(d, Qt::Key_Return);
  });
  QDir().mkpath(dataDir());
  WriteWebData(dataDir(), "2024031514");
  const QString data = QString::fromUtf8(testing_support::readBytes(dataDir() + "D2024031514.txt"));
  EXPECT_TRUE(data.contains("BE.winners = 1;")) << data.toStdString();
  EXPECT_TRUE(data.contains("BE.director = 'D&#39;Hondt';\r\nBE.scorer = '?';"));
  EXPECT_TRUE(OneWinnerMitchell);
}

TEST_F(PublishingWindowsTest, MitchellDisplayChoiceCanBeSaved) {
  WhenShown([](QDialog* d) {
    EXPECT_EQ(d->objectName(), "TForm79");
    d->findChildren<QRadioButton*>()[0]->click();
    d->findChild<QCheckBox*>("CheckBox1")->click();
    ModalScript::key(d, Qt::Key_Return);
  });
  ChooseMitchellDisplay();
  EXPECT_TRUE(OneWinnerMitchell);
  EXPECT_EQ(testing_support::readBytes(programDir() + "ChoixMitchell.TXT"), "1\r\n");
}

TEST_F(PublishingWindowsTest, NoInternetWindowEscStops) {
  OfflineProbe probe;
  WhenShown([](QDialog* d) {
    EXPECT_EQ(d->objectName(), "TForm103");
    EXPECT_TRUE(d->findChild<QLabel*>("Memo1")->text().contains("Webrellic.EXE"));
    ModalScript::key(d, Qt::Key_Escape);
  });
  BridgeWebsFunctions();
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
