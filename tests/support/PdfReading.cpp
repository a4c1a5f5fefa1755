#include "support/PdfReading.h"

#include <QProcess>
#include <QRegularExpression>

namespace testing_support {
namespace {

QString pdftotext(const QString& option, const QString& pdf) {
  QProcess tool;
  tool.start(QStringLiteral("pdftotext"), {option, pdf, QStringLiteral("-")});
  if (!tool.waitForFinished(30000) || tool.exitCode() != 0) return {};
  return QString::fromUtf8(tool.readAllStandardOutput());
}

}  // namespace

QStringList PdfPages(const QString& pdf) {
  QStringList pages = pdftotext(QStringLiteral("-layout"), pdf).split(QChar(12));
  if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
  return pages;
}

QStringList NonEmptyLines(const QString& page) {
  QStringList lines;
  for (const QString& line : page.split(QLatin1Char('\n')))
    if (!line.trimmed().isEmpty()) lines << line.trimmed();
  return lines;
}

PdfLayout PdfWords(const QString& pdf) {
  const QString html = pdftotext(QStringLiteral("-bbox"), pdf);
  PdfLayout layout;
  const QRegularExpression page(QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)")re"));
  const auto size = page.match(html);
  layout.pageWidth = size.captured(1).toDouble();
  layout.pageHeight = size.captured(2).toDouble();
  const QRegularExpression item(QStringLiteral(
      R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
  int pageIndex = -1;
  for (auto it = item.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    if (m.captured(0) == QLatin1String("<page ")) {
      ++pageIndex;
      continue;
    }
    layout.words << PdfWord{m.captured(5), pageIndex, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                            m.captured(4).toDouble()};
  }
  return layout;
}

}  // namespace testing_support
