#pragma once
// Counts and checks on the pair slots, the place of the absent pair ("BYE")
// and the random draw of the pair numbers.
#include <QString>

class QRandomGenerator;

// The one test of the absent pair: player 1 reads "BYE" (any case, blanks
// around ignored) and there is no player 2.
bool IsByeNames(const QString& player1, const QString& player2);

// PairCount := CountPairs; PairSlotCount := PairCount rounded up to even;
// with at least 4, ResultsPerBoard := PairSlotCount / 2 and true. Fewer:
// "Ce programme accepte au minimum 4 paires!" (none: CountPairs' message)
// and false.
bool PairTableCounts();

// The checks run before a movement is chosen: counts, equal sides, one BYE at
// most (ByePresent and ByePairNumber set), no player twice, no player left
// "?", and with BridgeMates and names typed here every player found in the
// players file. The first failing check shows its message; false then.
bool CheckPairs();

// Gives each player of slots 1..PairSlotCount the licence of the player list
// entry of the same name (whole name, without regard to case; the BYE pair
// and "?" are skipped) and returns the first name found nowhere ("" when
// every name was found).
QString FindPlayerNotInFile();

// Where the quick creation of an odd number of pairs puts the BYE, H being
// the number of tables: from "choixBYE.TXT" when the program folder holds one
// (a bad file stops the program), else asked in "Choix de la paire BYE" and
// kept in that file when the director ticks the box. direction is 1 (N/S) or
// 2 (E/W); number is always 1..H.
void PlaceByePair(int tables, int& direction, int& number);

// What "Choix de la paire BYE" shows and answers, carried through the text
// question of the interaction as "direction;highest;number;keep" (highest and
// keep as 0 or 1).
struct ByeWindowState {
  int direction = 1;     // 1 N/S, 2 E/W
  bool highest = true;   // "A priori, au numéro le plus élevé"
  QString number;        // the number field as typed
  bool keep = false;     // "Garder l'information pour les tournois suivants"
  QString toText() const;
  static ByeWindowState fromText(const QString& text);
};

// Random draw of the pair numbers: each slot but the BYE's exchanges its
// number with a random slot that is not the BYE's either (the names stay, so
// a pair may change direction), then PairTableCounts. The first form seeds
// its generator from the clock.
void DrawPairs();
void DrawPairs(QRandomGenerator& generator);
