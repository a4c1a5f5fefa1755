#include "scoring/RankingTable.h"

#include "core/Globals.h"
#include "core/PairsAndBoards.h"
#include "scoring/Frequencies.h"
#include "scoring/Ranking.h"
#include "setup/PairLookups.h"

#include <algorithm>
#include <cmath>

namespace {

bool IsPair(int n) { return n >= 1 && n <= kMaxPairs; }

void Set(RankedRow& row, RankingColumn c, double value, const QString& text) {
  row.cells[static_cast<std::size_t>(c)] = {value, text};
}

// Matchpoints won and the tops of the boards played, per pair number: each
// result below the average's code counts on its board's top for both pairs.
struct Matchpoints {
  std::array<double, kMaxPairs + 1> total{};
  std::array<double, kMaxPairs + 1> top{};
};

Matchpoints AddUpMatchpoints() {
  Matchpoints m;
  const int lastSlot = std::clamp(ResultSlotCount, 0, kMaxResultSlots);
  for (int s = 1; s <= lastSlot; ++s) {
    if (ResultNsPair[s] == 0 || ResultScore[s] >= kScoreAverage) continue;
    const TravellerFigures f = SlotFigures(s);
    for (const auto& [pair, points] : {std::pair{ResultNsPair[s], f.nsPoints}, {ResultEwPair[s], f.ewPoints}}) {
      if (!IsPair(pair)) continue;
      m.total[static_cast<std::size_t>(pair)] += points;
      m.top[static_cast<std::size_t>(pair)] += f.top;
    }
  }
  return m;
}

QString Shortest(double value) { return QString::number(value, 'g', 15); }

// The rows of one list get their places: "==" under the row they tie with,
// and that group's first place followed by "=" for the shared place.
void Place(std::vector<RankedRow>& rows) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    RankedRow& row = rows[i];
    const bool tie = i > 0 && SameRankingScore(row.value(RankingColumn::Score), rows[i - 1].value(RankingColumn::Score));
    const double place = tie ? rows[i - 1].value(RankingColumn::Place) : static_cast<double>(i + 1);
    row.place = tie ? QStringLiteral("==") : QString::number(i + 1);
    Set(row, RankingColumn::Place, place, row.place);
    Set(row, RankingColumn::SharedPlace, place, QString::number(place));
    if (tie) {
      const QString shared = QString::number(place) + u'=';
      for (std::size_t k = i + 1; k-- > 0 && rows[k].value(RankingColumn::Place) == place;)
        rows[k].cells[static_cast<std::size_t>(RankingColumn::SharedPlace)].text = shared;
    }
  }
}

}  // namespace

double RankingTable::score(int pair) const {
  return pair >= 0 && static_cast<std::size_t>(pair) < scores_.size() ? scores_[static_cast<std::size_t>(pair)] : 0;
}

RankingTable BuildRankingTable() {
  RankingTable table;
  table.scores_.assign(kMaxPairs + 1, 0);
  for (int p = 1; p <= kMaxPairs; ++p) table.scores_[static_cast<std::size_t>(p)] = PairFinalScore[p];
  const Matchpoints matchpoints = AddUpMatchpoints();
  const int last = std::clamp(PairCount, 0, kMaxPairs);
  for (int i = 1; i <= last; ++i) {
    const int pair = RankingOrder[i];
    if (pair <= 0) continue;
    const int slot = FindPairSlot(pair);
    // The BYE pair is nobody: a place and 0.00 would read as a pair's.
    if (slot == 0 || IsByeSlot(slot)) continue;
    RankedRow row;
    row.pair = pair;
    row.slot = slot;
    const double score = IsPair(pair) ? PairFinalScore[pair] : 0.0;
    const std::size_t p = IsPair(pair) ? static_cast<std::size_t>(pair) : 0;
    Set(row, RankingColumn::Names, 0, PairLabels[slot]);
    Set(row, RankingColumn::Player1, 0, Player1Names[slot]);
    Set(row, RankingColumn::Player2, 0, Player2Names[slot]);
    Set(row, RankingColumn::Score, score, RankingScoreText(score, ImpScoring ? 0 : 2));
    Set(row, RankingColumn::Total, matchpoints.total[p], Shortest(matchpoints.total[p]));
    Set(row, RankingColumn::Top, matchpoints.top[p], Shortest(matchpoints.top[p]));
    const QString cumulative = QStringLiteral("--");
    Set(row, RankingColumn::Pair, pair, CumulativeTotals ? cumulative : FormatPairNumber(pair));
    table.lists_[static_cast<std::size_t>(RankingList::Merged)].push_back(row);
    Set(row, RankingColumn::Pair, pair, CumulativeTotals ? cumulative : PairNumberText(pair));
    const RankingList side = pair > ResultsPerBoard ? RankingList::EastWest : RankingList::NorthSouth;
    table.lists_[static_cast<std::size_t>(side)].push_back(row);
  }
  for (auto& rows : table.lists_) Place(rows);
  return table;
}

QString RankingScoreText(double value, int decimals) {
  const double shown = decimals == 0 ? std::nearbyint(value) : RoundTo2Decimals(value);
  return QString::number(shown + 0.0, 'f', decimals).rightJustified(8, QLatin1Char(' '));
}
