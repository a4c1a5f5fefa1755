#include "publishing/WebText.h"

#include "core/Globals.h"
#include "core/Messages.h"
#include "platform/TextFiles.h"

#include <algorithm>

namespace publishing {

namespace {

QChar At(const QString& text, qsizetype i) { return i >= 0 && i < text.size() ? text.at(i).toUpper() : QChar(); }

bool IsDeclarerLetter(QChar c) {
  return c == u'N' || c == u'E' || c == u'S' || c == u'O';
}

}  // namespace

QString HtmlEscape(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    switch (c.unicode()) {
      case '&': out += QLatin1String("&amp;"); break;
      case '<': out += QLatin1String("&lt;"); break;
      case '>': out += QLatin1String("&gt;"); break;
      case '"': out += QLatin1String("&quot;"); break;
      case '\'': out += QLatin1String("&#39;"); break;
      default: out += c;
    }
  }
  return out;
}

QString JsEscape(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    switch (c.unicode()) {
      case '\\': out += QLatin1String("\\\\"); break;
      case '\'': out += QLatin1String("\\'"); break;
      case '"': out += QLatin1String("\\\""); break;
      case '\n': out += QLatin1String("\\n"); break;
      case '\r': out += QLatin1String("\\r"); break;
      case 0x2028: out += QLatin1String("\\u2028"); break;
      case 0x2029: out += QLatin1String("\\u2029"); break;
      case '/':
        out += i > 0 && text.at(i - 1) == u'<' ? QLatin1String("\\/") : QLatin1String("/");
        break;
      default: out += c;
    }
  }
  return out;
}

QString FileNamePart(const QString& text) {
  QString out;
  for (const QChar c : text)
    if (c.isLetterOrNumber()) out += c;
  return out;
}

QString XmlEscape(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    // Characters XML 1.0 does not allow at all: control characters other
    // than tab, and the two non-characters U+FFFE and U+FFFF.
    if ((c.unicode() < 0x20 && c != u'\t') || c.unicode() >= 0xFFFE) continue;
    switch (c.unicode()) {
      case '&': out += QLatin1String("&amp;"); break;
      case '<': out += QLatin1String("&lt;"); break;
      case '>': out += QLatin1String("&gt;"); break;
      case '"': out += QLatin1String("&quot;"); break;
      case '\'': out += QLatin1String("&apos;"); break;
      default: out += c;
    }
  }
  return out;
}

StoredContract ReadStoredContract(const QString& contract) {
  StoredContract c;
  const QString t = contract.trimmed().toUpper();
  const QChar level = At(t, 0);
  const QChar strain = At(t, 1);
  if (level < u'1' || level > u'7' || !QStringLiteral("PCKST").contains(strain)) return c;
  c.level = level;
  c.strain = strain;
  qsizetype pos = 2;
  const QChar d = At(t, 2);
  if (d == u'X') {
    c.doubling = At(t, 3) == u'X' ? 2 : 1;
    pos += c.doubling;
  } else if (d == u'C') {
    c.doubling = 1;
    pos = 3;
  } else if (d == u'S' && IsDeclarerLetter(At(t, 3))) {
    c.doubling = 2;
    pos = 3;
  }
  if (IsDeclarerLetter(At(t, pos))) c.declarer = At(t, pos++);
  const QChar sign = At(t, pos);
  if (sign == u'+' || sign == u'-') {
    c.sign = sign;
    QString digits;
    for (qsizetype i = pos + 1; i < t.size() && digits.size() < 2 && t.at(i).isDigit(); ++i) digits += t.at(i);
    c.tricks = digits.toInt();
  } else {
    c.sign = u'=';
  }
  c.ok = true;
  return c;
}

QString EnglishStrain(QChar strain) {
  switch (strain.toUpper().unicode()) {
    case 'C': return QStringLiteral("H");
    case 'K': return QStringLiteral("D");
    case 'P': return QStringLiteral("S");
    case 'S': return QStringLiteral("NT");
    case 'T': return QStringLiteral("C");
    default: return {};
  }
}

