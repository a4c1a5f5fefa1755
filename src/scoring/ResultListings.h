#pragma once
// The final ranking as the director sees it: the lines of the results window,
// the printed listings (pairs or Patton teams) with their copy "RESULTS.TXT"
// in the Documents folder, and the ranking files "RESULTS.TXT" /
// "RESULTSF.TXT" of the Documents folder that the mailing sends.
//
// Every listing follows one rule: the pair labelled "BYE" and pair number 0
// are left out, the first row is place 1, and a row whose score equals the
// previous row's once both are rounded to 0.01 shows "==" in place of its
// place (the count goes on through ties). Numbers are written with ".".
#include "core/Flows.h"
#include "core/Globals.h"
#include "scoring/RankingTable.h"

#include <QString>
#include <QStringList>

#include <vector>

// CumulativeTitleLine (core/Globals.h) heads a cumulative tournament's
// displays and printouts.

// The rows of one list of the ranking table (scoring/RankingTable.h).
std::vector<RankedRow> RankedRows(RankingList list);

// One Patton team: its number, the slots of its N/S and E/W pairs, its total
// (the rounded sum of its two pairs' scores) and its place text.
struct TeamRow {
  int team = 0;
  int nsSlot = 0;
  int ewSlot = 0;
  int total = 0;
  QString place;
};
// The teams best total first, ordered by the pairs' rule (RankByScore).
std::vector<TeamRow> RankedTeams();

// What the results window shows (ResultsView) is shown without blocking by
// flowWindows().showResults; without that window nothing is shown.

// The view of the pair ranking with the layout of OneWinnerMitchell, and of
// the team ranking.
ResultsView PairResultsView();
ResultsView PattonResultsView();
// Fills and shows the results window for the pair ranking. In a Mitchell the
// director first chooses separate or merged lists (forms::ShownResultsLayout); Esc shows
// nothing. In a Howell the list is merged.
void ShowPairResults();
// Fills and shows the results window for the Patton team ranking.
void ShowPattonResults();

// Prints the pair ranking (PrintFile, then the printer) and writes its copy
// "RESULTS.TXT" in the Documents folder. With askLayout a Mitchell asks for
// the layout (forms::PrintedResultsLayout; Esc prints and writes nothing); without, the layout
// of OneWinnerMitchell stands. The information line is asked (forms::PrintedResultsInfo).
// Separate lists ask for a page break between them (forms::PageBreak) unless
// "SautAutomatique.TXT" holds the choice. The tablets' "RESULTS.TXT" is
// never touched (the computations write it in its own layout). A file that
// cannot be written raises the IoError of SafeRewrite.
void PrintPairResults(bool askLayout);
// Prints the Patton team ranking and writes its Documents "RESULTS.TXT" copy.
void PrintPattonResults();
// Writes "RESULTSF.TXT" (merged) or "RESULTS.TXT" in the Documents folder.
void WriteResultsFile(bool merged);
// After the page-break question: when remember is set, "SautAutomatique.TXT"
// in the program folder gets ChoiceResult, else the file is deleted.
void SaveAutoPageBreakChoice(bool remember);
// A score 8 wide to the printout: 0 decimals in IMP scoring, else 2.
void WriteScoreToPrintFile(double value);
