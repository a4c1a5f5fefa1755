#pragma once
// What could be made on each deal: the tricks each seat takes as declarer in
// each strain with every card seen, and the par (the score and contracts of
// both sides bidding perfectly, for the board's dealer and vulnerability).
// Computed once by the solver (publishing/DoubleDummy.h) and kept in the
// tournament's ".DDM" file, one line per deal keyed by the deal's cards, so
// that a resume, the web page and the tables' server read it again without
// computing it.
//
// ".DDM" (Windows-1252, CR LF): the first line "Talvaron double mort 1",
// then one line per deal of six fields separated by ";":
//   board ; deal ; tricks ; par score ; par contracts ; refusal
// deal: the four hands as a PBN deal from North ("N:AKQJ.AKQ.AKQ.AKQ ...",
// suits spades, hearts, diamonds, clubs); tricks: four groups separated by
// "/" for North, East, South, West as declarer, each five numbers separated
// by blanks for clubs, diamonds, hearts, spades and no trump; par score:
// from North-South's side; par contracts: separated by blanks, each written
// level, strain (C D H S N), "*" when doubled, "-", the declaring seats (N E
// S W NS EW), then "+k" or "-k" for the over- or undertricks ("4S-NS+1",
// "5H*-EW-2", "3N-S"). A deal the solver refused keeps its deal and its
// reason in the last field, the others empty.
#include "core/OneBased.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// Seats in the solver's order.
enum AnalysisSeat { AnalysisNorth = 0, AnalysisEast = 1, AnalysisSouth = 2, AnalysisWest = 3 };
// Strains in the order of the table: clubs, diamonds, hearts, spades, no trump.
enum AnalysisStrain { StrainClubs = 0, StrainDiamonds = 1, StrainHearts = 2, StrainSpades = 3, StrainNoTrump = 4 };

struct ParContract {
  int level = 0;                // 1..7
  int strain = StrainNoTrump;   // AnalysisStrain
  QString seats;                // "N", "E", "S", "W", "NS" or "EW"
  int overtricks = 0;
  int undertricks = 0;          // a sacrifice, doubled
  bool operator==(const ParContract&) const = default;
};

struct DealAnalysis {
  QString deal;     // the key: the deal analysed, "" for none
  QString refusal;  // why there is no table ("" when there is one)
  std::array<std::array<int, 5>, 4> tricks{};  // [AnalysisSeat][AnalysisStrain]
  int parScore = 0;                            // North-South's side
  QList<ParContract> parContracts;
  bool solved() const { return !deal.isEmpty() && refusal.isEmpty(); }
  bool operator==(const DealAnalysis&) const = default;
};

// One deal of the printed hand records: its number, dealer ("Nord" ...),
// vulnerability ("Personne", "N/S", "E/W", "Tous"), the four hands
// [AnalysisSeat][spades, hearts, diamonds, clubs] in French ranks ("A R X 3"),
// and what could be made, or why it is not there.
struct HandRecord {
  int board = 0;
  QString dealer;
  QString vulnerability;
  std::array<std::array<QString, 4>, 4> hands;
  std::optional<DealAnalysis> analysis;
  QString missing;
};
struct HandRecordSheet {
  QString title;
  QList<HandRecord> deals;
};

// The analyses held for boards 1..64. Each belongs to its deal's cards
// (CurrentAnalysis); StartDealAnalyses reads them again from the current
// tournament's file.
OneBased<DealAnalysis, 64>& BoardAnalyses();
void ClearBoardAnalyses();

// The deal of board n's diagram as a PBN deal from North ("N:s.h.d.c ..."),
// "" when the board has no diagram or its four hands are unknown.
QString DealKey(int board);
// The same from four hands [AnalysisSeat][spades, hearts, diamonds, clubs]
// in the English form ("AKT3").
QString DealKeyOfHands(const std::array<std::array<QString, 4>, 4>& hands);
// Board n's analysis when it was made on the deal its diagram holds now.
std::optional<DealAnalysis> CurrentAnalysis(int board);

// The ".DDM" lines of the analyses of boards 1..64 that hold a deal.
QStringList DealAnalysisLines();
// The analyses of such lines by board; a line that cannot be read is
// skipped, so that the deal is computed again. Nothing when the first line is
// not the header.
std::optional<QMap<int, DealAnalysis>> ParseDealAnalysisLines(const QStringList& lines);
// Reads such lines into BoardAnalyses (all emptied first). False when the
// first line is not the header.
bool ReadDealAnalysisLines(const QStringList& lines);
// DataFolder + TournamentCode + ".DDM".
QString DealAnalysisFileName();
// The copy the tables' server reads: "DOUBLEMORT.TXT" in the tablets'
// "Diagrammes" folder (same lines).
QString DealAnalysisCopyName();
// Rewrites ".DDM" through the atomic writer, and its copy when the tablets'
// "Diagrammes" folder is there; IoError on failure.
void SaveDealAnalyses();
// Reads ".DDM" when it exists (false when it is missing or unreadable).
bool LoadDealAnalyses();

// One contract in the file's form ("4S*-EW-2"), and back (nothing when the
// text is not one).
QString ParContractCode(const ParContract& contract);
std::optional<ParContract> ParContractFromCode(const QString& code);

// The texts shown to the players and the director, in French with the suit
// symbols: a strain ("♣", "♦", "♥", "♠", "SA"); seats ("N", "E", "S", "O",
// "N/S", "E/O"); a par contract ("4♠ N/S +1", "5♥X E/O -2", "3SA S"); the par
// line ("Par N/S +420 : 4♠ N/S", "Par E/O +100 : 5♦X N/S -1", "Par 0 :
// passe").
QString StrainText(int strain);
QString SeatsText(const QString& seats);
QString ParContractText(const ParContract& contract);
QString ParText(const DealAnalysis& analysis);
// Its first part: "Par N/S +420", "Par E/O +100", "Par 0".
QString ParScoreText(const DealAnalysis& analysis);
// A table's result against what could be made: "4♠ N +1 : une levée de plus
// que le double mort", "3SA O = : autant de levées que le double mort",
// "5♦X S -2 : 3 levées de moins que le double mort". level 1..7, strain P C K
// T or S (no trump), declarer N E S O, overtricks negative when down; ""
// for an analysis without a table or a declarer it does not know.
QString ResultAgainstAnalysis(const DealAnalysis& analysis, int level, QChar strain, const QString& doubling, QChar declarer,
                              int overtricks);
