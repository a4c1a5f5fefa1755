#pragma once
// The results typed at the tablets: every "REST*.TXT" of the tables' folders
// read, deleted, stored in its result slots and echoed back; the referee's
// list of arbitral scores ("ADJUSTLIST.TXT") and the tournament's ".ADJ"
// kept up to date; then, when anything changed, saved and recomputed.
#include <QString>

// The number of tables the tablets' files are looked for in: TableCount, or
// when it is 0, the deals per table in a federation Heredia movement, else
// the pair slots. TableCount itself is never changed.
int ImportTableCount();

// One pass over the tables' result files. A file is deleted before its
// result is stored, so no result is applied twice. A file that cannot be
// read is left for the next passes and renamed ".BAD" at the tenth failure
// in a row (with a referee call); a contract the parser refuses keeps the
// slot's previous result and calls the referee. However the pass ends, what
// it stored is counted, saved and recomputed. Called directly (the timer
// stopped) without any result: "Aucun résultat récupéré.".
void ImportTabletResults();
// Appends text as one line to "ADJUSTLIST.TXT" of the program folder.
void AppendAdjustListLine(const QString& text);
// Appends "<slot> <board> <ns> <ew>" to the tournament's ".ADJ".
void AppendTabletAdjustment(int slot, int board, int nsPercent, int ewPercent);
