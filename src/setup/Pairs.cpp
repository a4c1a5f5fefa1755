#include "setup/Pairs.h"

#include "core/Globals.h"
#include "core/Messages.h"

int CountPairs() {
  int count = 0;
  for (int s = 1; s <= kMaxPairs; ++s)
    if (PairNumbers[s] != 0) ++count;
  if (count == 0) ShowAlert(QStringLiteral("Aucune paire introduite!"));
  return count;
}
