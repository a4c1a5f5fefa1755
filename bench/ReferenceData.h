#pragma once
// The largest tournament the program holds (21 tables, 64 boards, every
// result entered), laid out with the same deterministic scores as the
// reference matchpoint scorer the benchmarks are compared with, so that both
// do the same work. A folder of other tournaments' files can be added beside.
#include <QString>

#include <vector>

namespace bench {

inline constexpr int kTables = 21;
inline constexpr int kBoards = 64;

struct Deal {
  int board, ns, ew, nsScore;
};
// The reference's data set: board, N/S pair, E/W pair (21 + k), N/S score.
std::vector<Deal> ReferenceDeals();

// Resets the state and lays the reference data set out in the result slots,
// tournament "BENCH" in dataFolder (ending with "/"), not interactive.
void LayOutReferenceTournament(const QString& dataFolder);
// Mid-evening: every fourth result stays, the others are still owed (score
// 10000), spread over every board.
void KeepAQuarterOfResults();
// Frequencies and ranking, as after each change of results.
void Recompute();
// Creates count small files of other tournaments in folder.
void FillWithOtherTournaments(const QString& folder, int count);

}  // namespace bench
