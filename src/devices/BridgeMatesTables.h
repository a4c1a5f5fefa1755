#pragma once
// What the tables enter besides the results, and its way back: the players
// and deals of the tablets copied into the session database, the deals keyed
// on the scorers taken from it, and the deal diagrams' hand-off copies.
#include <QString>

// With table devices: every hand-off copy of deals 1..DealCount is read into
// DealDiagrams (each line followed by CR LF) and deleted, and its hand record
// is sent; when one was read the results files are saved. Copies of other
// boards, and every copy without table devices, stay in the folder.
void LoadDiagramFiles();

// The deal's diagram written as the HandRecord row of its board, when
// tablets were added to a BridgeMates tournament outside federation mode.
void WriteHandRecordRow(int deal);
// The deals entered at the tables: each HandRecord row of a board without a
// diagram is written as its diagram files, then the diagrams are loaded.
// Nothing when the deals came from a PBN file or every board has one.
void PollHandRecords();
// The deals of DealDiagrams into HandRecord of the database named (rows
// replaced, the scorers no longer asked to enter them), in one transaction.
void WriteHandRecords(const QString& mode, const QString& databaseFile);
// Replaces the HandRecord rows of the tournament's database (BwsFileName) by
// the diagrams held ("Envoi"); database errors pass on.
void WriteHandRecords(const QString& mode);
// With BridgeMates, one row of PlayerNumbers for the name placed at row, in
// grid "NS" or "EW", for player 1 or 2.
void AddPlayerNumbersRow(const QString& grid, int player, int row, const QString& name);
