#include "scoring/Frequencies.h"

#include "core/FormNames.h"
#include "core/Globals.h"
#include "core/Interaction.h"
#include "core/Messages.h"
#include "core/PairsAndBoards.h"
#include "platform/TextFiles.h"
#include "scoring/Imps.h"
#include "scoring/ScoringSupport.h"
#include "setup/PairLookups.h"

#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>

namespace {

// Set by the collection's silent computation: only boards that owe no
// result are ventilated.
bool ventilateFinishedBoardsOnly = false;

int SlotLimit() { return std::clamp(ResultSlotCount, 0, kMaxResultSlots); }
int BoardLimit() { return std::clamp(BoardCount, 0, kMaxBoards); }

// What one board holds that lacks some of its results or has an adjusted
// one: its results counted (slots and matchpoints), its adjusted results and
// the results it lacks (averages, results owed).
struct BoardResults {
  int n = 0;
  int adjusted = 0;
  int absent = 0;
  int owed = 0;    // of the absent, the results a table still owes
  int beyond = 0;  // results with a score beyond the codes (above 10000): compared with none, counted for their pairs
  int slotOf[kMaxResultSlots];
  int matchpoints[kMaxResultSlots];

  int slot(int i) const { return slotOf[i]; }
};

// Matchpoints of n scores against each other: n - 1, plus one for each
// score beaten, less one for each score above (a score ties with itself).
// scores has room for a block beyond n. A block of scores at a time; each
// block's matchpoints go to take(i, matchpoints) as soon as the block is
// done, so that the work on them overlaps the next block's comparisons.
template <class Lanes, class Score, class Take>
[[gnu::always_inline]] inline void CompareBlocks(Score* scores, int n, Take&& take) {
  constexpr int kLanes = sizeof(Lanes) / sizeof(Score);
  const Lanes padding{};
  std::memcpy(scores + n, &padding, sizeof padding);
  for (int i = 0; i < n; i += kLanes) {
    Lanes mine;
    std::memcpy(&mine, scores + i, sizeof mine);
    Lanes balance{};
    for (int j = 0; j < n; ++j) {
      const Lanes other = Lanes{} + scores[j];
      balance += (other > mine) - (mine > other);  // a true comparison is -1
    }
    for (int k = 0; k < kLanes && i + k < n; ++k) take(i + k, n - 1 + balance[k]);
  }
}

// Eight scores of a board at a time, as the result slots hold them.
constexpr int kBlock = 8;
using Block = int __attribute__((vector_size(kBlock * sizeof(int))));
// Sixteen at a time once they are known to fit in 16 bits (every bridge
// score does): twice as many compared by one instruction.
constexpr int kNarrowBlock = 16;
using NarrowBlock = short __attribute__((vector_size(kNarrowBlock * sizeof(short))));
using NarrowHalf = short __attribute__((vector_size(kBlock * sizeof(short))));

// Compiled for the wider vectors of the processor when it has them.
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__)
#define TALVARON_WIDE_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define TALVARON_WIDE_VECTORS
#endif

TALVARON_WIDE_VECTORS
void CompareResults(int* scores, int n, int* matchpoints) {
  CompareBlocks<Block>(scores, n, [matchpoints](int i, int points) { matchpoints[i] = points; });
}

