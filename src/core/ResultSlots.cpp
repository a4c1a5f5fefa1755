#include "core/ResultSlots.h"

#include <utility>

void ResultSlots::Reset() { arrays_ = ResultSlotArrays{}; }

void ResultSlots::Clear(int slot) {
  ResultSlotArrays& a = arrays_;
  a.nsPair[slot] = 0;
  a.ewPair[slot] = 0;
  a.round[slot] = 0;
  a.table[slot] = 0;
  a.board[slot] = 0;
  a.swapped[slot] = 0;
  a.matchpoints[slot] = 0;
  a.adjustmentLogged[slot] = 0;
  Store(slot, MakeResult(QString(), 0, QStringLiteral("?"), QStringLiteral("?")));
  a.nsPercent[slot] = 0.0;
  a.ewPercent[slot] = 0.0;
}

void ResultSlots::LayOut(int slot, const SlotPlace& place, bool clearContract) {
  ResultSlotArrays& a = arrays_;
  a.nsPair[slot] = place.ns;
  a.ewPair[slot] = place.ew;
  a.score[slot] = kScoreNone;
  if (clearContract) a.contract[slot].clear();
  a.round[slot] = place.round;
  a.table[slot] = place.table;
  a.board[slot] = place.board;
}

void ResultSlots::PutBack(int slot, const SlotRecord& record) {
  ResultSlotArrays& a = arrays_;
  a.nsPair[slot] = record.result.ns;
  a.ewPair[slot] = record.result.ew;
  a.round[slot] = record.round;
  a.table[slot] = record.table;
  a.board[slot] = record.board;
  a.swapped[slot] = record.swapped;
  Store(slot, record.result);
}

void ResultSlots::SetPlay(int slot, const QString& lead, const QString& declarer) {
  arrays_.lead[slot] = lead;
  arrays_.declarer[slot] = declarer;
}

void ResultSlots::SetPlay(int slot, const QString& contract, const QString& lead, const QString& declarer) {
  arrays_.contract[slot] = contract;
  SetPlay(slot, lead, declarer);
}

void ResultSlots::Erase(int slot) {
  Store(slot, MakeResult(QString(), kScoreNone, QStringLiteral("?"), QStringLiteral("?")));
  arrays_.nsPercent[slot] = arrays_.ewPercent[slot] = 0;
  arrays_.matchpoints[slot] = 0;
}

void ResultSlots::SwapSides(int slot) { arrays_.swapped[slot] = 1 - arrays_.swapped[slot]; }

void ResultSlots::SetAdjustmentLogged(int slot, bool logged) { arrays_.adjustmentLogged[slot] = logged ? 1 : 0; }

void ResultSlots::SetSwapped(int slot, int swapped) { arrays_.swapped[slot] = swapped; }

void ResultSlots::SetPercentages(int slot, double ns, double ew) {
  arrays_.nsPercent[slot] = ns;
  arrays_.ewPercent[slot] = ew;
}

void ResultSlots::ClearFigures(int slot, bool keepAdjusted) {
  arrays_.matchpoints[slot] = 0;
  if (!keepAdjusted || arrays_.score[slot] != kScoreAdjusted) SetPercentages(slot, 0, 0);
}

void ResultSlots::ApplyAdjustment(int slot, double ns, double ew) {
  SetPercentages(slot, ns, ew);
  arrays_.score[slot] = kScoreAdjusted;
  arrays_.contract[slot] = QStringLiteral("AJU.");
  arrays_.matchpoints[slot] = 0;
}

void ResultSlots::RenumberEastWest(int last, int perBoard) {
  for (int s = 1; s <= last; ++s)
    if (arrays_.ewPair[s] >= 1 && arrays_.ewPair[s] <= perBoard) arrays_.ewPair[s] += perBoard;
}

void ResultSlots::Restore(const ResultSlotArrays& copy) { arrays_ = copy; }
