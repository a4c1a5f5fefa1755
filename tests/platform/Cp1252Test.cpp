#include "platform/Cp1252.h"

#include <QSet>

#include <gtest/gtest.h>

using platform::fromCp1252;
using platform::toCp1252;

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
  QByteArray all;
  for (int b = 0; b < 256; ++b) all.append(static_cast<char>(b));
  const QString decoded = fromCp1252(all);
  ASSERT_EQ(decoded.size(), 256);
  EXPECT_EQ(toCp1252(decoded), all);
  // No two bytes decode to the same character.
  QSet<QChar> seen;
  for (QChar c : decoded) seen.insert(c);
  EXPECT_EQ(seen.size(), 256);
}

TEST(Cp1252, WindowsCharactersAndUndefinedBytes) {
  EXPECT_EQ(fromCp1252("\xA3"), QStringLiteral("£"));
  EXPECT_EQ(toCp1252(QStringLiteral("£")), QByteArray("\xA3"));
  EXPECT_EQ(fromCp1252("\x80\x92\x9C\x9F"), QStringLiteral("€’œŸ"));
  EXPECT_EQ(toCp1252(QStringLiteral("é è à ç")), QByteArray("\xE9 \xE8 \xE0 \xE7"));
  for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
    EXPECT_EQ(fromCp1252(QByteArray(1, static_cast<char>(b))).at(0).unicode(), b);
}

TEST(Cp1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(toCp1252(QStringLiteral("a\u0141b")), QByteArray("a?b"));
  EXPECT_EQ(toCp1252(QString::fromUtf8("x\xF0\x9F\x82\xA1y")), QByteArray("x?y"));  // one "?" for a surrogate pair
}
