#include "devices/SessionTexts.h"

#include "core/CardLetters.h"
#include "core/Messages.h"

namespace {

// The sign of the result: "=", else "+", else "-"; -1 when none.
qsizetype signPosition(const QString& text) {
  for (const QChar sign : {QLatin1Char('='), QLatin1Char('+'), QLatin1Char('-')}) {
    const qsizetype at = text.indexOf(sign);
    if (at >= 0) return at;
  }
  return -1;
}

QString strainToSession(QChar strain) {
  if (strain == QLatin1Char('S')) return QStringLiteral("NT");
  const QString suit = FrenchSuitToEnglish(strain);
  return suit.isEmpty() ? QStringLiteral("?") : suit;
}

// Both families of contract conversion; changed: the doubling upper-cased,
// the result after a slash, and the changed family's messages.
QString contractToSession(const QString& contract, bool changed) {
  const QString c = contract.trimmed();
  if (c == QLatin1String("PASSE")) return QStringLiteral("PASS");
  if (c.isEmpty()) return QStringLiteral("?");
  const QString level = c.left(1);
  const QString strain = strainToSession(c.size() > 1 ? c[1] : QChar());
  const QString rest = c.mid(2);
  const qsizetype sign = signPosition(rest);
  if (sign < 0) {
    ShowAlert(QStringLiteral("Désolé, gros bug! J'ai reçu un contrat (") + contract +
              (changed ? QStringLiteral("). J'envoie PASSE. Appelez Teo VARNAL...")
                       : QStringLiteral("). J'envoie PASSE. Modifiez dans FFBClubNet. Appelez Teo VARNAL...")));
    return QStringLiteral("PASS");
  }
  const QString typed = sign >= 1 ? rest.left(sign - 1).toUpper() : QStringLiteral("?");
  QString doubling;
  if (typed == QLatin1String("C") || typed == QLatin1String("X"))
    doubling = QStringLiteral("x");
  else if (typed == QLatin1String("S") || typed == QLatin1String("XX"))
    doubling = QStringLiteral("xx");
  else if (!typed.isEmpty()) {
    ShowAlert(QStringLiteral("Désolé, gros bug! j'ai reçu un contrat (") + contract +
              (changed ? QStringLiteral("). J'envoie PASSE. Appelez Teo VARNAL...")
                       : QStringLiteral("). J'envoie PASSE. Mofifiez dans FFBClubNet. Appelez Teo VARNAL...")));
    return QStringLiteral("PASS");
  }
  if (!changed) return level + QLatin1Char(' ') + strain + QLatin1Char(' ') + doubling;
  return level + QLatin1Char(' ') + strain + QLatin1Char(' ') + doubling.toUpper() + QLatin1Char('/') +
         ResultToSessionText(c);
}

QString leadToSession(const QString& lead) {
  const QString l = lead.trimmed();
  if (l.isEmpty() || l == QLatin1String("?") || l == QLatin1String("-")) return {};
  const QString suit = FrenchSuitToEnglish(l.back());
  if (suit.isEmpty()) return {};
  QString rank = l.chopped(1);
  if (rank == QLatin1String("D") || rank == QLatin1String("R") || rank == QLatin1String("V"))
    rank = FrenchRankToEnglish(rank[0]);
  return suit + rank;
}

}  // namespace

QString ContractToSessionText(const QString& contract) { return contractToSession(contract, false); }

QString ChangedContractToSessionText(const QString& contract) { return contractToSession(contract, true); }

QString ResultToSessionText(const QString& contract) {
  if (contract.endsWith(QLatin1Char('='))) return QStringLiteral("=");
  qsizetype at = contract.indexOf(QLatin1Char('+'));
  if (at < 0) at = contract.indexOf(QLatin1Char('-'));
  if (at < 0) return QStringLiteral("?");
  return contract.mid(at, 10);
}

QString LeadToSessionText(const QString& lead) { return leadToSession(lead); }

QString ChangedLeadToSessionText(const QString& lead) { return leadToSession(lead); }

void TakeFirstLine(QString& text, QString& line) {
  const qsizetype end = text.indexOf(QStringLiteral("\r\n"));
  if (end < 0) {
    line = text;
    text.clear();
    return;
  }
  line = text.left(end);
  text.remove(0, end + 2);
}

QString DeclarerToSessionText(const QString& declarer, const QString& contract) {
  QChar d = declarer.trimmed().isEmpty() ? QChar() : declarer.trimmed()[0].toUpper();
  if (!QStringLiteral("NESOXY").contains(d)) {
    // The declarer stands before the result's sign in the contract text.
    const QString rest = contract.trimmed().mid(2);
    const qsizetype sign = signPosition(rest);
    d = sign >= 1 ? rest[sign - 1].toUpper() : QChar();
  }
  switch (d.unicode()) {
    case 'O': return QStringLiteral("W");
    case 'X': return QStringLiteral("N");
    case 'Y': return QStringLiteral("E");
    default: return d.isNull() ? QString() : QString(d);
  }
}
