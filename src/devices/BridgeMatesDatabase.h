#pragma once
// The creation of a tournament's BridgeMates session database: a fresh copy
// of the template "BRIDGEMATE.BWS", then the computer, the tables, the
// section, the scorers' settings, the players (or the player list), the
// movement and the imported deals.
#include <QList>
#include <QString>

// Prepares the session database of the tournament (BwsFolder := DataFolder,
// BwsFileName := DataFolder + TournamentCode + ".BWS") for the start of the
// tournament, once the result slots hold the movement and before the control program starts.
// Without the template: a message and the program stops at once. In a
// federation tournament the tournament's own copy of the federation's
// database is filled (made from it when missing), never that file itself.
// Database errors pass on; the whole creation is one transaction.
void CreateBWS();

// Replaces target with a copy of source: a temporary copy in target's folder
// renamed over it, so that target is never left half written. Failures throw
// platform::IoError naming target.
void CopySessionDatabase(const QString& source, const QString& target);

// Adds the text column to Settings when no column of that name (compared
// without regard to case) exists. The database is open.
void EnsureSettingsColumn(const QString& column);
// Writes the text into that column of Settings' first row.
void SetSettingsValue(const QString& column, const QString& value);
// Both columns "AllowAdjustedScoreEntry" and "AllowChangeResults" present and "1".
void EnableAdjustedScoreSettings();

// The name sent to the scorers for a player of the list, by NameDisplayMode:
// 1 the name; 2 the first name when the name is longer than 18 characters;
// 3 always the first name. An empty first name, a name not in the list or
// another mode send the name.
QString MapPlayerNameForDevice(const QString& name);

// The computer's name as the control program records it (the host name).
QString GetComputerNameText();

// One suit of one hand of the deal's diagram in the database's ranks
// (A K Q J T and digits, no blanks): hand "Nord", "Sud", "Est" or "Ouest",
// suit "P", "C", "K" or "T". Empty when the diagram lacks it.
QString ExtractSuitHolding(int board, const QString& hand, const QString& suit);

// One table's pairs and boards in one round, as RoundData receives them.
struct RoundEntry {
  int round = 0;
  int table = 0;
  int nsPair = 0;
  int ewPair = 0;
  int lowBoard = 0;
  int highBoard = 0;
};
// The movement read from the result slots: one entry per round and table, in
// round order, then in the order of the slots; the lowest board of the round
// at the table first.
QList<RoundEntry> BuildRoundList();
// Whether the list already holds an entry for this round at this table.
bool RoundPairAlreadyListed(const QList<RoundEntry>& list, int round, int table);
