#pragma once
// The director's adjustments and penalties: adjusted results of ".ADJ"
// (fixed percentages, "AJU.") and penalties or bonuses of ".PEN" on a pair's
// final score; their menu, listing, printing and deletion. Questions go
// through the installed interaction; the files are rewritten atomically.
#include <QList>
#include <QString>

// The "Ajustements" menu: asks the choice and carries it out.
void AdjustmentsAndPenaltiesMenu();

// Adjusts the result of pair on board: the percentages are asked, stored in
// the first slot of the board where the pair plays (score 9999, "AJU.") and
// appended to ".ADJ". False, with nothing changed, when the pair does not
// play the board, the result cannot be adjusted or the director gives up.
bool AdjustOneResult(int board, int pair);

// Whether the slot holds an adjusted score ("AJU.") whose percentages are
// still to be given: a table sent it for the director to split (a 0 % the
// director gives is kept as 0.0001).
bool AwaitsPercentages(int slot);

// The ".ADJ" lines a device import gives its slots: each slot named keeps
// exactly the line given last for it, or none when it was cleared, whatever
// lines it had before; the lines of other slots stay as they stand. Nothing
// is written before write(), which rewrites the file once (atomically, and
// deleted when no line is left). Applying the same results again gives the
// same file.
class AdjustmentReplacements {
 public:
  // The slot's line becomes "<slot> <board> <ns> <ew>".
  void set(int slot, int board, int nsPercent, int ewPercent);
  // The slot keeps no line.
  void clear(int slot);
  bool isEmpty() const { return entries_.isEmpty(); }
  // Rewrites ".ADJ" when a slot's lines change; write failures throw.
  void write() const;

 private:
  struct Entry {
    int slot = 0;
    bool hasLine = false;
    QString line;
  };
  Entry& entry(int slot);
  QList<Entry> entries_;
};

// Lists every ".ADJ" and ".PEN" entry (viewOnly), or puts each to the
// director for deletion. Results adjusted without percentages are listed
// first and nothing else is done.
void ListOrDeleteAdjustments(bool viewOnly);

// The same listing, printed through the printout file.
void PrintAdjustmentsAndPenalties();

// Asks a pair number as numbered in the result slots (an E/W pair of a
// Mitchell is ResultsPerBoard + k); 0 when cancelled.
int AskPairNumber();

// A real in the notation ".ADJ" has always used: " 6.00000000000000E+0001".
QString AdjustmentRealText(double value);
