#pragma once
// The import of a session prepared by FFBClubNet: its session database
// (FederationBwsFile, chosen by ChooseFfbBwsFile) becomes the tournament in
// memory: counts, kind of movement, BYE pair, players with their licence
// numbers, deal diagrams and the movement in the result slots. The database is
// only read here (except for the special 11-pair Heredia file copied over it).
#include <QString>
#include <QStringList>

// The whole import. Every fault of the database (an empty table, a second
// section, a value outside the program's capacities, a missing movement
// file) shows its message and stops the program; a missing "H11.BWS" ends it
// at once. On return the database is closed and nothing has been saved.
void ImportFederationSession();

// The names given when FFBClubNet sent none: "N1"/"S1" ... for the N/S (or
// Howell) pairs, "E1"/"O1" ... for the E/W pairs, "ByeN"/"ByeS" and the label
// "BYE" for the BYE pair.
void SetDefaultPairNames();

// Where a row of PlayerNumbers sits among the pair slots: the slot (0 when
// the row stands for no slot) and whether it is the pair's second player.
struct FederationSeat {
  int slot = 0;
  bool second = false;
};
// The one mapping between the rows of PlayerNumbers and the pair slots, used
// by the import and by the save. In Mitchell numbering a row goes by its
// table (1..TableCount) and the first letter of its direction (N, S: the N/S
// pair of the table; E, W: its E/W pair). Otherwise (Howell, Heredia) the rows
// go in stored order, two a pair, pair k to slot k, up to the last slot
// (PairSlotCount, or 2 x TableCount outside Heredia) less the BYE's.
FederationSeat FederationPlayerSeat(int rowIndex, int table, const QString& direction);

// The 30 lines of a deal's diagram from the sixteen holdings of the database
// (North, South, East, West, each spades, hearts, diamonds, clubs; ranks
// A K Q J T and digits).
QStringList FederationDiagramLines(int board, const QStringList& holdings);