// Gives each counted result of slots first..last 2 for each result it beats
// and 1 for each tie, and clears the matchpoints of the others and the
// percentages of all but the adjusted results. The percentages of counted
// results are left to the caller, which writes every one of them.
// (A board with every result in goes to ScoreWholeBoard.)
void BoardMatchpoints(int first, int last, std::optional<scoring::ExpectedSlots>& expected, BoardResults& board) {
  int scores[kMaxResultSlots + 8];
  const ComputedFigures figures = ResultSlots::figures();
  int* const matchpoints = figures.matchpoints;
  double* const nsPercent = figures.nsPercent;
  double* const ewPercent = figures.ewPercent;
  const int* const score = &ResultScore[0];
  const int* const nsPair = &ResultNsPair[0];
  int n = 0;
  board.adjusted = board.absent = board.owed = board.beyond = 0;
  for (int s = first; s <= last; ++s) {
    // Every slot is written down, and kept when it counts: no branch for the
    // usual slot.
    const int mine = score[s];
    scores[n] = mine;
    board.slotOf[n] = s;
    const bool counted = (nsPair[s] != 0) & (mine < kScoreAverage);
    n += counted;
    if (counted) continue;
    matchpoints[s] = 0;
    if (mine != kScoreAdjusted) {  // an adjusted result keeps its percentages
      nsPercent[s] = 0;
      ewPercent[s] = 0;
    }
    if (nsPair[s] == 0) continue;
    if (mine == kScoreAdjusted) {
      ++board.adjusted;
    } else if (mine == kScoreAverage) {
      ++board.absent;
    } else if (mine == kScoreNone) {
      if (!expected) expected.emplace();
      if (expected->expected(s)) {  // a result still owed by a table that plays
        ++board.absent;
        ++board.owed;
      }
    } else if (mine > kScoreNone) {
      ++board.beyond;
    }
  }
  board.n = n;
  CompareResults(scores, n, board.matchpoints);
  for (int i = 0; i < n; ++i) matchpoints[board.slotOf[i]] = board.matchpoints[i];
}

// The matchpoints of a board without its percentages (those of its counted
// results cleared), when the pass stops.
void BoardMatchpointsOnly(int first, int last, std::optional<scoring::ExpectedSlots>& expected, BoardResults& board) {
  BoardMatchpoints(first, last, expected, board);
  for (int i = 0; i < board.n; ++i) {
    ResultSlots::SetPercentages(board.slot(i), 0, 0);
  }
}

// Everything the percentages of a board depend on: the results compared
// (n), the results it would have had with its averages, adjusted results and
// results still owed (all), and whether its percentages are rescaled to
// those (ventilate). Whatever else comes to change them joins the shape.
struct BoardShape {
  int n = 0;
  int all = 0;
  bool ventilate = false;
  bool operator==(const BoardShape&) const = default;
};

// The percentages a board of one shape gives for each count of matchpoints,
// straight and swapped. Boards of the same shape share them: they are built
// again whenever the shape differs from the last one's, from the shape alone.
class PercentTable {
 public:
  struct Percentages {
    double ns, ew;
  };
  void prepare(const BoardShape& shape) {
    if (shape_ == shape) return;
    shape_ = shape;
    Fill(shape, at_);
  }
  // Both seats' values side by side, the values of a board close together.
  const Percentages& at(int matchpoints, bool swapped) const { return at_[matchpoints][swapped]; }

 private:
  using Table = Percentages[2 * kMaxResultSlots][2];
  static void Fill(const BoardShape& shape, Table& at) {
    const int n = shape.n;
    const long double top = MatchpointTop(n);
    const long double allResults = shape.all;
    for (int mp = 0; mp <= MatchpointTop(n); ++mp) {
      for (int swapped = 0; swapped < 2; ++swapped) {
        long double pct = mp / top * 100.0L;
        if (swapped) pct = 100.0L - pct;
        if (shape.ventilate) {
          const long double m = top * pct / 100.0L;
          pct = (m * allResults / n + (allResults - n) / n) / (2.0L * (allResults - 1)) * 100.0L;
        }
        at[mp][swapped] = {static_cast<double>(pct), static_cast<double>(100.0L - pct)};
      }
    }
  }

  std::optional<BoardShape> shape_;
  Table at_ = {};
};

