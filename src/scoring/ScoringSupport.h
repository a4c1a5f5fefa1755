#pragma once
// What the frequency and ranking passes share: the reading of the ".ADJ" and
// ".PEN" lines, the pair label of the listings, the warning window and the
// test of a slot that is expected to receive a result.
#include "core/Globals.h"
#include "core/Printing.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace scoring {

// One line of ".ADJ": result slot, board, N/S value, E/W value.
struct AdjustmentLine {
  int slot = 0;
  int board = 0;
  double ns = 0;
  double ew = 0;
};
// One line of ".PEN": pair number as in the result slots, signed value.
struct PenaltyLine {
  int pair = 0;
  double value = 0;
};

// Integers and reals in any usual notation ("60", "60.5", "60,5",
// " 6.00000000000000E+0001"); nothing when the line does not hold them.
std::optional<AdjustmentLine> ParseAdjustmentLine(const QString& line);
std::optional<PenaltyLine> ParsePenaltyLine(const QString& line);
// Whether the values can mean something: an adjustment's percentages 0..100,
// or its IMPs within the scale in IMP scoring; a penalty of at most 100
// percentage points, or within the session's scale in IMP scoring.
bool AdjustmentInReason(const AdjustmentLine& line);
bool PenaltyInReason(const PenaltyLine& line);
// A real in any usual notation, "." or "," as separator.
std::optional<double> ParseReal(const QString& text);

// Tournament files of the current code.
QString AdjustmentsFileName();  // DataFolder + code + ".ADJ"
QString PenaltiesFileName();    // DataFolder + code + ".PEN"

// What a recompute without windows (frequencies, then the ranking) learns
// once for both: whether ".ADJ" and ".PEN" exist, from one reading of the
// results folder, and each pair's total and count of percentages, added up
// by the matchpoint pass as it gives them. The pass adds them up only when
// nothing can change them before the ranking reads them: no adjusted
// result, no ".ADJ", no result outside the boards.
struct RecomputeShare {
  bool adjustments = false;  // ".ADJ" exists
  bool penalties = false;    // ".PEN" exists
  bool summed = false;       // total and count hold every pair's sums
  std::array<double, kMaxPairs + 1> total{};
  std::array<int, kMaxPairs + 1> count{};

  // A result's percentages added to its pairs, as the ranking adds them.
  void add(int slot, double ns, double ew) { addPairs(ResultNsPair[slot], ResultEwPair[slot], ns, ew); }
  // The same for a result between these pairs.
  void addPairs(int nsPair, int ewPair, double ns, double ew) {
    if (ewPair == 0) return;  // a result without its E/W pair counts for nobody
    if (nsPair >= 1 && nsPair <= kMaxPairs) {
      total[static_cast<std::size_t>(nsPair)] += ns;
      ++count[static_cast<std::size_t>(nsPair)];
    }
    if (ewPair >= 1 && ewPair <= kMaxPairs) {
      total[static_cast<std::size_t>(ewPair)] += ew;
      ++count[static_cast<std::size_t>(ewPair)];
    }
  }
};
// The share with the files looked up, nothing summed yet.
RecomputeShare LookUpRecomputeFiles();

// Rewrites a file with the lines kept (atomically), or deletes it when none
// is left.
void RewriteOrDelete(const QString& fileName, const QStringList& kept);

// Fixed-point text right-aligned in width.
QString FixedText(double value, int width, int decimals);

// Shows the warning window "Attention" with these memo lines.
void ShowAttention(const QStringList& lines);

// Drops the open printout when a report stops (or a write fails) before it
// is closed, so that the next printout starts afresh and the old "TEMP.TXT"
// stays whole.
struct PrintoutGuard {
  PrintoutGuard() = default;
  PrintoutGuard(const PrintoutGuard&) = delete;
  PrintoutGuard& operator=(const PrintoutGuard&) = delete;
  ~PrintoutGuard() {
    if (PrintFileWriter.isOpen()) PrintFileWriter.abandon();
  }
};

// The question of a listing between two ways, "Annuler = ESC/Echap" under
// the buttons: 1 or 2 for the button pressed, 0 when cancelled.
int AskOneOfTwo(const QString& form, const QString& caption, const QString& text, const QString& first,
                const QString& second);

// Slots that a table will play and that therefore owe a result: a N/S and an
// E/W pair, a round not beyond RoundsPlayed, neither pair the BYE pair, and
// not the odd field's phantom (pair PairSlotCount when PairCount is odd) N/S.
class ExpectedSlots {
 public:
  ExpectedSlots();  // takes the BYE pairs from the pair slots once
  // Inline: a recompute asks it of every slot still waiting for its result.
  bool expected(int slot) const {
    return ResultNsPair[slot] != 0 && ResultEwPair[slot] != 0 && ResultRound[slot] <= RoundsPlayed &&
           ResultNsPair[slot] != phantom_ && !isBye(ResultNsPair[slot]) && !isBye(ResultEwPair[slot]);
  }

 private:
  bool isBye(int pairNumber) const {
    return pairNumber >= 1 && pairNumber <= kMaxPairs && bye_[pairNumber];
  }
  bool bye_[kMaxPairs + 1] = {};
  int phantom_ = 0;  // 0: an even field has no phantom
};

}  // namespace scoring
