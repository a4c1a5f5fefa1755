#include "core/Flows.h"
#include "core/Globals.h"
#include "core/Notices.h"
#include "core/ScriptedInteraction.h"
#include "devices/BridgeMatesCorrections.h"
#include "devices/TableStates.h"
#include "devices/ui/CorrectionNoteWindow.h"
#include "devices/ui/DeviceWindowRegistration.h"
#include "devices/ui/TableStatusStripWindow.h"
#include "support/TestState.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class TableStripWindowsTest : public testing_support::TalvaronTest {
 protected:
  void TearDown() override {
    flowWindows().redrawTableStrip = nullptr;
    flowWindows().placeTableStrip = nullptr;
    flowWindows().hideTableStrip = nullptr;
    TalvaronTest::TearDown();
  }
  template <typename W>
  static W* shown(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == QLatin1String(name) && w->isVisible()) return qobject_cast<W*>(w);
    return nullptr;
  }
};

TEST_F(TableStripWindowsTest, TheStripColoursEachTableAndHidesAtTheStartScreen) {
  RegisterDeviceWindows();
  TableCount = 5;
  ShowTableStatusStrip();
  TForm112* strip = shown<TForm112>("TForm112");
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(strip->windowTitle(), "BM");
  EXPECT_EQ(strip->DrawGrid1->height(), 5 * 35 + 4);
  SetTableState(2, TableLoggedOn);
  SetTableState(4, TableFinished);
  SetTableState(30, TableFinished);  // no such square: only redrawn
  const QImage image = strip->DrawGrid1->grab().toImage();
  auto colourOf = [&](int table) { return image.pixelColor(6, 2 + (table - 1) * 35 + 4); };
  EXPECT_EQ(colourOf(1), QColor(Qt::white));
  EXPECT_EQ(colourOf(2), QColor(0, 255, 0));
  EXPECT_EQ(colourOf(4), QColor(255, 0, 0));
  EXPECT_EQ(colourOf(5), QColor(Qt::white));
  HideTableStatusStrip();
  EXPECT_EQ(shown<TForm112>("TForm112"), nullptr);
}

TEST_F(TableStripWindowsTest, TheInformationWindowStaysBesideAndClosesWithEnter) {
  ui::ScriptedInteraction talk;
  RegisterDeviceWindows();
  ShowBridgeMatesInfo();
  TForm109* info = shown<TForm109>("TForm109");
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(talk.beeps, 2);
  EXPECT_FALSE(info->isModal());
  EXPECT_TRUE(info->Memo1->text().startsWith("Avertissement:\n\nDans les cas suivants"));
  EXPECT_TRUE(info->Memo1->text().contains("bouton \"Appliquer filtre\" (\"Reset filter\")."));
  QTest::keyClick(info, Qt::Key_Return);
  EXPECT_FALSE(info->isVisible());
  TabletsInUse = true;
  ShowBridgeMatesInfo();
  EXPECT_FALSE(info->isVisible());
  EXPECT_EQ(talk.beeps, 2);
}