// Matchpoints and percentages of a board whose n slots from first all hold
// a result that counts (the usual board), scored where its results stand,
// each result's percentages added to its pairs as they are written when sums
// are asked for. False, with nothing written, for any other board.
TALVARON_WIDE_VECTORS
bool ScoreWholeBoard(int first, int n, PercentTable& table, scoring::RecomputeShare* sums) {
  const int* const score = &ResultScore[first];
  const int* const nsPair = &ResultNsPair[first];
  short scores[kMaxResultSlots + kNarrowBlock];
  // The board's scores checked and narrowed together, a block at a time. A
  // score below the 16 bits (none is) leaves the board to the usual pass.
  constexpr int kLowest = std::numeric_limits<short>::min();
  Block every = Block{} - 1;
  int i = 0;
  for (; i + kBlock <= n; i += kBlock) {
    Block mine, pairs;
    std::memcpy(&mine, score + i, sizeof mine);
    std::memcpy(&pairs, nsPair + i, sizeof pairs);
    every &= (pairs != 0) & (mine < kScoreAverage) & (mine >= kLowest);
    const NarrowHalf narrow = __builtin_convertvector(mine, NarrowHalf);
    std::memcpy(scores + i, &narrow, sizeof narrow);
  }
  bool counted = true;
  for (int k = 0; k < kBlock; ++k) counted &= every[k] != 0;
  for (; i < n; ++i) {
    counted &= (nsPair[i] != 0) & (score[i] < kScoreAverage) & (score[i] >= kLowest);
    scores[i] = static_cast<short>(score[i]);
  }
  if (!counted) return false;

  table.prepare({.n = n, .all = n, .ventilate = false});
  const ComputedFigures figures = ResultSlots::figures();
  int* const matchpoints = figures.matchpoints;
  double* const nsPercent = figures.nsPercent;
  double* const ewPercent = figures.ewPercent;
  const int* const swapped = &ResultSwapped[0];
  const int* const nsPairs = &ResultNsPair[0];
  const int* const ewPairs = &ResultEwPair[0];
  CompareBlocks<NarrowBlock>(scores, n, [&](int at, int points) {
    const int s = first + at;
    matchpoints[s] = points;
    const PercentTable::Percentages& p = table.at(points, swapped[s] != 0);
    nsPercent[s] = p.ns;
    ewPercent[s] = p.ew;
    if (sums) sums->addPairs(nsPairs[s], ewPairs[s], p.ns, p.ew);
  });
  return true;
}

// Matchpoints and percentages of every board. False when a board with a
// single result stopped the pass (without table devices); the matchpoints of
// every board are given all the same. With sums, each pair's sums are added
// up as well (sums->summed tells whether they could be).
bool ComputeMatchpoints(scoring::RecomputeShare* sums) {
  const int slotCount = SlotLimit();
  const int boards = ResultsPerBoard < 1 ? 0 : BoardLimit();
  const auto firstSlot = [](int b) { return (b - 1) * ResultsPerBoard + 1; };
  const auto lastSlot = [slotCount](int b) { return std::min(b * ResultsPerBoard, slotCount); };
  // Slots beyond the boards are cleared as well; one that still counts for
  // its pairs leaves the sums to the ranking.
  for (int s = boards > 0 ? lastSlot(boards) + 1 : 1; s <= slotCount; ++s) {
    if (sums && ResultNsPair[s] != 0 && ResultEwPair[s] != 0 && ResultScore[s] != kScoreNone &&
        ResultScore[s] != kScoreAverage)
      sums = nullptr;
    ResultSlots::ClearFigures(s, true);
  }

  std::optional<scoring::ExpectedSlots> expected;  // needed only for a board that lacks a result
  BoardResults board;
  // Kept from one pass to the next: the usual evening's boards all share one shape.
  static PercentTable table;
  const int* const swapped = &ResultSwapped[0];
  const ComputedFigures figures = ResultSlots::figures();
  double* const nsPercent = figures.nsPercent;
  double* const ewPercent = figures.ewPercent;
  for (int b = 1; b <= boards; ++b) {
    if (lastSlot(b) > firstSlot(b) && ScoreWholeBoard(firstSlot(b), lastSlot(b) - firstSlot(b) + 1, table, sums))
      continue;
    BoardMatchpoints(firstSlot(b), lastSlot(b), expected, board);
    // An adjusted result counts with the percentages it was given, a score
    // beyond the codes at 0 %: the ranking adds those up itself.
    if (board.adjusted > 0 || board.beyond > 0) sums = nullptr;
    const int n = board.n;
    if (n == 0) continue;
    if (n == 1) {
      const int single = board.slot(0);
      if (!TableDevicesMode) {
        nsPercent[single] = 0;
        ewPercent[single] = 0;
        for (int later = b + 1; later <= boards; ++later)
          BoardMatchpointsOnly(firstSlot(later), lastSlot(later), expected, board);
        ShowAlert(QStringLiteral("Donne %1 <-- Un seul résultat! Corrigez, SVP...").arg(b));
        return false;
      }
      // A lone result has nobody to be compared with: an average for both.
      nsPercent[single] = 50;
      ewPercent[single] = 50;
      if (sums) sums->add(single, 50, 50);
      continue;
    }
    // During the collection a board still in play is not ventilated; one
    // whose every result is in is computed as the desk computes it.
    const bool ventilate =
        AutoVentilation && board.adjusted + board.absent > 0 && !(ventilateFinishedBoardsOnly && board.owed > 0);
    table.prepare({.n = n, .all = n + board.adjusted + board.absent, .ventilate = ventilate});
    for (int i = 0; i < n; ++i) {
      const int s = board.slotOf[i];
      const PercentTable::Percentages& p = table.at(board.matchpoints[i], swapped[s] != 0);
      nsPercent[s] = p.ns;
      ewPercent[s] = p.ew;
      if (sums) sums->add(s, p.ns, p.ew);
    }
  }
  if (sums) sums->summed = true;
  return true;
}

