#pragma once
// The ranking as every output shows it: rows (the pairs in ranking order)
// and named columns (place, pair, names, score, matchpoints won and top...).
// The results window, the printouts, the ranking files of the Documents
// folder and of the tablets, the web page, the pair recaps and the XML export
// read it; none of them walks RankingOrder or PairFinalScore itself. To show
// one more figure of a pair, add its column here, fill it in
// BuildRankingTable, and let each output print its text.
//
// The table is built from the computed ranking (RankingOrder, PairFinalScore)
// and the result slots as they stand; it holds no window and writes nothing.
#include <QString>

#include <array>
#include <vector>

// What an output may show of a ranked pair. Each cell holds a value and the
// text the listings print (an output with a layout of its own formats the
// value).
enum class RankingColumn {
  Place,        // "1", "2", "==": the count of rows goes on through a tie; value: the place number
  SharedPlace,  // "1=", "1=", "3": tied pairs share the first place of their group (web page, XML)
  Pair,         // value: the pair number; text: as the list numbers it, "--" for cumulative totals
  Names,        // the pair's label
  Player1,      // the first player's name
  Player2,      // the second player's name
  Score,        // the final score; text 8 wide, 0 decimals in IMP scoring, else 2
  Total,        // matchpoints won on the boards played (each result on its board's top)
  Top,          // the sum of the tops of those boards
};
inline constexpr int kRankingColumns = static_cast<int>(RankingColumn::Top) + 1;

struct RankingCell {
  double value = 0;
  QString text;
};

// One ranked pair of a list: its number, its pair slot, and its cells.
struct RankedRow {
  int pair = 0;
  int slot = 0;
  QString place;  // the Place column's text, for the listings that read nothing else
  std::array<RankingCell, kRankingColumns> cells;
  const RankingCell& cell(RankingColumn c) const { return cells[static_cast<std::size_t>(c)]; }
  double value(RankingColumn c) const { return cell(c).value; }
  const QString& text(RankingColumn c) const { return cell(c).text; }
};

// One merged list, or the N/S (pair numbers up to ResultsPerBoard) and E/W lists.
enum class RankingList { Merged, NorthSouth, EastWest };

class RankingTable {
 public:
  // The rows of one list in RankingOrder 1..PairCount, places counted within
  // the list; the pair labelled "BYE" and pair number 0 are left out.
  const std::vector<RankedRow>& rows(RankingList list) const& { return lists_[static_cast<std::size_t>(list)]; }
  // Not of a temporary table: a loop over its rows would read freed rows.
  const std::vector<RankedRow>& rows(RankingList list) && = delete;
  // A pair's final score as the table holds it, ranked or not (0 beyond the pairs).
  double score(int pair) const;

 private:
  friend RankingTable BuildRankingTable();
  std::array<std::vector<RankedRow>, 3> lists_;
  std::vector<double> scores_;
};

// The table of the ranking as last computed. Two rows are tied when their
// scores are equal once rounded to 0.01 (SameRankingScore).
RankingTable BuildRankingTable();

// A score 8 wide, rounded to 0.01 with 2 decimals or to a whole number with
// 0, never "-0": the Score column's text and the listings' score columns.
QString RankingScoreText(double value, int decimals);
