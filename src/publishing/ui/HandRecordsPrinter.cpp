#include "publishing/ui/HandRecordsPrinter.h"

#include "core/Flows.h"
#include "core/ui/Printer.h"
#include "core/ui/WindowStyle.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace ui {
namespace {

const QString kSuitSymbols[4] = {QStringLiteral("♠"), QStringLiteral("♥"), QStringLiteral("♦"), QStringLiteral("♣")};
const QColor kRed(0xC0, 0x10, 0x10);
// The rows of the table: North, South, East, West; its columns clubs .. no trump.
const int kTableSeats[4] = {AnalysisNorth, AnalysisSouth, AnalysisEast, AnalysisWest};
const QString kTableSeatLetters[4] = {QStringLiteral("N"), QStringLiteral("S"), QStringLiteral("E"), QStringLiteral("O")};
// Lines of one deal: its heading, then North, West and East, South, four each.
constexpr int kDealLines = 14;

// The measures of a deal's block for the painter's font.
struct Geometry {
  qreal line = 0;      // line height
  qreal hand = 0;      // width of the widest hand
  qreal compass = 0;   // width of the compass
  qreal cell = 0;      // width of a column of the table
  qreal width = 0;     // the whole block
  qreal height = 0;
};

Geometry measure(const QFont& font, QPaintDevice* device, const HandRecordSheet& sheet) {
  const QFontMetricsF m(font, device);
  Geometry g;
  g.line = m.lineSpacing();
  g.hand = m.horizontalAdvance(QStringLiteral("♠ A R D V X 9"));
  for (const HandRecord& r : sheet.deals)
    for (const auto& hand : r.hands)
      for (int s = 0; s < 4; ++s) g.hand = std::max(g.hand, m.horizontalAdvance(kSuitSymbols[s] + QLatin1Char(' ') + hand[s]));
  g.hand += m.horizontalAdvance(QStringLiteral("  "));
  g.compass = 4 * g.line;
  g.cell = m.horizontalAdvance(QStringLiteral(" 13 "));
  g.width = 2 * g.hand + g.compass + g.line + 6 * g.cell;
  g.height = kDealLines * g.line;
  return g;
}

void drawHand(QPainter& p, const std::array<QString, 4>& hand, qreal x, qreal y, qreal line) {
  const QFontMetricsF m(p.font(), p.device());
  for (int s = 0; s < 4; ++s) {
    const qreal baseline = y + s * line + m.ascent();
    p.setPen(s == 1 || s == 2 ? kRed : Qt::black);
    p.drawText(QPointF(x, baseline), kSuitSymbols[s]);
    p.setPen(Qt::black);
    p.drawText(QPointF(x + m.horizontalAdvance(kSuitSymbols[s] + QLatin1Char(' ')), baseline),
               hand[s].isEmpty() ? QStringLiteral("—") : hand[s]);
  }
}

void drawCentred(QPainter& p, const QRectF& box, const QString& text, const QColor& colour = Qt::black) {
  p.setPen(colour);
  p.drawText(box, Qt::AlignCenter, text);
  p.setPen(Qt::black);
}

void drawDeal(QPainter& p, const HandRecord& r, const Geometry& g, qreal left, qreal top, const QFont& font) {
  const QFontMetricsF m(font, p.device());
  QFont bold = font;
  bold.setBold(true);
  // Heading: number, dealer, vulnerability.
  p.setFont(bold);
  p.drawText(QPointF(left, top + m.ascent()), QStringLiteral("Donne %1").arg(r.board));
  p.setFont(font);
  p.drawText(QPointF(left + 2 * g.hand / 3 + g.compass / 2, top + m.ascent()),
             QStringLiteral("Donneur : %1    Vulnérabilité : %2").arg(r.dealer, r.vulnerability));
  // The compass: North above, West and East beside, South below.
  const qreal handsTop = top + 1.5 * g.line;
  const qreal centreX = left + g.hand;
  drawHand(p, r.hands[AnalysisNorth], centreX, handsTop, g.line);
  drawHand(p, r.hands[AnalysisWest], left, handsTop + 4 * g.line, g.line);
  drawHand(p, r.hands[AnalysisEast], centreX + g.compass + g.line / 2, handsTop + 4 * g.line, g.line);
  drawHand(p, r.hands[AnalysisSouth], centreX, handsTop + 8 * g.line, g.line);
  const QRectF compass(centreX, handsTop + 4 * g.line + g.line / 4, g.compass - g.line / 2, 4 * g.line - g.line / 2);
  p.setPen(QPen(Qt::gray, 0));
  p.drawRect(compass);
  p.setPen(Qt::black);
  const qreal third = compass.height() / 3;
  drawCentred(p, QRectF(compass.left(), compass.top(), compass.width(), third), QStringLiteral("N"));
  drawCentred(p, QRectF(compass.left(), compass.bottom() - third, compass.width(), third), QStringLiteral("S"));
  drawCentred(p, QRectF(compass.left(), compass.top() + third, compass.width() / 3, third), QStringLiteral("O"));
  drawCentred(p, QRectF(compass.right() - compass.width() / 3, compass.top() + third, compass.width() / 3, third),
              QStringLiteral("E"));
  // What could be made: the table, then the par.
  const qreal tableLeft = left + 2 * g.hand + g.compass + g.line;
  const qreal tableTop = handsTop;
  if (!r.analysis) {
    p.drawText(QRectF(tableLeft, tableTop, 6 * g.cell, 8 * g.line), Qt::TextWordWrap, r.missing);
    return;
  }
  for (int strain = 0; strain < 5; ++strain)
    drawCentred(p, QRectF(tableLeft + (strain + 1) * g.cell, tableTop, g.cell, g.line), StrainText(strain),
                strain == StrainHearts || strain == StrainDiamonds ? kRed : Qt::black);
  for (int row = 0; row < 4; ++row) {
    const qreal y = tableTop + (row + 1) * g.line;
    p.setFont(bold);
    drawCentred(p, QRectF(tableLeft, y, g.cell, g.line), kTableSeatLetters[row]);
    p.setFont(font);
    for (int strain = 0; strain < 5; ++strain)
      drawCentred(p, QRectF(tableLeft + (strain + 1) * g.cell, y, g.cell, g.line),
                  QString::number(r.analysis->tricks[kTableSeats[row]][strain]));
  }
  p.setPen(QPen(Qt::gray, 0));
  p.drawRect(QRectF(tableLeft, tableTop, 6 * g.cell, 5 * g.line));
  p.setPen(Qt::black);
  const DealAnalysis& a = *r.analysis;
  p.setFont(bold);
  p.drawText(QPointF(tableLeft, tableTop + 6 * g.line + m.ascent()), ParScoreText(a));
  p.setFont(font);
  QStringList contracts;
  for (const ParContract& c : a.parContracts) contracts << ParContractText(c);
  if (contracts.isEmpty()) contracts << QStringLiteral("passe");
  p.drawText(QRectF(tableLeft, tableTop + 7 * g.line, 6 * g.cell, 4 * g.line), Qt::TextWordWrap, contracts.join(QStringLiteral(", ")));
}

}  // namespace