// The director's adjustments of ".ADJ" (when present), listed in the
// warning window.
void ApplyAdjustments(bool present) {
  if (!present) return;
  const QString fileName = scoring::AdjustmentsFileName();
  const std::optional<QStringList> lines = platform::tryReadTextLines(fileName);
  if (!lines) return;

  QStringList memo{QStringLiteral("Ajustements de fréquences"), QString(25, QLatin1Char('-')), QString()};
  const QString unit = ImpScoring ? QStringLiteral(" IMPs") : QStringLiteral("%");
  const int slotCount = SlotLimit();
  for (qsizetype i = 0; i < lines->size(); ++i) {
    const QString& line = lines->at(i);
    if (line.trimmed().isEmpty()) continue;
    const auto a = scoring::ParseAdjustmentLine(line);
    if (!a || a->slot < 1 || a->slot > slotCount || ResultNsPair[a->slot] == 0 || !scoring::AdjustmentInReason(*a)) {
      memo << QStringLiteral("Ligne %1 du fichier %2 ignorée (incorrecte) : %3")
                  .arg(i + 1)
                  .arg(QFileInfo(fileName).fileName(), line.trimmed());
      continue;
    }
    // A value of 0 is kept as 0.0001, as when typed, so that the result still
    // counts as adjusted.
    ResultSlots::ApplyAdjustment(a->slot, a->ns == 0 ? 0.0001 : a->ns, a->ew == 0 ? 0.0001 : a->ew);
    memo << QStringLiteral("Donne ") + QString::number(a->board) + QStringLiteral(" : ") + QStringLiteral("N/S ") +
                PairNumberText(ResultNsPair[a->slot]) + QStringLiteral(" ( ") + scoring::FixedText(a->ns, 5, 1) + unit +
                QStringLiteral(" ) contre ") + QStringLiteral("E/W ") + PairNumberText(ResultEwPair[a->slot]) +
                QStringLiteral(" ( ") + scoring::FixedText(a->ew, 5, 1) + unit + QStringLiteral(" )");
  }
  if (Interactive) scoring::ShowAttention(memo);
}

}  // namespace

void ComputeFrequencies() { ComputeFrequencies(nullptr); }

int BoardTop(int board) {
  if (board < 1 || board > kMaxBoards || ResultsPerBoard < 1) return 0;
  const int first = (board - 1) * ResultsPerBoard + 1;
  const int last = std::min(board * ResultsPerBoard, SlotLimit());
  int n = 0;
  for (int s = first; s <= last; ++s)
    if (ResultNsPair[s] != 0 && ResultScore[s] < kScoreAverage) ++n;
  return MatchpointTop(n);
}

