#include "core/PairsAndBoards.h"

#include "core/Globals.h"
#include "core/Messages.h"

#include <algorithm>

QString FormatPairNumber(int pair) {
  if (IsHowell) return QString::number(pair);
  if (pair > TableCount) return QStringLiteral("E") + QString::number(pair - TableCount);
  return QStringLiteral("N") + QString::number(pair);
}

int ComputeMixingCount() {
  const int percent = (MixingPercent >= 0 && MixingPercent <= 100) ? MixingPercent : 10;  // outside: the default
  const int count = PairCount * percent / 100;
  return count / 2 * 2;
}

void ComputeDealCount() {
  const int last = std::min(ResultSlotCount, kMaxResultSlots);
  int highest = 0;
  for (int s = 1; s <= last; ++s) highest = std::max(highest, ResultBoard[s]);
  DealCount = highest;
}

void FindByePair() {
  ByeNsPair = 0;
  ByeEwPair = 0;
  ByePairNumber = 0;
  ByePresent = false;
  const int tables = std::clamp(TableCount, 0, kMaxTables);
  for (int s = 1; s <= tables; ++s) {
    if (PairLabels[s] == QLatin1String("BYE")) {
      ByeNsPair = s;
      ByePairNumber = s;
      ByePresent = true;
      return;
    }
  }
  const int last = std::min(2 * tables, kMaxPairs);
  for (int s = tables + 1; s <= last; ++s) {
    if (PairLabels[s] == QLatin1String("BYE")) {
      ByeEwPair = s;
      ByePairNumber = s;
      ByePresent = true;
      return;
    }
  }
}

void RemindByePair() {
  if (PairsEntered || !ByePresent) return;
  QString pair;
  if (!MitchellNumbering)
    pair = QString::number(ByePairNumber);
  else if (ByeNsPair > 0)
    pair = QStringLiteral("E/W ") + QString::number(ByeNsPair);
  else
    pair = QStringLiteral("N/S ") + QString::number(ByeEwPair - TableCount);
  ShowAlert(QStringLiteral("N'oubliez pas de rappeler à la paire ") + pair +
            QStringLiteral(" qu'ils ne jouent pas le premier tour (ils sont BYE) mais ils doivent quand même utiliser les ") +
            (BridgeMatesMode ? QStringLiteral("Bridgemates") : QStringLiteral("tablettes")) +
            QStringLiteral(" et introduire leurs noms..."));
}
