#include "core/Printing.h"

#include "core/Flows.h"

#include "core/Counts.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/Texts.h"
#include "platform/Clock.h"
#include "platform/TextFiles.h"

#include <QDir>

namespace {

QString& proposedPdfFile() {
  static QString name;
  return name;
}

// x right-aligned in a field of width characters, never cut.
QString rightAligned(const QString& x, int width) { return x.rightJustified(width, QLatin1Char(' '), false); }
QString rightAligned(int x, int width) { return rightAligned(QString::number(x), width); }

QString creditText() { return QStringLiteral("Talvaron version ") + VersionText + QStringLiteral(" - ") + DateYear; }

}  // namespace

void WriteDashes(int count) {
  if (count > 0) PrintFileWriter.write(QString(count, QLatin1Char('-')));
}

QString PrintoutClubLine() {
  QString clubLine = ClubName.leftJustified(35, QLatin1Char(' '));
  if (ClubName.size() >= 35) clubLine += QLatin1Char(' ');
  return clubLine + creditText();
}

void WritePrintoutBanner() {
  TextFile& out = PrintFileWriter;
  out.writeLine();
  out.writeLine(PrintoutClubLine());
  out.writeLine();
  out.writeLine();
  if (DateText.contains(QLatin1String("??"))) DateText = DateDay + QLatin1Char('/') + DateMonth + QLatin1Char('/') + DateYear;
  const QString time = platform::now().toString(QStringLiteral("HH:mm:ss"));
  out.writeLine(rightAligned(TournamentCode, 4) + QString(6, QLatin1Char(' ')) + rightAligned(DateText, 8) + QLatin1Char(' ') +
                rightAligned(time, 8) + QString(6, QLatin1Char(' ')) + rightAligned(TournamentName, 30));
  out.writeLine(QString(75, QLatin1Char('_')));
  out.writeLine();
}

void BeginTempPrintout() {
  SafeRewrite(PrintFileWriter, PrintFile);
  WritePrintoutBanner();
}

void BuildMovementTitle() {
  QString title;
  if (IsHowell) {
    title = IsPatton ? QStringLiteral("Patton") : QStringLiteral("Howell");
  } else {
    if (IsPatton)
      title = QStringLiteral("Patton");
    else if (MitchellType == 1)
      title = QStringLiteral("Skip-Mitchell");
    else if (MitchellType == 0)
      title = QStringLiteral("Mitchell");
    else
      title = QStringLiteral("Mitchell-Relais");
    if (IsAppendix) title += QStringLiteral("+Appendix");
  }
  if (!MovementFileName.isEmpty()) title += QStringLiteral(" (") + MovementFileName + QLatin1Char(')');
  title += QStringLiteral(" %1 paires %2 tours %3 Etuis/Table").arg(PairCount).arg(RoundCount).arg(BoardsPerTable);
  MovementTitle = title;
}

void PrintPairsList() {
  const int pairs = CountPairs();
  if (pairs == 0) return;
  const int tables = (pairs + 1) / 2;
  BeginTempPrintout();
  TextFile& out = PrintFileWriter;
  out.writeLine(rightAligned(QStringLiteral("Joueurs"), 10) + QString(30, QLatin1Char(' ')) +
                rightAligned(QStringLiteral("Direction-Numéro"), 20) + rightAligned(QStringLiteral("Howell"), 10));
  WriteDashes(75);
  out.writeLine();
  for (int s = 1; s <= kMaxPairs; ++s) {
    const int k = PairNumbers[s];
    if (k > 0)
      out.writeLine(FitToWidth(PairLabels[s], 39) + rightAligned(QStringLiteral("N/S"), 10) + rightAligned(k, 10) + rightAligned(k, 10));
  }
  WriteDashes(75);
  out.writeLine();
  for (int s = 1; s <= kMaxPairs; ++s) {
    const int k = -PairNumbers[s];
    if (k > 0)
      out.writeLine(FitToWidth(PairLabels[s], 39) + rightAligned(QStringLiteral("E/W"), 10) + rightAligned(k, 10) +
                    rightAligned(tables + k, 10));
  }
  CloseTextFile(out);
  PrintTextFile(PrintFile, true, QStringLiteral("paires"));
}

QString PdfFileFor(const QString& printout) {
  const QString name = printout.isEmpty() ? QStringLiteral("impression") : printout;
  const QString code = TournamentCode.trimmed();
  return DocumentsFolder + QLatin1Char('/') + (code.isEmpty() ? name : code + QLatin1Char('-') + name) + QStringLiteral(".pdf");
}

QString ProposedPdfFile() { return proposedPdfFile(); }

