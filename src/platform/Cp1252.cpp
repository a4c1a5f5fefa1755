#include "platform/Cp1252.h"

#include <array>

namespace platform {
namespace {

// Code points of bytes 0x80..0x9F; the other bytes are their own code points.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char encodeOne(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (std::size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == c) return static_cast<char>(0x80 + i);
  return '?';
}

}  // namespace

QString fromCp1252(const QByteArray& bytes) {
  QString out;
  out.resize(bytes.size());
  QChar* dst = out.data();
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    dst[i] = QChar(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b));
  }
  return out;
}

QByteArray toCp1252(const QString& text) {
  QByteArray out;
  out.reserve(text.size());
  appendCp1252(out, text);
  return out;
}

char* writeCp1252(char* out, QStringView text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;  // one "?" per character
    *out++ = c.isSurrogate() ? '?' : encodeOne(c.unicode());
  }
  return out;
}

void appendCp1252(QByteArray& out, QStringView text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;  // one "?" per character
    out.append(c.isSurrogate() ? '?' : encodeOne(c.unicode()));
  }
}

QStringList charactersOutsideCp1252(QStringView text) {
  QStringList outside;
  for (qsizetype i = 0; i < text.size(); ++i) {
    QString character(text[i]);
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) character += text[++i];
    const bool held = !text[i].isSurrogate() && (text[i] == u'?' || encodeOne(text[i].unicode()) != '?');
    if (!held && !outside.contains(character)) outside << character;
  }
  return outside;
}

}  // namespace platform
