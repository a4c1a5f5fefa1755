#pragma once
// What poppler's PDF-to-text tool (pdftotext) reads from a PDF file the
// printer wrote: the text of its pages, and its words with their boxes.
#include <QList>
#include <QString>
#include <QStringList>

namespace testing_support {

// The text of each page, laid out as printed (empty when the tool fails).
QStringList PdfPages(const QString& pdf);
// The lines of a page that hold text, without their outer blanks.
QStringList NonEmptyLines(const QString& page);

// A word and its box, in points from the page's top left corner.
struct PdfWord {
  QString text;
  int page = 0;  // from 0
  double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};
struct PdfLayout {
  double pageWidth = 0, pageHeight = 0;  // of the first page
  QList<PdfWord> words;
};
PdfLayout PdfWords(const QString& pdf);

}  // namespace testing_support
