#include "core/ui/Printer.h"

#include "core/Flows.h"
#include "platform/TextFiles.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>
#include <cerrno>

namespace ui {
namespace {

// The printer chosen in the last print dialog ("" before any, or when it
// was a file: a file is asked each time).
QString& chosenPrinter() {
  static QString name;
  return name;
}

QString& pdfFileName() {
  static QString name;
  return name;
}

// The number of characters of the longest line.
int widestLine(const QStringList& lines) {
  qsizetype widest = 0;
  for (const QString& line : lines) widest = std::max(widest, line.size());
  return static_cast<int>(widest);
}

}  // namespace

bool HasFixedPitch(const QFont& font) {
  // QFontInfo::fixedPitch() is wrong for some monospaced fonts: measure.
  const QFontMetricsF m(font);
  const qreal w = m.horizontalAdvance(QLatin1Char('W'));
  return w > 0 && qFuzzyCompare(m.horizontalAdvance(QLatin1Char('i')), w) &&
         qFuzzyCompare(m.horizontalAdvance(QLatin1Char('.')), w);
}

QFont PrintoutFont() {
  for (const char* family : {"Courier New", "Liberation Mono", "DejaVu Sans Mono", "Nimbus Mono PS", "FreeMono", "monospace"}) {
    QFont font(QString::fromLatin1(family), 12, QFont::Bold);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (HasFixedPitch(font)) return font;
  }
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(12);
  font.setBold(true);
  return font;
}

// Smaller than the 12 points of the printouts when needed: a line cut at the
// page's edge would lose its last columns (the scores).
QFont FitPrintoutFont(const QFont& font, const QStringList& lines, QPaintDevice* device) {
  const int widest = widestLine(lines);
  const int width = device->width();
  QFont fitted = font;
  auto lineWidth = [&](const QFont& f) { return QFontMetricsF(f, device).horizontalAdvance(QString(widest, QLatin1Char('W'))); };
  if (widest == 0 || width <= 0 || lineWidth(fitted) <= width) return fitted;
  // The advance of a fixed-pitch font grows with its size: start from the
  // proportional size and step down until the widest line fits.
  qreal size = fitted.pointSizeF() * width / lineWidth(fitted);
  fitted.setPointSizeF(size);
  while (size > 1 && lineWidth(fitted) > width) {
    size -= 0.25;
    fitted.setPointSizeF(size);
  }
  return fitted;
}

void SetBalancedMargins(QPrinter& printer) {
  QPageLayout layout = printer.pageLayout();
  layout.setUnits(QPageLayout::Millimeter);
  const QMarginsF least = layout.minimumMargins();
  const QMarginsF now = layout.margins();
  const qreal side = std::max({kPrintoutMarginMm, least.left(), least.right(), now.left(), now.right()});
  layout.setMargins(QMarginsF(side, std::max({kPrintoutMarginMm, least.top(), now.top()}), side,
                              std::max({kPrintoutMarginMm, least.bottom(), now.bottom()})));
  printer.setPageLayout(layout);
}

void SetPrintToPdfFile(const QString& fileName) { pdfFileName() = fileName; }

std::optional<PrintOutcome> ChoosePrinter(QPrinter& printer, bool askPrinter) {
  if (!pdfFileName().isEmpty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfFileName());
  } else if (askPrinter || chosenPrinter().isEmpty()) {
    // A PDF file is proposed in the Documents folder, named for the
    // tournament and the printout, so that it never replaces the last one.
    if (const QString proposed = ProposedPdfFile(); !proposed.isEmpty()) {
      printer.setOutputFileName(proposed);
      printer.setDocName(QFileInfo(proposed).completeBaseName());
      printer.setOutputFormat(QPrinter::NativeFormat);  // the system's printer stays the first choice
    }
    SetBalancedMargins(printer);  // what the dialog's properties show
    QPrintDialog dialog(&printer);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    chosenPrinter() = printer.outputFormat() == QPrinter::PdfFormat ? QString() : printer.printerName();
  } else {
    printer.setPrinterName(chosenPrinter());
  }
  // The printer chosen may need wider margins; margins made wider in the
  // dialog's properties are kept.
  SetBalancedMargins(printer);
  PrintOutcome outcome;
  outcome.printerName = printer.printerName();
  outcome.toPdfFile = printer.outputFormat() == QPrinter::PdfFormat;
  if (outcome.toPdfFile) outcome.pdfFile = printer.outputFileName();
  return outcome;
}

void BeginPrinting(QPainter& painter, QPrinter& printer) {
  if (!painter.begin(&printer))
    throw platform::IoError(EIO, QStringLiteral("Printer"),
                            QStringLiteral("Erreur I/O %1 à l'ouverture en écriture du fichier (rewrite) : Printer\r\n"
                                           "Dites-le à Teo VARNAL...")
                                .arg(EIO));
}

PrintOutcome PrintLines(const QStringList& lines, bool askPrinter) {
  QPrinter printer(QPrinter::HighResolution);
  std::optional<PrintOutcome> outcome = ChoosePrinter(printer, askPrinter);
  if (!outcome) return {};
  QPainter painter;
  BeginPrinting(painter, printer);
  painter.setFont(FitPrintoutFont(PrintoutFont(), lines, painter.device()));
  const QFontMetrics metrics(painter.font(), painter.device());
  const int lineHeight = std::max(1, metrics.lineSpacing());
  const int linesPerPage = std::max(1, painter.device()->height() / lineHeight);
  // The text stands in the middle of the printable width: the paper's
  // margins on both sides are alike.
  const qreal text = QFontMetricsF(painter.font(), painter.device()).horizontalAdvance(QString(widestLine(lines), QLatin1Char('W')));
  const int left = std::max(0, static_cast<int>((painter.device()->width() - text) / 2));
  QList<QStringList> pages = SplitIntoPages(lines, linesPerPage);
  if (pages.isEmpty()) pages << QStringList();
  for (qsizetype p = 0; p < pages.size(); ++p) {
    if (p > 0) printer.newPage();
    int y = metrics.ascent();
    for (const QString& line : pages[p]) {
      painter.drawText(left, y, line);
      y += lineHeight;
    }
  }
  painter.end();
  outcome->printed = true;
  return *outcome;
}

void InstallTextPrinter() { flowWindows().printText = &PrintLines; }

}  // namespace ui