void PaintHandRecords(QPainter& painter, const HandRecordSheet& sheet, QPagedPaintDevice* pages) {
  QPaintDevice* device = painter.device();
  // Readable at arm's length: 12 points, smaller only when a block would pass the width.
  QFont font = FontFor(QStringLiteral("Arial"), 12);
  Geometry g = measure(font, device, sheet);
  while (g.width > device->width() && font.pointSizeF() > 6) {
    font.setPointSizeF(font.pointSizeF() - 0.5);
    g = measure(font, device, sheet);
  }
  QFont titleFont = font;
  titleFont.setPointSizeF(font.pointSizeF() + 2);
  titleFont.setBold(true);
  const qreal titleHeight = QFontMetricsF(titleFont, device).lineSpacing() * 1.6;
  const int perPage = std::max(1, static_cast<int>((device->height() - titleHeight) / g.height));
  const qreal left = std::max<qreal>(0, (device->width() - g.width) / 2);
  for (qsizetype i = 0; i < sheet.deals.size() || i == 0; ++i) {
    const int onPage = static_cast<int>(i % perPage);
    if (onPage == 0) {
      if (i > 0 && pages) pages->newPage();
      painter.setFont(titleFont);
      painter.drawText(QRectF(0, 0, device->width(), titleHeight), Qt::AlignHCenter | Qt::AlignTop, sheet.title);
    }
    if (i >= sheet.deals.size()) break;
    const qreal top = titleHeight + onPage * g.height;
    if (onPage > 0) {
      painter.setPen(QPen(Qt::gray, 0));
      painter.drawLine(QPointF(left, top - g.line / 2), QPointF(left + g.width, top - g.line / 2));
      painter.setPen(Qt::black);
    }
    painter.setFont(font);
    drawDeal(painter, sheet.deals[i], g, left, top, font);
  }
}

PrintOutcome PrintHandRecordSheet(const HandRecordSheet& sheet) {
  QPrinter printer(QPrinter::HighResolution);
  std::optional<PrintOutcome> outcome = ChoosePrinter(printer, true);
  if (!outcome) return {};
  QPainter painter;
  BeginPrinting(painter, printer);
  PaintHandRecords(painter, sheet, &printer);
  painter.end();
  outcome->printed = true;
  return *outcome;
}

void InstallHandRecordsPrinter() { flowWindows().printHandRecords = &PrintHandRecordSheet; }

}  // namespace ui
