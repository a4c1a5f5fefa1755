#include "scoring/Imps.h"

#include "core/Globals.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kImpThresholds[24] = {10,  40,  80,  120, 160,  210,  260,  310,  360,  420,  490,  590,
                                    740, 890, 1090, 1290, 1490, 1740, 1990, 2240, 2490, 2990, 3490, 3990};

struct VictoryPointRow {
  int boards;
  int thresholds[15];
};

constexpr VictoryPointRow kVictoryPointRows[] = {
    {8, {1, 5, 8, 11, 14, 17, 20, 23, 26, 29, 33, 37, 41, 45, 50}},
    {12, {1, 6, 9, 12, 16, 20, 24, 28, 32, 36, 40, 45, 50, 55, 61}},
    {14, {2, 7, 10, 14, 18, 22, 26, 30, 34, 38, 43, 48, 54, 60, 66}},
    {16, {2, 7, 11, 15, 19, 23, 27, 31, 36, 41, 46, 52, 58, 64, 71}},
    {20, {2, 8, 12, 16, 21, 26, 31, 36, 41, 47, 53, 59, 65, 72, 79}},
    {24, {3, 9, 14, 19, 24, 29, 34, 39, 45, 51, 57, 64, 71, 79, 87}},
    {28, {3, 10, 15, 20, 25, 31, 37, 43, 49, 55, 61, 68, 76, 85, 94}},
    {32, {3, 10, 16, 22, 28, 34, 40, 46, 52, 58, 65, 73, 82, 91, 100}},
    {36, {3, 11, 17, 23, 29, 36, 43, 50, 57, 64, 71, 79, 88, 97, 106}},
    {40, {3, 11, 18, 25, 32, 39, 46, 53, 60, 68, 76, 84, 93, 102, 112}},
    {48, {4, 12, 20, 28, 36, 44, 52, 60, 68, 76, 84, 93, 102, 112, 123}},
};

constexpr int kWinnerPoints[15] = {15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 25, 25, 25, 25};
constexpr int kLoserPoints[15] = {15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1};

bool Valid(int slot) { return ResultNsPair[slot] != 0 && ResultScore[slot] < kScoreAverage; }

}  // namespace

namespace {

// IMPs of every difference up to the last threshold, read at once.
constexpr int kLastThreshold = kImpThresholds[23];
constexpr auto kImpsByDifference = [] {
  std::array<signed char, kLastThreshold + 1> table{};
  int k = 0;
  for (int d = 0; d <= kLastThreshold; ++d) {
    while (k < 24 && d > kImpThresholds[k]) ++k;
    table[static_cast<std::size_t>(d)] = static_cast<signed char>(k);
  }
  return table;
}();

// The row of each count of boards per match (the last one that fits).
constexpr int kWidestRow = 48;
constexpr auto kRowIndex = [] {
  std::array<signed char, kWidestRow + 1> index{};
  for (int boards = 0; boards <= kWidestRow; ++boards) {
    index[static_cast<std::size_t>(boards)] = -1;
    for (int r = 0; r < static_cast<int>(std::size(kVictoryPointRows)); ++r)
      if (kVictoryPointRows[r].boards <= boards) index[static_cast<std::size_t>(boards)] = static_cast<signed char>(r);
  }
  return index;
}();

}  // namespace

inline int Imps(int difference) {
  const long long d = std::llabs(static_cast<long long>(difference));
  const int imps = d > kLastThreshold ? 24 : kImpsByDifference[static_cast<std::size_t>(d)];
  return difference < 0 ? -imps : imps;
}

int ImpsFromDifference(int difference) { return Imps(difference); }

int VictoryPointsFromImps(int margin, int boardsPerMatch) {
  const int r = boardsPerMatch < 0 ? -1 : kRowIndex[static_cast<std::size_t>(std::min(boardsPerMatch, kWidestRow))];
  if (r < 0) return margin;
  const VictoryPointRow& row = kVictoryPointRows[r];
  const long long m = std::llabs(static_cast<long long>(margin));
  for (int k = 0; k < 15; ++k)
    if (m <= row.thresholds[k]) return margin >= 0 ? kWinnerPoints[k] : kLoserPoints[k];
  return margin >= 0 ? 25 : 0;
}

int VictoryPointsFromImps(int margin) { return VictoryPointsFromImps(margin, BoardsPerTable); }

void ComputeButlerImps() {
  const int slotCount = std::min(ResultSlotCount, kMaxResultSlots);
  const ComputedFigures figures = ResultSlots::figures();
  int* const difference = figures.matchpoints;
  double* const nsImps = figures.nsPercent;
  double* const ewImps = figures.ewPercent;
  const int* const score = &ResultScore[0];
  const int* const nsPair = &ResultNsPair[0];
  const int* const swapped = &ResultSwapped[0];
  const auto clear = [&](int s) {
    difference[s] = 0;
    nsImps[s] = 0;
    ewImps[s] = 0;
  };
  int cleared = 0;  // slots cleared so far
  int slotOf[kMaxResultSlots];
  int values[kMaxResultSlots];
  for (int b = 1; ResultsPerBoard >= 1 && b <= BoardCount && (b - 1) * ResultsPerBoard < slotCount; ++b) {
    const int first = (b - 1) * ResultsPerBoard + 1;
    const int last = std::min(b * ResultsPerBoard, slotCount);
    cleared = last;
    // The board's normal results, in slot order.
    int n = 0;
    for (int s = first; s <= last; ++s) {
      clear(s);
      if (nsPair[s] == 0 || score[s] >= kScoreAverage) continue;
      slotOf[n] = s;
      values[n++] = score[s];
    }
    if (n == 0) continue;
    int highest = 0;  // the first of equal scores is the one left out
    int lowest = 0;
    for (int k = 1; k < n; ++k) {
      if (values[k] > values[highest]) highest = k;
      if (values[k] < values[lowest]) lowest = k;
    }

    long long sum = 0;
    int count = 0;
    if (highest != lowest) {
      for (int k = 0; k < n; ++k) sum += values[k];
      sum -= static_cast<long long>(values[highest]) + values[lowest];
      count = n - 2;
    }
    const double mean = count > 0 ? static_cast<double>(sum) / count
                                  : (static_cast<double>(values[highest]) + values[lowest]) / 2.0;
    const long long r = std::llround(std::nearbyint(mean));  // ties to the even integer
    const long long datum = (r > 0 ? 1 : (r < 0 ? -1 : 0)) * 10 * ((std::llabs(r) + 5) / 10);

    for (int k = 0; k < n; ++k) {
      const int s = slotOf[k];
      const int d = static_cast<int>(values[k] - datum);
      const int imps = Imps(d);
      difference[s] = d;
      nsImps[s] = swapped[s] ? -imps : imps;
      ewImps[s] = swapped[s] ? imps : -imps;
    }
  }
  for (int s = cleared + 1; s <= slotCount; ++s) clear(s);  // beyond the boards
}

QString BoardDatum(int board) {
  if (board < 1 || ResultsPerBoard < 1) return QStringLiteral("9999");
  const int first = (board - 1) * ResultsPerBoard + 1;
  const int last = std::min(board * ResultsPerBoard, kMaxResultSlots);
  for (int s = first; s <= last; ++s)
    if (Valid(s)) return QString::number(ResultScore[s] - ResultMatchpoints[s]);
  return QStringLiteral("9999");
}
