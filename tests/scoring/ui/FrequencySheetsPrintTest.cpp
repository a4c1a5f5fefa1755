// The frequency sheets printed to a PDF file, read back page by page.
#include "core/Flows.h"
#include "core/Printing.h"
#include "core/ScriptedInteraction.h"
#include "core/ui/Printer.h"
#include "scoring/BoardFrequencies.h"
#include "scoring/ScoringFixture.h"
#include "support/PdfReading.h"

namespace {

class FrequencySheetsPrintTest : public ScoringTest {
 protected:
  void SetUp() override {
    ScoringTest::SetUp();
    ui::InstallTextPrinter();
  }
  void TearDown() override {
    ui::SetPrintToPdfFile(QString());
    flowWindows().printText = nullptr;
    ScoringTest::TearDown();
  }
};

// A Mitchell of 2 tables and 26 boards, every sheet on the same paper
// (simplified): a board's heading always shares its page with the head of
// its table and its first score, wherever the pages break.
TEST_F(FrequencySheetsPrintTest, NoBoardHeadingIsLeftAtTheFootOfAPage) {
  layOut(2, 26, 2);
  for (int b = 1; b <= 26; ++b) scores(b, {420, -50});
  const QString pdf = documentsDir() + "/frequences.pdf";
  ui::SetPrintToPdfFile(pdf);
  ui::ScriptedInteraction talk;
  talk.answer(2).answer(2);  // "&Toutes", "&Simplifiées"
  PrintBoardFrequencies();
  const QStringList pages = testing_support::PdfPages(pdf);
  ASSERT_GE(pages.size(), 3);
  QStringList boards;
  for (qsizetype p = 0; p < pages.size(); ++p) {
    const QStringList lines = testing_support::NonEmptyLines(pages[p]);
    for (qsizetype i = 0; i < lines.size(); ++i) {
      if (!lines[i].startsWith(QStringLiteral("Fréquences de la donne "))) continue;
      boards << lines[i].mid(23);
      SCOPED_TRACE(QStringLiteral("page %1, %2").arg(p + 1).arg(lines[i]).toStdString());
      ASSERT_LT(i + 4, lines.size());
      EXPECT_TRUE(lines[i + 2].startsWith(QStringLiteral("Points"))) << lines[i + 2].toStdString();
      EXPECT_TRUE(lines[i + 4].startsWith(QStringLiteral("420 "))) << lines[i + 4].toStdString();
    }
  }
  EXPECT_EQ(boards.size(), 26);
  EXPECT_EQ(boards.last(), "26");
}

}  // namespace
