// STAND-IN for the pair checks of the pairs entry (see StandInPairChecks.h).
#include "setup/StandInPairChecks.h"

#include "core/Globals.h"
#include "core/Helpers.h"
#include "core/Messages.h"
#include "setup/Pairs.h"

bool PairTableCounts() {
  PairCount = CountPairs();
  if (PairCount == 0) return false;
  PairSlotCount = PairCount + PairCount % 2;
  if (PairSlotCount < 4) {
    ShowAlert(QStringLiteral("Ce programme accepte au minimum 4 paires!"));
    return false;
  }
  ResultsPerBoard = PairSlotCount / 2;
  return true;
}

void CheckPairs(bool& ok) {
  ok = PairTableCounts();
  if (!ok) return;
  int north = 0, east = 0, byes = 0;
  for (int s = 1; s <= kMaxPairs; ++s) {
    if (PairNumbers[s] > 0) ++north;
    if (PairNumbers[s] < 0) ++east;
  }
  for (int s = 1; s <= PairCount; ++s) {
    if (TrimText(Player1Names[s]).toUpper() == QLatin1String("BYE")) ++byes;
    if (TrimText(Player2Names[s]).toUpper() == QLatin1String("BYE")) ++byes;
  }
  ok = false;
  if (east > north) return ShowAlert(QStringLiteral("Il y a plus de E/W que de N/S!"));
  if (north > east) return ShowAlert(QStringLiteral("Il y a plus de N/S que de E/W!"));
  if (byes > 1) return ShowAlert(QStringLiteral("Il y plus qu'une paire BYE!"));
  ByePresent = false;
  ByePairNumber = 0;
  for (int s = 1; s <= PairCount; ++s)
    if (TrimText(PairLabels[s]).toUpper() == QLatin1String("BYE")) {
      ByePairNumber = PairNumbers[s] > 0 ? PairNumbers[s] : -PairNumbers[s] + PairCount / 2;
      ByePresent = true;
    }
  ok = true;
}