bool PrintTextFile(const QString& fileName, bool askPrinter, const QString& printout) {
  const QStringList lines = platform::readTextLines(platform::resolvePath(fileName));
  if (!flowWindows().printText) return true;
  proposedPdfFile() = PdfFileFor(printout);
  const PrintOutcome outcome = flowWindows().printText(lines, askPrinter);
  proposedPdfFile().clear();
  if (outcome.printed) NotifyPdfPrinter(outcome.printerName, outcome.toPdfFile, outcome.pdfFile);
  return outcome.printed;
}

void NotifyPdfPrinter(const QString& printerName, bool toPdfFile, const QString& pdfFile) {
  if (!toPdfFile && !printerName.toUpper().contains(QLatin1String("PDF"))) return;
  QString text = QStringLiteral("L’impression est terminée. Comme vous avez choisi un fichier PDF, vous pouvez maintenant "
                                "l’ouvrir directement en double-cliquant sur le fichier.");
  // The file's full name too: nothing else tells the director where the PDF went.
  if (!pdfFile.isEmpty()) text += QStringLiteral("\r\n\r\n") + QDir::toNativeSeparators(pdfFile);
  ShowAlertWithBeeps(1, text);
}

namespace {

// Lines a heading keeps below its underline on its page: the head of the
// table it titles and its first rows.
constexpr int kLinesKeptWithHeading = 4;

bool isRule(const QString& line) {
  const QString text = line.trimmed();
  return !text.isEmpty() && text.count(QLatin1Char('-')) == text.size();
}

// A line underlined by a rule of "-" as long as its text.
bool isHeading(const QStringList& lines, qsizetype i) {
  if (i + 1 >= lines.size()) return false;
  const QString text = lines[i].trimmed();
  return !text.isEmpty() && !isRule(text) && isRule(lines[i + 1]) && lines[i + 1].trimmed().size() == text.size();
}

}  // namespace

QList<QStringList> SplitIntoPages(const QStringList& lines, int linesPerPage) {
  const qsizetype perPage = std::max(1, linesPerPage);
  // The lines as printed, each with whether a form feed comes before it.
  QStringList printed;
  QList<bool> feedBefore;
  bool feed = false;
  for (const QString& line : lines) {
    const QStringList parts = line.split(QChar(12));
    for (qsizetype i = 0; i < parts.size(); ++i) {
      if (i > 0) feed = true;
      if (parts[i].isEmpty() && parts.size() > 1) continue;
      printed << parts[i];
      feedBefore << feed;
      feed = false;
    }
  }
  const qsizetype n = printed.size();
  // For the first line of each heading's group, the group's last line. A
  // line of text set apart above a heading (a board's datum) goes with it.
  QList<qsizetype> groupEnd(n, -1);
  for (qsizetype i = 0; i < n; ++i) {
    if (!isHeading(printed, i)) continue;
    qsizetype first = i;
    if (i >= 2 && printed[i - 1].trimmed().isEmpty() && !printed[i - 2].trimmed().isEmpty() && !isRule(printed[i - 2]) &&
        (i == 2 || printed[i - 3].trimmed().isEmpty()) && !feedBefore[i - 1] && !feedBefore[i])
      first = i - 2;
    qsizetype last = std::min(n - 1, i + 1 + kLinesKeptWithHeading);
    for (qsizetype k = i + 1; k <= last; ++k)
      if (feedBefore[k]) last = k - 1;
    groupEnd[first] = std::max(groupEnd[first], last);
  }
  // A heading among the lines kept with another (the head of the table a
  // board's title heads) stays with it: one group.
  for (qsizetype i = 0; i < n; ++i)
    for (qsizetype k = i + 1; groupEnd[i] >= 0 && k <= groupEnd[i]; ++k)
      if (groupEnd[k] >= 0) {
        groupEnd[i] = std::max(groupEnd[i], groupEnd[k]);
        groupEnd[k] = -1;
      }
  QList<QStringList> pages;
  QStringList page;
  auto breakPage = [&] {
    if (page.isEmpty()) return;
    pages << page;
    page.clear();
  };
  for (qsizetype i = 0; i < n; ++i) {
    if (feedBefore[i] || page.size() >= perPage) breakPage();
    // A heading never stays alone at the foot of a page: it starts the next
    // one with its lines, unless they would not fit a page anyway.
    const qsizetype group = groupEnd[i] < 0 ? 0 : groupEnd[i] - i + 1;
    if (group > 0 && group <= perPage && page.size() + group > perPage) breakPage();
    page << printed[i];
  }
  breakPage();
  return pages;
}