TravellerFigures SlotFigures(int slot) {
  TravellerFigures f;
  f.top = BoardTop(ResultsPerBoard > 0 ? (slot - 1) / ResultsPerBoard + 1 : 0);
  const int mp = ResultMatchpoints[slot];
  if (ResultSwapped[slot]) {
    f.score = -ResultScore[slot];
    f.nsPoints = f.top - mp;
    f.ewPoints = mp;
  } else {
    f.score = ResultScore[slot];
    f.nsPoints = mp;
    f.ewPoints = f.top - mp;
  }
  return f;
}

void ComputeFrequencies(scoring::RecomputeShare* share) {
  FrequenciesComputed = false;
  if (share) share->summed = false;
  if (Interactive && !CheckMissingResults(false)) return;
  for (int b = 1; b <= BoardLimit(); ++b) BoardVentilated[b] = false;
  const bool adjustments = share ? share->adjustments : platform::fileExists(scoring::AdjustmentsFileName());
  if (ImpScoring) {
    ComputeButlerImps();
  } else if (!ComputeMatchpoints(adjustments ? nullptr : share)) {
    return;
  }
  // Complete from here: the adjustments window only lists what was applied.
  FrequenciesComputed = true;
  ApplyAdjustments(adjustments);
}

bool CheckMissingResults(bool listOnly) {
  QStringList memo{QStringLiteral("Résultat(s) manquant(s):"), QString()};
  bool missing = false;
  if (ResultsPerBoard > 0) {
    const scoring::ExpectedSlots expected;
    const int slotCount = SlotLimit();
    for (int b = 1; b <= BoardLimit(); ++b) {
      QString line = QStringLiteral("Donne %1 :").arg(b);
      bool any = false;
      const int last = std::min(b * ResultsPerBoard, slotCount);
      for (int s = (b - 1) * ResultsPerBoard + 1; s <= last; ++s) {
        if (ResultScore[s] != kScoreNone || !expected.expected(s)) continue;
        line += QLatin1Char(' ') + FormatPairNumber(ResultNsPair[s]) + QLatin1Char('/') +
                FormatPairNumber(ResultEwPair[s]);
        any = true;
      }
      if (any) {
        memo << line;
        missing = true;
      }
    }
  }

  ui::Choice c;
  c.form = forms::MissingResults;
  c.caption = QStringLiteral("Vérification des marques");
  if (listOnly) {
    if (!missing) memo = QStringList{QString(), QStringLiteral("Tous les résultats ont été introduits...")};
    c.buttons = {QStringLiteral("&OK / ESC")};
    c.codes = {1};
    c.cancelCode = 0;
    c.extra.insert(QStringLiteral("label"), QString());
    c.extra.insert(QStringLiteral("defaultButton"), 0);
  } else {
    if (!missing) {
      ResultsAvailable = true;
      return true;
    }
    c.buttons = {QStringLiteral("&Non"), QStringLiteral("&Oui / ESC")};
    c.codes = {1, 2};
    c.cancelCode = 2;  // Esc goes on
    c.extra.insert(QStringLiteral("label"), QStringLiteral("On continue quand même?"));
    c.extra.insert(QStringLiteral("defaultButton"), 1);  // Enter goes on too
  }
  c.text = memo.join(QLatin1Char('\n'));
  c.extra.insert(QStringLiteral("lines"), memo);
  const int answer = ui::Ask(c);
  ResultsAvailable = listOnly ? !missing : answer == 2;
  return ResultsAvailable;
}

QString PrintNumberText(double x) { return scoring::FixedText(x, 8, ImpScoring ? 0 : 2); }

void WritePrintNumber(TextFile& printout, double x) { printout.write(PrintNumberText(x)); }

void ComputeFrequenciesSilently(scoring::RecomputeShare* share) {
  Interactive = false;
  struct Restore {
    ~Restore() { ventilateFinishedBoardsOnly = false; }
  } restore;
  ventilateFinishedBoardsOnly = true;
  ComputeFrequencies(share);
}
