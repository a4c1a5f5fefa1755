#include "core/Flows.h"
#include "core/Globals.h"
#include "core/Printing.h"
#include "core/ScriptedInteraction.h"
#include "platform/Process.h"
#include "publishing/DiagramDisplay.h"
#include "support/TestState.h"

using testing_support::readBytes;

namespace {

class DiagramDisplayTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    flowWindows().printText = [this](const QStringList& lines, bool) {
      printed << lines;
      return PrintOutcome{true, QStringLiteral("Laser"), false};
    };
    PairCount = 6;
    RoundCount = 3;
    BoardsPerTable = 2;
  }
  void TearDown() override {
    flowWindows().printText = nullptr;
    TalvaronTest::TearDown();
  }
  QList<QStringList> printed;
  ui::ScriptedInteraction talk;
};

TEST_F(DiagramDisplayTest, TextPrintoutHoldsTheTitleAndEveryDeal) {
  talk.answer(1);
  ShowDiagrams();
  EXPECT_EQ(talk.choices[0].form, "TForm64");
  EXPECT_EQ(readBytes(PrintFile), "Mitchell 6 paires 3 tours 2 Etuis/Table\r\n\r\n\r\n--------------------------\r\n");
  ASSERT_EQ(printed.size(), 1);

  DealCount = 2;
  DealDiagrams[1] = "Board 1\r\n";
  DealDiagrams[2] = "Board 2\r\n";
  talk.answer(1);
  ShowDiagrams();
  EXPECT_TRUE(readBytes(PrintFile).endsWith("--------------------------\r\nBoard 1\r\nBoard 2\r\n"));
  talk.answer(0);
  ShowDiagrams();
  EXPECT_EQ(printed.size(), 2);
}

TEST_F(DiagramDisplayTest, DiagramProgramIsRestartedAndAFailedStartIsReported) {
  testing_support::writeBytes(ProgramFolder + "Diagrolet.EXE", "");
  platform::FakeProcesses processes;
  processes.running << "diagrolet.exe";
  talk.answer(2);
  ShowDiagrams();
  EXPECT_EQ(processes.events, QStringList({"running?: Diagrolet.EXE", "stop: Diagrolet.EXE",
                                           "start: " + ProgramFolder + "Diagrolet.EXE Talvaron"}));
  EXPECT_EQ(talk.pausedMs, 1000);
  EXPECT_TRUE(talk.messages.isEmpty());

  processes.startResults.insert("DIAGROLET.EXE", platform::kStartNotFound);
  talk.answer(2);
  ShowDiagrams();
  EXPECT_EQ(talk.messages, QStringList({"Pas trouvé Diagrolet.EXE. Impossible de continuer!",
                                        "Erreur 2 au lancement de " + ProgramFolder + "Diagrolet.EXE. Impossible de continuer!"}));
}

}  // namespace
