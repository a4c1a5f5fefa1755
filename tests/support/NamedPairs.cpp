#include "support/NamedPairs.h"

#include "core/Globals.h"

namespace testing_support {

void MakeNamedPairs(int pairs) {
  const int north = (pairs + 1) / 2;
  for (int s = 1; s <= pairs; ++s) {
    PairNumbers[s] = s <= north ? s : -(s - north);
    Player1Names[s] = QStringLiteral("Nom%1").arg(s);
    Player2Names[s] = QStringLiteral("Autre%1").arg(s);
    PairLabels[s] = Player1Names[s] + QStringLiteral(" - ") + Player2Names[s];
  }
  PairCount = pairs;
  PairSlotCount = pairs + pairs % 2;
  TableCount = ResultsPerBoard = PairSlotCount / 2;
}

}  // namespace testing_support
