#include "core/Printing.h"

#include "core/Counts.h"
#include "core/Globals.h"
#include "core/Helpers.h"
#include "core/Messages.h"
#include "platform/Clock.h"
#include "platform/TextFiles.h"

#include <QDir>

namespace {

TextPrinter& textPrinter() {
  static TextPrinter printer;
  return printer;
}

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

void SetTextPrinter(TextPrinter printer) { textPrinter() = std::move(printer); }

QString PdfFileFor(const QString& printout) {
  const QString name = printout.isEmpty() ? QStringLiteral("impression") : printout;
  const QString code = TournamentCode.trimmed();
  return DocumentsFolder + QLatin1Char('/') + (code.isEmpty() ? name : code + QLatin1Char('-') + name) + QStringLiteral(".pdf");
}

QString ProposedPdfFile() { return proposedPdfFile(); }

bool PrintTextFile(const QString& fileName, bool askPrinter, const QString& printout) {
  const QStringList lines = platform::readTextLines(platform::resolvePath(fileName));
  if (!textPrinter()) return true;
  proposedPdfFile() = PdfFileFor(printout);
  const PrintOutcome outcome = textPrinter()(lines, askPrinter);
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

QList<QStringList> SplitIntoPages(const QStringList& lines, int linesPerPage) {
  const int perPage = std::max(1, linesPerPage);
  QList<QStringList> pages;
  QStringList page;
  auto breakPage = [&] {
    if (page.isEmpty()) return;
    pages << page;
    page.clear();
  };
  auto addLine = [&](const QString& line) {
    if (page.size() >= perPage) breakPage();
    page << line;
  };
  for (const QString& line : lines) {
    if (!line.contains(QChar(12))) {
      addLine(line);
      continue;
    }
    const QStringList parts = line.split(QChar(12));
    for (qsizetype i = 0; i < parts.size(); ++i) {
      if (i > 0) breakPage();
      if (!parts[i].isEmpty()) addLine(parts[i]);
    }
  }
  breakPage();
  return pages;
}
