#pragma once
// Pair totals, the final adjustments of ".PEN", the ranking and the mixing of
// the best N/S and E/W pairs at its head.
#include <functional>
#include <vector>

// One score per pair (PairFinalScore), then RankingOrder, from the
// frequencies of every result. Nothing of the shared state changes while a
// window of the pass is on screen: the totals and the ranking are made first,
// the windows come after.
void ComputeResults();

// round(x x 100) / 100, ties to the even integer.
double RoundTo2Decimals(double x);
// The one rule for ties, in the ranking, the mixing and every listing: two
// scores are equal when they are equal once rounded to 0.01.
bool SameRankingScore(double a, double b);

// The score of a pair number, for the ordering routines below.
using PairScore = std::function<double(int pair)>;

// Pairs 1..count, the better score (rounded to 0.01) first; pairs whose
// scores are the same once rounded stand in increasing pair number. Index 0
// of the answer is unused.
std::vector<int> RankByScore(int count, const PairScore& score);
// Puts every run of consecutive pairs of order (from index 1) whose scores
// are the same once rounded in increasing pair number: the rule RankByScore
// follows, kept after the mixing has rearranged the head of the ranking (it
// may bring a tied pair of each side together). Tied pairs are thus listed
// in one order on screen, in the printouts, in the result files, on the web
// page and in the XML export.
void OrderTiedPairs(std::vector<int>& order, const PairScore& score);

// The first pair still in the working ranking (entries above 0) on the side
// (1 N/S: number up to ResultsPerBoard; 2 E/W: above it); unless peek, the
// entry is taken out (set to 0). None left on that side, or PairCount below
// 1: "Erreur non prévue dans SearchNext" and the program stops.
int SearchNext(std::vector<int>& ranking, int side, bool peek);
