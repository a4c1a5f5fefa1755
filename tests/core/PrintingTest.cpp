#include "core/Flows.h"
#include "core/Globals.h"
#include "core/Printing.h"
#include "core/ScriptedInteraction.h"
#include "platform/Cp1252.h"
#include "platform/TextFiles.h"
#include "support/TestState.h"

#include <QDir>

using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

QByteArray fileBytes(const QStringList& lines) { return platform::toCp1252(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")); }

const QString kRule75 = QString(75, QLatin1Char('-'));
const QString kUnderline75 = QString(75, QLatin1Char('_'));

// Records what reaches the printer.
struct FakePrinter {
  QList<QStringList> printed;
  QList<bool> asked;
  QStringList proposed;  // the PDF file proposed for each printout
  PrintOutcome answer{true, QStringLiteral("HP LaserJet"), false};
  FakePrinter() {
    flowWindows().printText = [this](const QStringList& lines, bool ask) {
      printed << lines;
      asked << ask;
      proposed << ProposedPdfFile();
      return answer;
    };
  }
  ~FakePrinter() { flowWindows().printText = nullptr; }
};

}  // namespace

class PrintingTest : public testing_support::TalvaronTest {
 protected:
  void SetUp() override {
    TalvaronTest::SetUp();
    ClubName = QStringLiteral("Bridge Club de Lyon");
    VersionText = QStringLiteral("7.12.7");
    DateDay = QStringLiteral("07");
    DateMonth = QStringLiteral("12");
    DateYear = QStringLiteral("2026");
  }
};

TEST_F(PrintingTest, BannerHeadsThePrintout) {
  TournamentCode = QStringLiteral("AB");
  DateText = QStringLiteral("7/12/26");
  TournamentName = QStringLiteral("Tournoi");
  BeginTempPrintout();
  PrintFileWriter.writeLine(QStringLiteral("corps"));
  CloseTextFile(PrintFileWriter);
  EXPECT_EQ(readBytes(documentsDir() + "/TEMP.TXT"),
            fileBytes({"",
                       "Bridge Club de Lyon                Talvaron version 7.12.7 - 2026",
                       "",
                       "",
                       "  AB       7/12/26 20:00:00                             Tournoi",
                       kUnderline75,
                       "",
                       "corps"}));
}

TEST_F(PrintingTest, BannerKeepsLongFieldsWholeAndDatesAnUnknownDate) {
  TournamentCode = QStringLiteral("LYON2026");
  DateText = QStringLiteral("\?\?/\?\?/\?\?");
  TournamentName = QStringLiteral("Grand tournoi de la fête des lumières");
  ClubName = QString(40, QLatin1Char('C'));
  BeginTempPrintout();
  CloseTextFile(PrintFileWriter);
  const QStringList lines = platform::readTextLines(PrintFile);
  ASSERT_EQ(lines.size(), 7);
  EXPECT_EQ(lines[1], QString(40, QLatin1Char('C')) + " Talvaron version 7.12.7 - 2026");
  EXPECT_EQ(lines[4], QStringLiteral("LYON2026      07/12/2026 20:00:00      Grand tournoi de la fête des lumières"));
  EXPECT_EQ(DateText, "07/12/2026");
}

TEST_F(PrintingTest, PrintoutThatCannotBeOpenedRaisesTheRewriteError) {
  PrintFile = documentsDir() + "/missing/TEMP.TXT";
  try {
    BeginTempPrintout();
    FAIL() << "no error";
  } catch (const platform::IoError& e) {
    EXPECT_EQ(e.fileName(), PrintFile);
    EXPECT_TRUE(e.message().startsWith(QStringLiteral("Erreur I/O ")));
    EXPECT_TRUE(e.message().contains(QStringLiteral("(rewrite) : ") + PrintFile));
  }
}

TEST_F(PrintingTest, DashesWithoutLineEnd) {
  SafeRewrite(PrintFileWriter, PrintFile);
  WriteDashes(3);
  WriteDashes(0);
  WriteDashes(-2);
  PrintFileWriter.write(QStringLiteral("|"));
  CloseTextFile(PrintFileWriter);
  EXPECT_EQ(readBytes(PrintFile), QByteArray("---|"));
}

TEST_F(PrintingTest, PairsListIsPrintedByteForByte) {
  TournamentCode = QStringLiteral("AB12");
  DateText = QStringLiteral("07/12/26");
  TournamentName = QStringLiteral("Tournoi du lundi");
  const QString label45 = QString(20, QLatin1Char('A')) + " - " + QString(22, QLatin1Char('B'));
  const struct {
    int number;
    QString label;
  } entries[] = {{1, label45}, {2, "DUPONT - X"}, {3, "BYE"}, {-1, "MARTIN Luc - MASSON Anne"}, {-2, QStringLiteral("ÉMILE Jo - ZOÉ Ann")}};
  int s = 0;
  for (const auto& slot : entries) {
    ++s;
    PairNumbers[s] = slot.number;
    PairLabels[s] = slot.label;
  }
  FakePrinter printer;
  ui::ScriptedInteraction script;
  PrintPairsList();

  const QByteArray expected = fileBytes({
      "",
      "Bridge Club de Lyon                Talvaron version 7.12.7 - 2026",
      "",
      "",
      "AB12      07/12/26 20:00:00                    Tournoi du lundi",
      kUnderline75,
      "",
      QStringLiteral("   Joueurs                                  Direction-Numéro    Howell"),
      kRule75,
      "AAAAAAAAAAAAAAAAAAAA - BBBBBBBBBBBBBBBB       N/S         1         1",
      "DUPONT - X                                    N/S         2         2",
      "BYE                                           N/S         3         3",
      kRule75,
      "MARTIN Luc - MASSON Anne                      E/W         1         4",
      QStringLiteral("ÉMILE Jo - ZOÉ Ann                            E/W         2         5"),
  });
  const QByteArray bytes = readBytes(documentsDir() + "/TEMP.TXT");
  EXPECT_EQ(bytes, expected);
  EXPECT_TRUE(bytes.contains("Direction-Num\xE9ro"));
  ASSERT_EQ(printer.printed.size(), 1);
  EXPECT_EQ(printer.printed[0], platform::readTextLines(PrintFile));
  EXPECT_TRUE(printer.asked[0]);
  EXPECT_TRUE(script.messages.isEmpty());
}

TEST_F(PrintingTest, PairsListNumbersEastWestAfterTheTables) {
  for (int k = 1; k <= 7; ++k) {
    PairNumbers[k] = k;
    PairLabels[k] = QStringLiteral("NS%1").arg(k);
  }
  for (int k = 1; k <= 6; ++k) {  // 13 pairs: still 7 tables
    PairNumbers[7 + k] = -k;
    PairLabels[7 + k] = QStringLiteral("EW%1").arg(k);
  }
  FakePrinter printer;
  PrintPairsList();
  const QStringList lines = platform::readTextLines(PrintFile);
  EXPECT_TRUE(lines.contains(QStringLiteral("EW3                                           E/W         3        10")));
  EXPECT_TRUE(lines.contains(QStringLiteral("EW6                                           E/W         6        13")));
  EXPECT_EQ(lines.size(), 7 + 2 + 7 + 1 + 6);
}

TEST_F(PrintingTest, PairsListWithoutPairsPrintsNothing) {
  writeBytes(PrintFile, "previous printout\r\n");
  FakePrinter printer;
  ui::ScriptedInteraction script;
  PrintPairsList();
  EXPECT_EQ(script.messages, QStringList{"Aucune paire introduite!"});
  EXPECT_TRUE(printer.printed.isEmpty());
  EXPECT_EQ(readBytes(PrintFile), QByteArray("previous printout\r\n"));
}

TEST_F(PrintingTest, PrintingToAPdfPrinterEndsWithTheRemark) {
  writeBytes(PrintFile, "ligne 1\r\nligne 2\r\n");
  const QString remark = QStringLiteral(
      "L’impression est terminée. Comme vous avez choisi un fichier PDF, vous pouvez maintenant l’ouvrir directement en "
      "double-cliquant sur le fichier.");
  FakePrinter printer;
  for (const QString& name : {QStringLiteral("Microsoft Print to PDF"), QStringLiteral("cups-pdf"), QStringLiteral("PdfCreator")}) {
    ui::ScriptedInteraction script;
    printer.answer = {true, name, false};
    PrintTextFile(PrintFile, false);
    EXPECT_EQ(script.messages, QStringList{remark}) << name.toStdString();
    EXPECT_EQ(script.beepsBefore(remark), 2);
  }
  {
    ui::ScriptedInteraction script;
    printer.answer = {true, QString(), true};  // the print dialog's PDF file
    PrintTextFile(PrintFile, true);
    EXPECT_EQ(script.messages, QStringList{remark});
  }
  {
    ui::ScriptedInteraction script;
    printer.answer = {true, QStringLiteral("HP LaserJet"), false};
    PrintTextFile(PrintFile, true);
    printer.answer = {false, QStringLiteral("PDF"), false};  // cancelled in the dialog
    PrintTextFile(PrintFile, true);
    EXPECT_TRUE(script.messages.isEmpty());
    EXPECT_EQ(script.beeps, 0);
  }
  EXPECT_EQ(printer.printed.last(), QStringList({"ligne 1", "ligne 2"}));
  EXPECT_THROW(PrintTextFile(documentsDir() + "/NONE.TXT", false), platform::IoError);
}

TEST_F(PrintingTest, PagesBreakWhenFullAndAtFormFeeds) {
  const QString ff(QChar(12));
  using Pages = QList<QStringList>;
  EXPECT_EQ(SplitIntoPages({"1", "2", "3", "4", "5"}, 2), Pages({{"1", "2"}, {"3", "4"}, {"5"}}));
  EXPECT_EQ(SplitIntoPages({"1", ff, "2", "3"}, 10), Pages({{"1"}, {"2", "3"}}));
  // A form feed right after a full page leaves no blank page; nor one at the start.
  EXPECT_EQ(SplitIntoPages({ff, "1", "2", ff, "3"}, 2), Pages({{"1", "2"}, {"3"}}));
  EXPECT_EQ(SplitIntoPages({"1", ff + ff, "2"}, 10), Pages({{"1"}, {"2"}}));
  // Text around a form feed goes on both sides of the break; empty lines count.
  EXPECT_EQ(SplitIntoPages({"a" + ff + "b", "", "c"}, 10), Pages({{"a"}, {"b", "", "c"}}));
  EXPECT_EQ(SplitIntoPages({}, 10), Pages());
  EXPECT_EQ(SplitIntoPages({"1", "2"}, 0), Pages({{"1"}, {"2"}}));
}

// A heading (a line underlined by "-" as long as its text) never ends a
// page: it goes to the next one with the four lines below its underline.
TEST_F(PrintingTest, AHeadingIsNeverLeftAtTheFootOfAPage) {
  using Pages = QList<QStringList>;
  const QString title = QStringLiteral("Fréquences de la donne 6");
  const QString underline(24, QLatin1Char('-'));
  const QString rule20(20, QLatin1Char('-'));
  // Pages of 6 lines: the heading would be lines 5 and 6 of the first page.
  EXPECT_EQ(SplitIntoPages({"a", "b", "c", "d", title, underline, "", "Points", rule20, "420", "-100"}, 6),
            Pages({{"a", "b", "c", "d"}, {title, underline, "", "Points", rule20, "420"}, {"-100"}}));
  // Two lines of its table below it on the page are not enough either.
  EXPECT_EQ(SplitIntoPages({"a", "b", title, underline, "", "Points", "x", "y", "z"}, 7),
            Pages({{"a", "b"}, {title, underline, "", "Points", "x", "y", "z"}}));
  // With its four lines on the page, the heading stays.
  EXPECT_EQ(SplitIntoPages({"a", title, underline, "", "Points", rule20, "420", "-100"}, 7),
            Pages({{"a", title, underline, "", "Points", rule20, "420"}, {"-100"}}));
  // A line of text set apart just above it (the board's datum) goes with it;
  // the blank line before that stays.
  EXPECT_EQ(SplitIntoPages({"a", "", "PAR de la donne: 420", "", title, underline, "", "Points", "x"}, 8),
            Pages({{"a", ""}, {"PAR de la donne: 420", "", title, underline, "", "Points", "x"}}));
  // The head of its table, underlined too, keeps its own lines: all go
  // together.
  const QString head = QStringLiteral("Points  % N/S  % E/W");
  EXPECT_EQ(SplitIntoPages({"a", "b", "c", title, underline, "", head, rule20, "420", "-100", rule20, "", "z"}, 10),
            Pages({{"a", "b", "c"}, {title, underline, "", head, rule20, "420", "-100", rule20, "", "z"}}));
  // Not a heading: a rule of another length, or a rule under a rule.
  EXPECT_EQ(SplitIntoPages({"a", "b", "Total", "------", "x", "y"}, 3), Pages({{"a", "b", "Total"}, {"------", "x", "y"}}));
  EXPECT_EQ(SplitIntoPages({"a", "b", "---", "---", "x"}, 3), Pages({{"a", "b", "---"}, {"---", "x"}}));
  // A heading that begins its page, or whose lines would not fit a page,
  // is split as before; a form feed ends what goes with it (right below
  // the underline, it leaves the heading where it is).
  EXPECT_EQ(SplitIntoPages({title, underline, "1", "2", "3", "4"}, 3), Pages({{title, underline, "1"}, {"2", "3", "4"}}));
  EXPECT_EQ(SplitIntoPages({"a", "b", title, underline, "1" + QString(QChar(12)) + "2"}, 4),
            Pages({{"a", "b"}, {title, underline, "1"}, {"2"}}));
  EXPECT_EQ(SplitIntoPages({"a", "b", title, underline, QString(QChar(12)), "2"}, 4),
            Pages({{"a", "b", title, underline}, {"2"}}));
}

TEST_F(PrintingTest, MovementTitleNamesTheMovement) {
  PairCount = 14;
  RoundCount = 7;
  BoardsPerTable = 3;
  struct Case {
    bool howell, patton, appendix;
    int type;
    const char* file;
    const char* title;
  };
  const Case cases[] = {
      {false, false, false, 0, "", "Mitchell 14 paires 7 tours 3 Etuis/Table"},
      {false, false, false, 1, "", "Skip-Mitchell 14 paires 7 tours 3 Etuis/Table"},
      {false, false, true, 2, "M7.TXT", "Mitchell-Relais+Appendix (M7.TXT) 14 paires 7 tours 3 Etuis/Table"},
      {false, true, false, 2, "", "Patton 14 paires 7 tours 3 Etuis/Table"},
      {true, false, false, 0, "H14.TXT", "Howell (H14.TXT) 14 paires 7 tours 3 Etuis/Table"},
      {true, true, false, 0, "", "Patton 14 paires 7 tours 3 Etuis/Table"},
  };
  for (const Case& c : cases) {
    IsHowell = c.howell;
    IsPatton = c.patton;
    IsAppendix = c.appendix;
    MitchellType = c.type;
    MovementFileName = QString::fromLatin1(c.file);
    BuildMovementTitle();
    EXPECT_EQ(MovementTitle, QString::fromLatin1(c.title));
  }
}

// A PDF printout is proposed in the Documents folder under the tournament's
// code and the printout's name, and the closing remark names the file made.
TEST_F(PrintingTest, PdfFileIsNamedForTheTournamentAndThePrintout) {
  TournamentCode = QStringLiteral("HOWA");
  writeBytes(PrintFile, "ligne\r\n");
  FakePrinter printer;
  const QString made = documentsDir() + "/HOWA-resultats.pdf";
  printer.answer = {true, QString(), true, made};
  ui::ScriptedInteraction script;
  PrintTextFile(PrintFile, true, QStringLiteral("resultats"));
  PrintTextFile(PrintFile, true);
  TournamentCode.clear();
  PrintTextFile(PrintFile, true, QStringLiteral("paires"));
  EXPECT_EQ(printer.proposed, QStringList({documentsDir() + "/HOWA-resultats.pdf", documentsDir() + "/HOWA-impression.pdf",
                                           documentsDir() + "/paires.pdf"}));
  EXPECT_TRUE(ProposedPdfFile().isEmpty()) << "nothing is proposed between printouts";
  ASSERT_EQ(script.messages.size(), 3);
  EXPECT_TRUE(script.messages[0].startsWith(QStringLiteral("L’impression est terminée.")));
  EXPECT_TRUE(script.messages[0].endsWith(QStringLiteral("sur le fichier.\r\n\r\n") + QDir::toNativeSeparators(made)))
      << script.messages[0].toStdString();

  // A printer whose name says PDF writes a file the program does not know:
  // the remark alone.
  printer.answer = {true, QStringLiteral("cups-pdf"), false, QString()};
  PrintTextFile(PrintFile, false, QStringLiteral("resultats"));
  EXPECT_TRUE(script.messages.last().endsWith(QStringLiteral("sur le fichier.")));

  // The pairs list names its file after the pairs.
  TournamentCode = QStringLiteral("AB12");
  for (int p = 1; p <= 2; ++p) PairNumbers[p] = p == 1 ? 1 : -1;
  PrintPairsList();
  EXPECT_EQ(printer.proposed.last(), documentsDir() + "/AB12-paires.pdf");
}
