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
// The same with what the frequencies' pass shared (share may be null).
namespace scoring {
struct RecomputeShare;
}
void ComputeResults(const scoring::RecomputeShare* share);
// ComputeFrequencies() then ComputeResults(), as after each change of
// results. Without windows (Interactive cleared), the two halves share one
// reading of the results folder and the pass adds up each pair's
// percentages as it gives them; the ranking is the same either way.
void RecomputeResults();
// The recompute of a table devices' evening, whatever brought the change
// (the BridgeMates, the tablets, a sheet closed): without windows, the
// frequencies as ComputeFrequenciesSilently gives them (a board still in
// play not ventilated, a finished one as the desk computes it; the resume
// uses the same), then the results, sharing one reading of the results
// folder.
void RecomputeResultsSilently();

// round(x x 100) / 100, ties to the even integer.
double RoundTo2Decimals(double x);
// The one rule for ties, in the ranking, the mixing and every listing: two
// scores are equal when they are equal once rounded to 0.01.
bool SameRankingScore(double a, double b);

// The score of a pair number, for the ordering routines below.
using PairScore = std::function<double(int pair)>;

// How RankByScore compares two scores: rounded to 0.01 (a session's ranking,
// whose listings show two decimals), or as they are (the cumulative ranking,
// whose averages are compared unrounded: 55.564 ranks before 55.561).
enum class ScoreComparison { Rounded, Exact };

// Items 1..count by an exchange sort on their scores: for each place i and
// each later place j, the two items change places when the one at j has the
// better score. Equal scores are never exchanged with each other, but an
// exchange with a better item can move one behind another: 50, 50 and 60 for
// items 1, 2 and 3 give 3, 2, 1. This is the one ordering rule of the pairs'
// ranking, the cumulative ranking and the Patton teams; every listing follows
// the order it gives (through RankingOrder). Index 0 of the answer is unused.
std::vector<int> RankByScore(int count, const PairScore& score,
                             ScoreComparison comparison = ScoreComparison::Rounded);

// The first pair still in the working ranking (entries above 0) on the side
// (1 N/S: number up to ResultsPerBoard; 2 E/W: above it); unless peek, the
// entry is taken out (set to 0). None left on that side, or PairCount below
// 1: "Erreur non prévue dans SearchNext" and the program stops.
int SearchNext(std::vector<int>& ranking, int side, bool peek);
