#include "setup/PairLookups.h"

#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/Messages.h"

#include <algorithm>

int FindPairSlot(int pairNumber) {
  const int key = pairNumber <= ResultsPerBoard ? pairNumber : -(pairNumber - ResultsPerBoard);
  if (key == 0) return 0;  // 0 marks an empty slot, never a pair
  const int last = std::min(PairCount, kMaxPairs);
  for (int s = 1; s <= last; ++s)
    if (PairNumbers[s] == key) return s;
  return 0;
}

int INDEX(int pairNumber) {
  const int slot = FindPairSlot(pairNumber);
  if (slot > 0) return slot;
  ShowAlertWithBeeps(3, QStringLiteral("Désolé, gros problème dans INDEX (%1)! Le programme s'arrête. Il faut avertir Teo VARNAL...")
                            .arg(pairNumber));
  StopCompanionsAndHalt();
}

bool IsByePairNumber(int pairNumber) { return pairNumber > 0 && IsByeSlot(FindPairSlot(pairNumber)); }

bool IsByeSlot(int slot) {
  if (slot < 1 || slot > kMaxPairs) return false;
  return QStringView(PairLabels[slot]).trimmed().compare(QLatin1String("BYE"), Qt::CaseInsensitive) == 0;
}

bool IsByePair(int pairNumber) {
  if (pairNumber <= 0) return false;
  return IsByeSlot(INDEX(pairNumber));
}

bool IsByeEwPair(int pairNumber) {
  if (MitchellNumbering && pairNumber > 0 && pairNumber <= ResultsPerBoard) pairNumber += ResultsPerBoard;
  return IsByePair(pairNumber);
}

QString PairNumberText(int pairNumber) {
  if (!IsHowell && pairNumber > ResultsPerBoard) return QString::number(pairNumber - ResultsPerBoard);
  return QString::number(pairNumber);
}

int BoardVulnerability(int board) {
  // The cycle repeats every 16 boards; the modulo is kept positive so that a
  // board number below 1 still gives 0..3 (the remainder is taken before
  // the shift, so that no board number overflows).
  const int m = (board % 16 + 15) % 16;
  return (m / 4 + m % 4) % 4;
}

QString VulnerabilityText(int board) {
  switch (BoardVulnerability(board)) {
    case 1: return QStringLiteral("N/S");
    case 2: return QStringLiteral("E/W");
    case 3: return QStringLiteral("Tous");
    default: return QStringLiteral("Personne");
  }
}

bool DeclarerVulnerable(int board, QChar declarer) {
  const int v = BoardVulnerability(board);
  const QChar d = declarer.toUpper();
  if (d == QLatin1Char('N') || d == QLatin1Char('S')) return v == 1 || v == 3;
  if (d == QLatin1Char('E') || d == QLatin1Char('O')) return v == 2 || v == 3;
  return false;
}
