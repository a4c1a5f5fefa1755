#include "core/CardLetters.h"

#include "core/Globals.h"

QChar EnglishRankToFrench(QChar rank) {
  switch (rank.unicode()) {
    case 'T': return QLatin1Char('X');
    case 'J': return QLatin1Char('V');
    case 'Q': return QLatin1Char('D');
    case 'K': return QLatin1Char('R');
    default: return rank;
  }
}

QChar FrenchRankToEnglish(QChar rank) {
  switch (rank.unicode()) {
    case 'X': return QLatin1Char('T');
    case 'V': return QLatin1Char('J');
    case 'D': return QLatin1Char('Q');
    case 'R': return QLatin1Char('K');
    default: return rank;
  }
}

QString EnglishRanksToFrench(const QString& holding) {
  QString out;
  for (const QChar c : holding) {
    if (c == QLatin1Char(' ')) continue;
    if (!out.isEmpty()) out += QLatin1Char(' ');
    out += EnglishRankToFrench(c);
  }
  return out;
}

QString FrenchRanksToEnglish(const QString& diagramLine) {
  const QString cards = diagramLine.mid(3, 30);
  QString out;
  for (qsizetype i = 0; i < cards.size(); i += 2) out += FrenchRankToEnglish(cards[i]);
  return out;
}

QString FrenchHoldingToEnglish(const QString& ranks) {
  QString out;
  for (const QChar c : ranks)
    if (c != QLatin1Char(' ')) out += FrenchRankToEnglish(c);
  return out;
}

QString FrenchSuitToEnglish(QChar suit) {
  switch (suit.unicode()) {
    case 'P': return QStringLiteral("S");
    case 'C': return QStringLiteral("H");
    case 'K': return QStringLiteral("D");
    case 'T': return QStringLiteral("C");
    default: return {};
  }
}

QString ApplySuitLetters(const QString& contract) {
  if (contract.size() < 2) return contract;
  static const QString kSuits = QStringLiteral("PCKT");  // order of SuitLetters
  const qsizetype suit = kSuits.indexOf(contract[1]);
  if (suit < 0) return contract;
  QString out = contract;
  out[1] = SuitLetters[static_cast<int>(suit) + 1];
  return out;
}
