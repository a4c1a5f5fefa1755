#pragma once
// The hand records of the session: what could be made on each deal, computed
// once in the background when the deals arrive and kept in ".DDM"
// (core/DealAnalyses.h); the figures a PBN file carries compared with it;
// the formatted printout.
#include "core/DealAnalyses.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The figures a PBN file gives for a board, when it gives them.
struct PbnFigures {
  std::optional<std::array<std::array<int, 5>, 4>> tricks;  // [AnalysisSeat][AnalysisStrain]
  std::optional<int> parScore;                              // North-South's side
};
// [DoubleDummyTricks "..."]: 20 hexadecimal digits, five for each declarer
// North, East, South, West, in the order no trump, spades, hearts, diamonds,
// clubs. Nothing when the value is not that.
std::optional<std::array<std::array<int, 5>, 4>> TricksFromDoubleDummyTag(const QString& value);
// The rows under [OptimumResultTable ...] ("N NT 9", "E S 4", ...): nothing
// unless all 20 declarers and strains are there.
std::optional<std::array<std::array<int, 5>, 4>> TricksFromOptimumTable(const QStringList& rows);
// [OptimumScore "NS 420"] or "EW 100": North-South's side (-100 for the latter).
std::optional<int> ScoreFromOptimumTag(const QString& value);

// The figures of board n of the PBN file being imported (all forgotten by
// ForgetPbnFigures); compared once the deals are analysed.
void NotePbnFigures(int board, const PbnFigures& figures);
void ForgetPbnFigures();

// Reads ".DDM", then analyses in the background every deal 1..DealCount
// whose diagram has no analysis of its cards: returns at once; the desk's
// progress bar shows the deals done. When done (in the event loop), the
// analyses are kept and saved, a deal the solver refused is named with why,
// and the figures of the PBN file that differ from the analysis are written
// to the message window (the analysis is kept, the file not changed).
void StartDealAnalyses();
// Whether a computation is running.
bool DealAnalysesRunning();
// Waits, running the event loop, until no computation runs.
void WaitForDealAnalyses();

// The sheet of deals 1..DealCount that have a diagram, under MovementTitle
// (waits for a running computation first).
HandRecordSheet BuildHandRecordSheet();
// "Imprimer au format WYSIWYG" without the diagram program: the sheet printed
// through the printer dialog.
void PrintHandRecords();
