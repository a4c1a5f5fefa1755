#pragma once
// Pairs and boards: the pair number as shown, the mixing count, the number
// of deals and the BYE pair.
#include <QChar>
#include <QString>
#include <QStringList>

// A pair number as shown in merged lists: the number in a Howell; "N" + n,
// or "E" + (n - TableCount) above the number of tables, in a Mitchell.
QString FormatPairNumber(int pair);
// PairCount x MixingPercent / 100, truncated, then made even toward zero.
int ComputeMixingCount();
// DealCount := the highest board number of result slots 1..ResultSlotCount.
void ComputeDealCount();
// Finds the pair labelled "BYE": N/S slots 1..TableCount first (ByeNsPair),
// then the E/W slots after them (ByeEwPair); ByePairNumber is its slot and
// ByePresent tells whether one was found.
void FindByePair();
// With devices and names not typed in the program, reminds the director
// which pair sits out the first round but must still enter its names.
void RemindByePair();
