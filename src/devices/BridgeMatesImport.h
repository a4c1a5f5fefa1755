#pragma once
// The results the BridgeMates' scorers enter, read from ReceivedData of the
// session database at every poll: each row not yet processed is read,
// stored in its result slot and saved, then marked processed and echoed to
// the tablets' server, and the finished tables turn red in the status strip;
// then the pass is recomputed.
#include <QString>

// One pass. The rows not yet processed are read, their results stored and
// saved (".ADJ", ".VAR", ".SPECS"); only then are the rows marked processed
// (one transaction) and the results echoed to the tablets' server. A crash
// at any point leaves every row whose result is not saved unprocessed, and a
// row applied again gives the same slot and the same ".ADJ" (a slot's line
// replaced, never a second one added). The program's own rows ("Morvel")
// are passed over. A refused row or a row without its slot is marked and
// reported once marked; the pass goes on. A locked database skips the pass
// (or, when it locks before the marking, leaves the rows for the next poll).
// A pass takes at most 200 rows; the others wait for the next poll. A row
// whose integer column is empty or not a number is left unprocessed for the
// next poll and told once, at its tenth failed read. A table holding far more
// rows than the tournament's results explain is not read and told once.
// Everything a pass has to tell is shown in one message.
void ImportBridgeMatesResults();
// Forgets what the polls remember between them (rows left unread, an
// oversized table already told): at the start of the collection.
void ClearBridgeMatesImportState();
// One beep and text + " N/S=" ns + " E/W=" ew + " Donne=" board + " Tour="
// round + ". On continue quand même. Appelez l'arbitre et/ou Teo VARNAL...".
void ShowDeviceImportError(const QString& text, int nsPair, int ewPair, int round, int board);
// Table t has every result: at least one slot of t (by its table number)
// holds two pairs, and each such slot holds a result.
bool IsTableComplete(int table);

// The current row of ReceivedData, a scorers' row, says what slot holds:
// the result its import stores there (an erased row: no result). A row that
// cannot be read or is refused says nothing the slot holds.
class SessionTable;
bool ScorersRowHolds(const SessionTable& t, int slot);

// A lead as the scorers give it ("HK", "S10", "DT", "CX") in the program's
// form ("RC", "10P", "10K", "2T"); "?" for an empty or unreadable lead.
QString LeadFromDevice(const QString& lead);
