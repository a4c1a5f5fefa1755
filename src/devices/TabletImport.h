#pragma once
// The results typed at the tablets: every "REST*.TXT" of the tables' folders
// read, deleted, stored in its result slots and echoed back; the referee's
// list of arbitral scores ("ADJUSTLIST.TXT") and the tournament's ".ADJ"
// kept up to date; then, when anything changed, saved and recomputed.
#include <QString>

// One pass over the tables' result files. Every result is stored, then the
// pass is saved (".ADJ", ".VAR", ".SPECS"), and only then are the files
// deleted and the results echoed to the tables: a crash loses no result, and
// a file taken again after one gives the same slots and the same ".ADJ" (a
// slot's line replaced, never a second one added). A file that cannot be
// read is left for the next passes and renamed ".BAD" at the tenth failure
// in a row (with a referee call); a contract the parser refuses keeps the
// slot's previous result and calls the referee. However the pass ends, what
// it stored is counted and saved. Called directly (the timer stopped)
// without any result: "Aucun résultat récupéré.".
void ImportTabletResults();
// Appends text as one line to "ADJUSTLIST.TXT" of the program folder.
void AppendAdjustListLine(const QString& text);
