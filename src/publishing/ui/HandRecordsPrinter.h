#pragma once
// The printer of the formatted hand records: per deal its number, dealer and
// vulnerability, the four hands around a compass with the suit symbols and
// the French ranks, the double-dummy table and the par; as many deals a page
// as fit, the movement title on top of each page. Same dialog and printers
// as the text printouts (core/ui/Printer.h).
#include "core/DealAnalyses.h"
#include "core/Printing.h"

class QPagedPaintDevice;
class QPainter;

namespace ui {

// Draws the sheet on the painter's device, starting a new page of pages
// (null: one page only) when one is full.
void PaintHandRecords(QPainter& painter, const HandRecordSheet& sheet, QPagedPaintDevice* pages);
// Prints the sheet after the printer dialog (nothing when it is cancelled).
PrintOutcome PrintHandRecordSheet(const HandRecordSheet& sheet);
// Makes flowWindows().printHandRecords print through PrintHandRecordSheet.
void InstallHandRecordsPrinter();

}  // namespace ui
