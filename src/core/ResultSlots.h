#pragma once
// The result slots 1..kMaxResultSlots, board-major: board b owns slots
// (b - 1) x ResultsPerBoard + 1 .. b x ResultsPerBoard. One owner keeps the
// arrays; every other file reads them through the read-only names below and
// changes them only through the owner's named operations.
#include "core/OneBased.h"
#include "core/SlotResult.h"

#include <QString>

inline constexpr int kMaxResultSlots = 1344;  // 64 boards x 21 tables

struct ResultSlotArrays {
  OneBased<int, kMaxResultSlots> nsPair, ewPair, score, round, table, board, swapped;
  OneBased<QString, kMaxResultSlots> contract, lead, declarer;
  OneBased<int, kMaxResultSlots> matchpoints;
  OneBased<double, kMaxResultSlots> nsPercent, ewPercent;
  OneBased<int, kMaxResultSlots> adjustmentLogged;
};

// Where a slot sits in the movement.
struct SlotPlace {
  int ns = 0;
  int ew = 0;
  int round = 0;
  int table = 0;
  int board = 0;
};

// The figures the matchpoint and IMP passes write, indexed by slot (0 unused):
// plain pointers, so that the pass over every board stays a tight loop.
struct ComputedFigures {
  int* matchpoints;
  double* nsPercent;
  double* ewPercent;
};

class ResultSlots {
 public:
  static constexpr const ResultSlotArrays& view() { return arrays_; }

  // Every slot back to a program just started.
  static void Reset();
  // Empties one slot: score 0, lead and declarer "?".
  static void Clear(int slot);
  // The slot given its place in the movement, no result yet; its contract
  // emptied too when asked.
  static void LayOut(int slot, const SlotPlace& place, bool clearContract);
  // A slot's line put back, read from the results file or by an undo: its
  // pairs, place, swap, score, contract, lead and declarer.
  static void PutBack(int slot, const SlotRecord& record);
  // The slot's line as it stands (its result's percentages when adjusted).
  static SlotRecord record(int slot);
  // The lead and declarer of a slot (read from the file of leads, or shown
  // to the devices for a moment).
  static void SetPlay(int slot, const QString& lead, const QString& declarer);
  static void SetPlay(int slot, const QString& contract, const QString& lead, const QString& declarer);
  // A result stored: its contract, score, lead and declarer (the slot keeps
  // its pairs).
  static void Store(int slot, const SlotResult& result);
  // No result in the slot any more.
  static void Erase(int slot);
  // N/S and E/W of the slot's result swapped.
  static void SwapSides(int slot);
  // Whether the slot's line stands in the adjustments file.
  static void SetAdjustmentLogged(int slot, bool logged);
  static void SetSwapped(int slot, int swapped);
  // The slot's percentages given (an adjustment, or the ones kept on reload).
  static void SetPercentages(int slot, double ns, double ew);
  // The slot counted again: matchpoints 0, percentages too unless adjusted.
  static void ClearFigures(int slot, bool keepAdjusted);
  // An adjustment of the adjustments file applied to its slot.
  static void ApplyAdjustment(int slot, double ns, double ew);
  // E/W pairs 1..perBoard of slots 1..last become perBoard + k.
  static void RenumberEastWest(int last, int perBoard);
  // Where the passes write (inline: the passes see three distinct arrays).
  static ComputedFigures figures() {
    return {&arrays_.matchpoints[0], &arrays_.nsPercent[0], &arrays_.ewPercent[0]};
  }
  // The whole state put back as a copy of it was taken (view()).
  static void Restore(const ResultSlotArrays& copy);

 private:
  friend struct ResultSlotsFixture;  // the tests' one way to set slots directly
  static inline ResultSlotArrays arrays_{};
};

// A result's fields and the slot's arrays, each way: a field added to the
// result is added to both here.
inline void ResultSlots::Store(int slot, const SlotResult& result) {
  arrays_.score[slot] = result.score;
  arrays_.contract[slot] = result.contract;
  arrays_.lead[slot] = result.lead;
  arrays_.declarer[slot] = result.declarer;
}

inline SlotRecord ResultSlots::record(int slot) {
  const ResultSlotArrays& a = arrays_;
  SlotRecord r;
  r.result = MakeResult(a.contract[slot], a.score[slot], a.lead[slot], a.declarer[slot]);
  r.result.ns = a.nsPair[slot];
  r.result.ew = a.ewPair[slot];
  if (a.score[slot] == kScoreAdjusted) r.result.percentages = std::pair(a.nsPercent[slot], a.ewPercent[slot]);
  r.round = a.round[slot];
  r.table = a.table[slot];
  r.board = a.board[slot];
  r.swapped = a.swapped[slot];
  return r;
}

inline constexpr const OneBased<int, kMaxResultSlots>& ResultNsPair = ResultSlots::view().nsPair;
inline constexpr const OneBased<int, kMaxResultSlots>& ResultEwPair = ResultSlots::view().ewPair;
inline constexpr const OneBased<int, kMaxResultSlots>& ResultScore = ResultSlots::view().score;
inline constexpr const OneBased<int, kMaxResultSlots>& ResultRound = ResultSlots::view().round;
inline constexpr const OneBased<int, kMaxResultSlots>& ResultTable = ResultSlots::view().table;
inline constexpr const OneBased<int, kMaxResultSlots>& ResultBoard = ResultSlots::view().board;
inline constexpr const OneBased<int, kMaxResultSlots>& ResultSwapped = ResultSlots::view().swapped;
inline constexpr const OneBased<QString, kMaxResultSlots>& ResultContract = ResultSlots::view().contract;
inline constexpr const OneBased<QString, kMaxResultSlots>& ResultLead = ResultSlots::view().lead;
inline constexpr const OneBased<QString, kMaxResultSlots>& ResultDeclarer = ResultSlots::view().declarer;
inline constexpr const OneBased<int, kMaxResultSlots>& ResultMatchpoints = ResultSlots::view().matchpoints;
inline constexpr const OneBased<double, kMaxResultSlots>& ResultNsPercent = ResultSlots::view().nsPercent;
inline constexpr const OneBased<double, kMaxResultSlots>& ResultEwPercent = ResultSlots::view().ewPercent;
inline constexpr const OneBased<int, kMaxResultSlots>& ResultAdjustmentLogged = ResultSlots::view().adjustmentLogged;

// The slot's pairs as they sat at the table: N/S and E/W exchanged when its
// result is swapped. What the table devices are told of a slot.
struct SeatedPairs {
  int ns = 0;
  int ew = 0;
};
inline SeatedPairs SeatedPairsOf(int slot) {
  return ResultSwapped[slot] != 0 ? SeatedPairs{ResultEwPair[slot], ResultNsPair[slot]}
                                  : SeatedPairs{ResultNsPair[slot], ResultEwPair[slot]};
}
