#pragma once
// Each pair's own recap of its evening: every board it played within the
// rounds played, with the opponents, the contract, the score, both values,
// the average of each round and the opponents' tournament score. Shown one
// pair at a time in the viewer beside the menu, printed (copied to
// "RECAP.TXT" in the Documents folder), or written for every pair into
// "RECAPMAIL.TXT" for the mailing program "Postivane.EXE".
#include <QString>
#include <QStringList>

#include <functional>

// Player 1's name cut to 12, "-", player 2's name cut to 12 (pair slot).
QString PairLabel(int slot);
// True when none of the pair's listed results has a contract text: its
// recap then has no contract column and a wider opponent column.
bool PairHasNoResult(int pair);

// The recap of pair p in the screen and mail layout ("=" between the
// players' names in the mail, "-" on screen).
QStringList ScreenRecapLines(int pair, bool forMail);
// The recap of pair p in the print layout (without the banner).
QStringList PrintRecapLines(int pair);

// From the menu: forms::PairRecapsOutput (screen 1, print 2), then for printing forms::PrintedPairRecaps
// (one pair at a time 1, all pairs 2); Esc ends. Otherwise (the viewer's OK)
// the next pair on screen. The pair is asked each time; 0 ends (and closes
// the viewer). Printed recaps are copied to "RECAP.TXT" of the Documents
// folder. A file that cannot be written raises the IoError of SafeRewrite.
void PrintPairRecaps(bool fromMenu);

// Writes "RESULTSF.TXT" (and "RESULTS.TXT" with Mitchell numbering),
// "FromTalvaron.TXT" and "RECAPMAIL.TXT" in the Documents folder; with table
// devices copies the tablets' ranking files to the home root; then starts
// "Postivane.EXE" of the program folder (stopping a running one first). A
// failed start says so ("Pas trouvé Postivane.EXE. Impossible de
// continuer!", or the error code).
void MailPairRecaps();

// The viewer forms::PairRecap beside the menu is flowWindows().openPairRecap,
// fillPairRecap and closePairRecap (installed by the program's windows;
// without them nothing is shown).