QString SlotDeclarer(int slot) {
  QString d = ResultDeclarer[slot].trimmed().toUpper();
  if (d.isEmpty() || d == u'?') {
    const StoredContract c = ReadStoredContract(ResultContract[slot]);
    d = c.ok && !c.declarer.isNull() ? QString(c.declarer) : QString();
  }
  if (d == u'O') d = QStringLiteral("W");
  return d;
}

int BoardOfSlot(int slot) { return ResultsPerBoard > 0 ? (slot - 1) / ResultsPerBoard + 1 : 0; }

std::optional<QStringList> ReadAdjustmentLines() {
  const QString name = scoring::AdjustmentsFileName();
  if (!platform::fileExists(name)) return std::nullopt;
  return platform::tryReadTextLines(platform::resolvePath(name));
}

std::optional<scoring::AdjustmentLine> LastAdjustmentFor(int slot, const QStringList& lines) {
  std::optional<scoring::AdjustmentLine> found;
  const int slotCount = std::clamp(ResultSlotCount, 0, kMaxResultSlots);
  const int board = BoardOfSlot(slot);
  for (const QString& line : lines) {
    const auto a = scoring::ParseAdjustmentLine(line);
    if (!a || a->slot < 1 || a->slot > slotCount || a->board != board) continue;
    if (ResultNsPair[a->slot] == ResultNsPair[slot] && ResultEwPair[a->slot] == ResultEwPair[slot]) found = a;
  }
  return found;
}

std::optional<QStringList> DiagramLines(int n) {
  QStringList lines = platform::splitLines(DealDiagrams[n]);
  if (lines.value(0).contains(QLatin1String("Board"))) return lines;
  ShowAlert(QStringLiteral("Pas trouvé les caractères \"Board\" pour l'étui %1. On n'exporte pas les diagrammes...")
                .arg(n));
  return std::nullopt;
}

int SlotLimit() { return std::clamp(ResultSlotCount, 0, kMaxResultSlots); }

QString ShortestDecimal(double value) { return QString::number(value, 'g', 15); }

}  // namespace publishing

QString HtmlAccents(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    switch (c.unicode()) {
      case 0xE9: out += QLatin1String("&eacute;"); break;
      case 0xE8: out += QLatin1String("&egrave;"); break;
      case 0xEA: out += QLatin1String("&ecirc;"); break;
      case 0xEB: out += QLatin1String("&euml;"); break;
      case 0xE0: out += QLatin1String("&agrave;"); break;
      case 0xE2: out += QLatin1String("&acirc;"); break;
      case 0xEE: out += QLatin1String("&icirc;"); break;
      case 0xEF: out += QLatin1String("&iuml;"); break;
      case 0xF4: out += QLatin1String("&ocirc;"); break;
      case 0xF9: out += QLatin1String("&ugrave;"); break;
      case 0xFB: out += QLatin1String("&ucirc;"); break;
      case 0xFC: out += QLatin1String("&uuml;"); break;
      case 0xE7: out += QLatin1String("&ccedil;"); break;
      default: out += c;
    }
  }
  return out;
}

QString StripAccents(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    switch (c.unicode()) {
      case 0xE0: case 0xE2: case 0xE4: out += u'a'; break;
      case 0xE7: out += u'c'; break;
      case 0xE8: case 0xE9: case 0xEA: case 0xEB: out += u'e'; break;
      case 0xEE: case 0xEF: out += u'i'; break;
      case 0xF4: case 0xF6: out += u'o'; break;
      case 0xF9: case 0xFB: case 0xFC: out += u'u'; break;
      default: out += c;
    }
  }
  const qsizetype dot = out.indexOf(QLatin1String(" . "));
  if (dot >= 0) out = out.left(dot) + u' ' + out.mid(dot + 3, 50);
  return out.trimmed();
}
