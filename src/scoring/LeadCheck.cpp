#include "scoring/LeadCheck.h"

#include "core/CardLetters.h"
#include "core/DealDiagrams.h"
#include "core/Globals.h"

namespace {

const QString kSuitLetters = QStringLiteral("PCKT");
const QString kSuitNames[4] = {QStringLiteral("pique"), QStringLiteral("cœur"), QStringLiteral("carreau"), QStringLiteral("trèfle")};

QString rankName(const QString& rank) {
  if (rank == QLatin1String("A")) return QStringLiteral("As");
  if (rank == QLatin1String("R")) return QStringLiteral("Roi");
  if (rank == QLatin1String("D")) return QStringLiteral("Dame");
  if (rank == QLatin1String("V")) return QStringLiteral("Valet");
  return rank;
}

QString seatWithArticle(const QString& heading) {
  return heading.startsWith(QLatin1Char('E')) || heading.startsWith(QLatin1Char('O')) ? QStringLiteral("d'") + heading
                                                                                      : QStringLiteral("de ") + heading;
}

}  // namespace

QString LeaderHeading(const QString& declarer) {
  const QString d = declarer.trimmed().toUpper();
  if (d == QLatin1String("N")) return QStringLiteral("Est");
  if (d == QLatin1String("E")) return QStringLiteral("Sud");
  if (d == QLatin1String("S")) return QStringLiteral("Ouest");
  if (d == QLatin1String("O") || d == QLatin1String("W")) return QStringLiteral("Nord");
  return {};
}

QString LeadNotHeld(const std::array<QString, 4>& hand, const QString& leaderHeading, const QString& lead) {
  const QString card = lead.trimmed();
  if (leaderHeading.isEmpty() || card.size() < 2) return {};
  const qsizetype suit = kSuitLetters.indexOf(card.back().toUpper());
  const QString rank = card.chopped(1).toUpper();
  if (suit < 0) return {};
  bool anyCard = false;
  for (const QString& s : hand) anyCard = anyCard || !QString(s).remove(QLatin1Char(' ')).isEmpty();
  if (!anyCard) return {};
  // The diagram writes the ten as "X"; the lead as "10"; a small card as "x".
  const QString held = QString(hand[suit]).remove(QLatin1Char(' ')).toUpper();
  bool holds = false;
  if (rank == QLatin1String("X")) {
    for (const QChar c : held) holds = holds || (c >= QLatin1Char('2') && c <= QLatin1Char('9'));
  } else {
    holds = held.contains(rank == QLatin1String("10") ? QStringLiteral("X") : rank);
  }
  if (holds) return {};
  const QString name = rank == QLatin1String("X") ? QStringLiteral("petit ") + kSuitNames[suit]
                                                  : rankName(rank) + QStringLiteral(" de ") + kSuitNames[suit];
  return QStringLiteral("L'entame %1 n'est pas dans la main %2, à la gauche du déclarant.").arg(name, seatWithArticle(leaderHeading));
}

QString LeadNotHeldOnBoard(int board, const QString& declarer, const QString& lead) {
  if (board < 1 || board > kMaxBoards || DealDiagrams[board].isEmpty()) return {};
  const QString heading = LeaderHeading(declarer);
  if (heading.isEmpty()) return {};
  std::array<QString, 4> hand;
  for (int s = 0; s < 4; ++s)
    hand[s] = EnglishRanksToFrench(HoldingFromDiagram(board, heading, QString(QLatin1Char(kFrenchSuitLetters[s]))));
  return LeadNotHeld(hand, heading, lead);
}
