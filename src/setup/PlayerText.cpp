#include "setup/PlayerText.h"

#include "core/Messages.h"
#include "platform/Cp1252.h"

#include <QStringDecoder>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

bool isAscii(const QByteArray& bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

QString decodeLine(const QByteArray& bytes) {
  if (isAscii(bytes)) return QString::fromLatin1(bytes);
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  return platform::fromCp1252(bytes);
}

}  // namespace

QStringList DecodePlayerFileLines(const QByteArray& bytes) {
  QByteArray text = bytes;
  if (text.startsWith("\xEF\xBB\xBF")) text.remove(0, 3);
  QStringList lines;
  for (QByteArray line : text.split('\n')) {
    if (line.endsWith('\r')) line.chop(1);
    lines << decodeLine(line);
  }
  if (!text.isEmpty() && text.endsWith('\n')) lines.removeLast();
  if (text.isEmpty()) lines.clear();
  return lines;
}

void ConvertUtf8Accents(QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != QChar(0xC3)) continue;
    const QByteArray second = platform::toCp1252(text.mid(i + 1, 1));
    const auto b = static_cast<unsigned char>(second.at(0));
    if (b < 0x80 || b > 0xBF || second == "?") continue;
    text.replace(i, 2, QChar(0xC0 + (b - 0x80)));
  }
}

void ReplaceForbiddenCharacters(const QString& text, const QString& forbidden, QString& out) {
  QString result = text;
  for (const QChar c : forbidden) {
    if (!result.contains(c)) continue;
    ShowAlert(QStringLiteral("\"") + c + QStringLiteral("\" détecté dans\r\n") + result +
              QStringLiteral("\r\nDésolé, remplacé par \"_\"..."));
    result.replace(c, QLatin1Char('_'));
  }
  out = result;
}

void NormaliseBlanks(const QString& text, QString& out) {
  qsizetype start = 0;
  while (start < text.size() && text[start].unicode() < 33) ++start;
  QString result;
  for (qsizetype i = start; i < text.size(); ++i) {
    if (text[i] == QLatin1Char(' ') && result.endsWith(QLatin1Char(' '))) continue;
    result += text[i];
  }
  while (result.endsWith(QLatin1Char(' '))) result.chop(1);
  out = result;
}

void SortCp1252(QStringList& lines) {
  std::vector<std::pair<QByteArray, QString>> keyed;
  keyed.reserve(static_cast<std::size_t>(lines.size()));
  for (const QString& line : lines) keyed.emplace_back(platform::toCp1252(line), line);
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (qsizetype i = 0; i < lines.size(); ++i) lines[i] = keyed[static_cast<std::size_t>(i)].second;
}
