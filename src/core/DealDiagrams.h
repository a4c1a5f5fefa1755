#pragma once
// Deal diagram files: one board's four hands as 30 plain lines, written as
// "S" + n + ".TXT" in the tablets' "Diagrammes" folder (read there by the
// tablet server) with a hand-off copy n + ".TXT" that LoadDiagramFiles picks
// up into DealDiagrams. Ranks are written with the French letters
// A R D V X 9 .. 2, separated by one blank.
#include <QString>
#include <QStringList>

#include <array>

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
// TabletSharedFolder + "/Diagrammes" (no final separator).
QString DiagramFilesFolder();
// Writes "S" + n + ".TXT" (created folder, atomic rewrite) and its hand-off
// copy n + ".TXT". Write failures, and a tablets' folder not set yet, raise
// platform::IoError.
void WriteDiagramFile(int board, const DealHoldings& hands);

// With table devices: every hand-off copy of deals 1..DealCount is read into
// DealDiagrams (each line followed by CR LF) and deleted, and its hand record
// is sent; when one was read the results files are saved. Copies of other
// boards, and every copy without table devices, stay in the folder.
void LoadDiagramFiles();

// The holding of a seat ("Nord", "Sud", "Est", "Ouest") in a suit ("P", "C",
// "K", "T") of the diagram of deal n, in the English form without blanks
// ("R V X 2" gives "KJT2"); "" for a void, a missing diagram or seat.
QString HoldingFromDiagram(int deal, const QString& seatHeading, const QString& suitLetter);

// The BridgeMates steps for hand records (devices/BridgeMatesTables.cpp).
// The deal's diagram written as the HandRecord row of its board, when
// tablets were added to a BridgeMates tournament outside federation mode.
void WriteHandRecordRow(int deal);
// The deals entered at the tables: each HandRecord row of a board without a
// diagram is written as its diagram files, then the diagrams are loaded.
// Nothing when the deals came from a PBN file or every board has one.
void PollHandRecords();
// Replaces the HandRecord rows of the tournament's database (BwsFileName) by
// the diagrams held ("Envoi"); database errors pass on.
void WriteHandRecords(const QString& mode);
