#include "scoring/ResultStore.h"

#include "core/SafeFiles.h"
#include "core/TournamentFiles.h"
#include "platform/TextFiles.h"
#include "scoring/ScoringSupport.h"

#include <algorithm>

namespace {

ResultSheet SheetOf(ResultSource source) {
  return source == ResultSource::TableSheet ? ResultSheet::Table : ResultSheet::Board;
}

int BoardOf(int slot) { return ResultsPerBoard > 0 ? (slot - 1) / ResultsPerBoard + 1 : ResultBoard[slot]; }

// The one place a result goes into its slot.
void PutResult(int slot, const SlotResult& result, bool clearPercentages) {
  ResultSlots::Store(slot, result);
  if (result.percentages) {
    ResultSlots::ClearFigures(slot, false);
    ResultSlots::SetPercentages(slot, result.percentages->first, result.percentages->second);
  } else if (clearPercentages) {
    ResultSlots::SetPercentages(slot, 0, 0);
  }
}

}  // namespace

void WriteRefereeDealsFile(int board, int nsPair, int ewPair) {
  if (!TableDevicesMode) return;
  TextFile file;
  SafeAppend(file, TabletSharedFolder + QStringLiteral("/DonnesArbitre.TXT"));
  file.writeLine(QStringLiteral("%1 %2 %3 ").arg(board).arg(nsPair).arg(ewPair));
  CloseTextFile(file);
  TellResultsCounted();
}

void RemoveResultAdjustment(int slot) {
  const QString fileName = scoring::AdjustmentsFileName();
  if (!platform::fileExists(fileName)) return;
  QStringList kept;
  bool removed = false;
  for (const QString& line : platform::readTextLines(fileName)) {
    const auto a = scoring::ParseAdjustmentLine(line);
    if (a && a->slot == slot && a->board == CurrentBoard) {
      removed = true;
      continue;
    }
    kept << line;
  }
  if (removed) scoring::RewriteOrDelete(fileName, kept);
}

namespace {

// Before a new result goes into slot of board: the board's percentages must
// be computed again, and an adjustment replaced by another result goes away.
void PrepareSlotForResult(int slot, int board, int score) {
  // Adjusted results keep their given percentages.
  const int first = (board - 1) * ResultsPerBoard + 1;
  const int last = std::min(board * ResultsPerBoard, kMaxResultSlots);
  for (int s = std::max(first, 1); s <= last; ++s)
    if (ResultScore[s] != kScoreAdjusted) ResultSlots::SetPercentages(s, 0, 0);
  // A result replacing an adjusted one must not be turned back into "AJU.".
  if (ResultScore[slot] == kScoreAdjusted && score != kScoreAdjusted) RemoveResultAdjustment(slot);
}

}  // namespace

void DeleteSlotResult(int slot) {
  ResultSlots::Erase(slot);
  RemoveResultAdjustment(slot);
}

void StoreResult(int slot, const SlotResult& result, ResultOrigin how) {
  if (slot < 1 || slot > kMaxResultSlots) return;
  const int board = BoardOf(slot);
  CurrentBoard = board;
  switch (result.origin) {
    case ResultSource::BoardSheet:
    case ResultSource::TableSheet:
      PrepareSlotForResult(slot, board, result.score);
      PutResult(slot, result, false);
      SaveResults();
      WriteRefereeDealsFile(board, ResultNsPair[slot], ResultEwPair[slot]);
      TellResultStored(slot, SheetOf(result.origin), how);
      return;
    case ResultSource::Adjustment:
      PutResult(slot, result, false);
      TellResultAdjusted(slot, result.remark);
      return;
    case ResultSource::Files:
      PutResult(slot, result, false);
      return;
    case ResultSource::Tablets:
    case ResultSource::BridgeMates:
      PutResult(slot, result, true);
      return;
  }
}

void EraseResult(int slot, ResultSource sheet) {
  if (slot < 1 || slot > kMaxResultSlots) return;
  CurrentBoard = BoardOf(slot);
  const bool held = ResultScore[slot] != kScoreNone;
  DeleteSlotResult(slot);
  SaveResults();
  // An empty line erased still counts the results again.
  if (held)
    TellResultErased(slot, SheetOf(sheet));
  else
    TellResultsCounted();
}

void SwapResult(int slot, ResultSource sheet) {
  if (slot < 1 || slot > kMaxResultSlots) return;
  ResultSlots::SwapSides(slot);
  SaveResults();
  if (ResultScore[slot] != kScoreNone) TellResultStored(slot, SheetOf(sheet), ResultOrigin::Key);
}

void PutBackResult(int slot, const SlotRecord& record, ResultSource sheet) {
  if (slot < 1 || slot > kMaxResultSlots) return;
  const SlotRecord before = ResultSlots::record(slot);
  if (before == record) return;
  CurrentBoard = BoardOf(slot);
  ResultSlots::PutBack(slot, record);
  const bool erased = before.result.score != kScoreNone && record.result.score == kScoreNone;
  // No lead, declarer, percentages or ".ADJ" line outlives the result put away.
  if (erased) DeleteSlotResult(slot);
  SaveResults();
  if (erased)
    TellResultErased(slot, SheetOf(sheet));
  else if (before.result.score != record.result.score || before.result.contract != record.result.contract)
    TellResultStored(slot, SheetOf(sheet), ResultOrigin::Typed);
}
