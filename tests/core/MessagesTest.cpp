#include "core/Globals.h"
#include "core/Messages.h"
#include "core/ScriptedInteraction.h"
#include "support/TestState.h"

class MessagesTest : public testing_support::TalvaronTest {};

TEST_F(MessagesTest, AlertsBeepAsAskedBeforeTheMessage) {
  VersionText = QStringLiteral("7.12.7");
  DateYear = QStringLiteral("2026");
  ui::ScriptedInteraction script;
  ShowAlertWithBeeps(2, QStringLiteral("deux"));
  EXPECT_EQ(script.beepsBefore(QStringLiteral("deux")), 3);
  EXPECT_EQ(script.pausedMs, 200);
  ShowAlertWithBeeps(0, QStringLiteral("zéro"));
  EXPECT_EQ(script.beepsBefore(QStringLiteral("zéro")), 1);
  ShowMessageWindow(QStringLiteral("silence"));
  EXPECT_EQ(script.beepsBefore(QStringLiteral("silence")), 0);
  ShowAboutMessage();
  ASSERT_EQ(script.messages.size(), 4);
  EXPECT_TRUE(script.messages[3].contains(QStringLiteral("7.12.7")));
  EXPECT_TRUE(script.messages[3].contains(QStringLiteral("2026")));
  EXPECT_FALSE(script.messages[3].contains(QLatin1Char('\n')));
}
