#include "core/Texts.h"

#include "core/Globals.h"

#include <QLocale>

bool IsAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

QString TrimText(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && text[first].unicode() <= ' ') ++first;
  while (last > first && text[last - 1].unicode() <= ' ') --last;
  return text.mid(first, last - first);
}

QString CollapseBlanks(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    if (c == QLatin1Char(' ') && out.endsWith(QLatin1Char(' '))) continue;
    out += c;
  }
  return out;
}

QString FitToWidth(const QString& text, int width) {
  if (width <= 0) return {};
  return text.left(width).leftJustified(width, QLatin1Char(' '));
}

bool IsInteger(const QString& text) {
  qsizetype i = 0;
  if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) ++i;
  if (i == text.size()) return false;
  for (qsizetype k = i; k < text.size(); ++k)
    if (!IsAsciiDigit(text[k])) return false;
  bool ok = false;
  const qlonglong value = text.toLongLong(&ok);
  return ok && value >= INT32_MIN && value <= INT32_MAX;
}

double ParseDecimalNumber(const QString& text, bool* ok) {
  QString s = TrimText(text);
  s.replace(QLatin1Char(','), QLatin1Char('.'));
  bool valid = false;
  double value = QLocale::c().toDouble(s, &valid);
  if (!valid || !std::isfinite(value)) {
    valid = false;
    value = 0.0;
  }
  if (ok) *ok = valid;
  return value;
}

void AppendScoreColumn(double value, QString& text) {
  if (value == 0.0 && !ImpScoring)
    text += QString(8, QLatin1Char('-'));
  else
    text += QString::number(value, 'f', 2).rightJustified(8, QLatin1Char(' '));
}

int MaxInteger(int a, int b) { return a > b ? a : b; }

int SignOf(int n) { return n > 0 ? 1 : (n < 0 ? -1 : 0); }

QString PadRight(const QString& text, int width) {
  return text.size() >= width ? text : text + QString(width - text.size(), QLatin1Char(' '));
}
