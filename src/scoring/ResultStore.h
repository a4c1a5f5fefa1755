#pragma once
// One way to store a result into its slot, whoever gives it: the board's
// sheet, the table's sheet, the tablets' and the BridgeMates' collections and
// the director's adjustment. What differs between them (whether the board's
// percentages are cleared, whether the results are saved and the news told
// at once or by the collection once its pass is saved) is said by where the
// result came from, as each has always done it.
#include "core/Globals.h"
#include "core/ResultNews.h"

#include <QString>

#include <optional>
#include <utility>

// Stores result into slot (CurrentBoard is set to the slot's board), by
// where it came from (result.origin; its pairs are the slot's already):
// - BoardSheet, TableSheet: the board's percentages are to be computed again
//   and an adjustment replaced by another result goes;
//   the result is put, the results are saved, the referee's deals file is
//   written and the news is told once (TellResultStored with the sheet and
//   how it was given): the devices echo it from there, the menu counts again.
// - Adjustment: the percentages are put with "AJU." and the news told once
//   (TellResultAdjusted with the result's remark); the ".ADJ" line is the caller's.
// - Tablets, BridgeMates: the result and its percentages (0 when none are
//   given) are put only: the collection saves once per pass, and echoes what
//   it stored once its files or rows are done with.
// - Files: the result is put only, as it was read back.
void StoreResult(int slot, const SlotResult& result, ResultOrigin how = ResultOrigin::Typed);

// Erases the result of slot at a sheet (BoardSheet or TableSheet): cleared
// (DeleteSlotResult), saved, and the news told once: erased when the slot
// held a result, else the results counted again.
void EraseResult(int slot, ResultSource sheet);

// Swaps N/S and E/W of slot's result at a sheet (BoardSheet or TableSheet),
// saves, and, when the slot holds a result, tells the news once as a result
// stored by a key: the devices echo it with the pairs as they sat.
void SwapResult(int slot, ResultSource sheet);

// Puts slot's line back as it was before the sheet began taking a result
// (the undo of both sheets): saved when it changed, and the news told once
// when the slot's result changed meanwhile (a collection stored one there):
// erased when it now holds none, else stored at that sheet.
void PutBackResult(int slot, const SlotRecord& record, ResultSource sheet);

// With table devices: appends "<board> <ns> <ew> " to "DonnesArbitre.TXT",
// then tells that the results are to be counted again (core/ResultNews.h).
void WriteRefereeDealsFile(int board, int nsPair, int ewPair);
// Removes from ".ADJ" the lines of slot on CurrentBoard (the file is deleted
// when nothing remains). Nothing when there is no ".ADJ".
void RemoveResultAdjustment(int slot);
// Clears the result of slot (score 10000, contract, lead and declarer, its
// percentages and its ".ADJ" line); CurrentBoard must be the slot's board.
void DeleteSlotResult(int slot);
