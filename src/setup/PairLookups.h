#pragma once
// Lookups on the pair slots that scoring and entry share: the slot of a pair
// number, the BYE tests, the pair number as shown, and a board's
// vulnerability.
#include <QString>

// Slot 1..PairCount holding pair number n (as numbered in the result slots:
// N/S 1..T, E/W T + k), or 0 when no slot holds it. Never stops the program.
int FindPairSlot(int pairNumber);
// The same, but a number that no slot holds is corrupted pair data: three
// beeps, one more, the message naming n, and the program stops at once.
int INDEX(int pairNumber);

// Whether pair n (1..) is the BYE pair; false for 0 or below. A number that
// no slot holds stops the program (INDEX).
bool IsByePair(int pairNumber);
// As IsByePair for an E/W pair given as typed: with Mitchell numbering a
// number up to T is taken as E/W pair T + n.
bool IsByeEwPair(int pairNumber);
// Whether the label of pair slot 1..42 reads "BYE"; false outside 1..42.
bool IsByeSlot(int slot);
// Whether pair n (1..) is the BYE pair; false for 0 or below and for a
// number that no slot holds (never stops the program).
bool IsByePairNumber(int pairNumber);

// The pair number as shown to the director: in a Mitchell an E/W pair T + k
// reads k; in a Howell every number is shown as it is.
QString PairNumberText(int pairNumber);

// Vulnerability of board b in the 16-board cycle: 0 none, 1 N/S, 2 E/W,
// 3 both.
int BoardVulnerability(int board);
// "Personne", "N/S", "E/W" or "Tous".
QString VulnerabilityText(int board);
// Whether the side of declarer letter N, S, E or O is vulnerable on board b.
bool DeclarerVulnerable(int board, QChar declarer);
