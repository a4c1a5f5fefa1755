#pragma once
// Deal diagram files: one board's four hands as 30 plain lines, written as
// "S" + n + ".TXT" in the tablets' "Diagrammes" folder (read there by the
// tablet server) with a hand-off copy n + ".TXT" that LoadDiagramFiles picks
// up into DealDiagrams. Ranks are written with the French letters
// A R D V X 9 .. 2, separated by one blank.
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The four seats of a diagram in the order of the file: North, South, East, West.
enum DiagramSeat { SeatNorth = 0, SeatSouth = 1, SeatEast = 2, SeatWest = 3 };
// Holdings of one deal: [seat][suit], suits spades, hearts, diamonds, clubs,
// in the English form (AKQJT98765432).
using DealHoldings = std::array<std::array<QString, 4>, 4>;

// English ranks T J Q K become X V D R, every other character is kept; the
// characters are separated by one blank ("KJT2" gives "R V X 2", "" gives "").
QString FrenchCardLetters(const QString& holding);
// The 30 lines of the diagram of board n.
QStringList DiagramLines(int board, const DealHoldings& hands);
// The four hands of a diagram's lines [DiagramSeat][suit] as written, in
// French ranks ("R V X 2"). Nothing when the lines are not a diagram.
std::optional<DealHoldings> ParseDiagram(const QStringList& lines);
// TabletSharedFolder + "/Diagrammes" (no final separator).
QString DiagramFilesFolder();
// Writes "S" + n + ".TXT" (created folder, atomic rewrite) and its hand-off
// copy n + ".TXT". Write failures, and a tablets' folder not set yet, raise
// platform::IoError; a "Diagrammes" that is not a real folder gets nothing
// (TabletFolderIsReal tells the referee).
void WriteDiagramFile(int board, const DealHoldings& hands);

// The holding of a seat ("Nord", "Sud", "Est", "Ouest") in a suit ("P", "C",
// "K", "T") of the diagram of deal n, in the English form without blanks
// ("R V X 2" gives "KJT2"); "" for a void, a missing diagram or seat.
QString HoldingFromDiagram(int deal, const QString& seatHeading, const QString& suitLetter);
