#include "core/Globals.h"
#include "core/Printing.h"
#include "core/ScriptedInteraction.h"
#include "core/ui/Printer.h"
#include "support/TestState.h"

#include <QFontInfo>
#include <QProcess>

namespace {

// The text of a PDF file, one entry per page, as the PDF-to-text tool reads it.
QStringList pdfPages(const QString& pdf) {
  QProcess tool;
  tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  if (!tool.waitForFinished(30000) || tool.exitCode() != 0) return {};
  QStringList pages = QString::fromUtf8(tool.readAllStandardOutput()).split(QChar(12));
  if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
  return pages;
}

QStringList nonEmptyLines(const QString& page) {
  QStringList lines;
  for (const QString& line : page.split(QLatin1Char('\n')))
    if (!line.trimmed().isEmpty()) lines << line.trimmed();
  return lines;
}

}  // namespace

class PrinterTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    ui::InstallTextPrinter();
  }
  void TearDown() override {
    ui::SetPrintToPdfFile(QString());
    SetTextPrinter(nullptr);
    TalvaronTest::TearDown();
  }
};

TEST_F(PrinterTest, PrintoutFontIsBoldFixedPitchTwelvePoints) {
  const QFont font = ui::PrintoutFont();
  EXPECT_TRUE(ui::HasFixedPitch(font));
  EXPECT_TRUE(font.bold());
  EXPECT_EQ(font.pointSize(), 12);
}

TEST_F(PrinterTest, PrintoutToAPdfFileHoldsEveryLineOnItsPages) {
  ClubName = QStringLiteral("Bridge Club de Lyon");
  VersionText = QStringLiteral("7.12.7");
  DateYear = QStringLiteral("2026");
  TournamentCode = QStringLiteral("AB12");
  TournamentName = QStringLiteral("Tournoi du lundi");
  DateText = QStringLiteral("07/12/26");
  BeginTempPrintout();
  for (int i = 1; i <= 120; ++i) PrintFileWriter.writeLine(QStringLiteral("Ligne %1 du classement").arg(i, 3, 10, QLatin1Char('0')));
  PrintFileWriter.writeLine(QString(QChar(12)));
  PrintFileWriter.writeLine(QStringLiteral("Dernière page"));
  CloseTextFile(PrintFileWriter);

  const QString pdf = documentsDir() + "/sortie.pdf";
  ui::SetPrintToPdfFile(pdf);
  ui::ScriptedInteraction script;
  PrintTextFile(PrintFile, true);

  EXPECT_EQ(script.messages.size(), 1);
  EXPECT_TRUE(script.messages.value(0).startsWith(QStringLiteral("L’impression est terminée.")));
  const QStringList pages = pdfPages(pdf);
  ASSERT_GE(pages.size(), 3) << "120 lines take more than one page, and the form feed starts one more";
  EXPECT_EQ(nonEmptyLines(pages.last()), QStringList{QStringLiteral("Dernière page")});

  QStringList printed;
  for (const QString& page : pages) printed << nonEmptyLines(page);
  ASSERT_EQ(printed.size(), 3 + 120 + 1);  // banner lines that hold text, the body, the last page
  EXPECT_EQ(printed[0], "Bridge Club de Lyon                Talvaron version 7.12.7 - 2026");
  EXPECT_EQ(printed[1], "AB12      07/12/26 20:00:00                    Tournoi du lundi");
  EXPECT_EQ(printed[2], QString(75, QLatin1Char('_')));
  for (int i = 1; i <= 120; ++i)
    EXPECT_EQ(printed[2 + i], QStringLiteral("Ligne %1 du classement").arg(i, 3, 10, QLatin1Char('0')));
  // The first page is full before the second begins.
  EXPECT_GT(nonEmptyLines(pages[0]).size(), 40);
}
