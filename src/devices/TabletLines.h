#pragma once
// What the tablets' server learns of every result known to the program: one
// result line per board in the table's folder ("RESS<n>.TXT", "RESX<n>.TXT"),
// the rounds' board lists of the BridgeMates' results ("DONNESTOUR<r>.TXT"),
// and the two logs of what was sent. Nothing is written without table
// devices. Write failures raise platform::IoError.
#include "core/SlotResult.h"

#include <QString>

// The date and time the logs write before each line: "dd/MM/yyyy HH:mm:ss".
QString TabletLogStamp();
// "<table> 1 999 <board> <round> <ns> <ew> <declarer> <contract> Entame=?"
// into RESS<board>.TXT and RESX<board>.TXT of the table, and to the
// tournament's ".LOG" after the date and time.
void WriteTabletResultLine(int table, int board, int round, int nsPair, int ewPair, const QString& contract,
                           const QString& declarer);
// The deletion of a board's result: RESS<board>.TXT gets the DELETE line,
// RESX<board>.TXT goes, and the line is logged in LOG.TXT of the exchange
// folder.
void WriteTabletDeleteLine(int table, int board, int round, int nsPair, int ewPair);
// The echo of a BridgeMates result (erased or not) of slot, its pairs as they
// sat: RESS<k>/RESX<k> with k the first free number from 1 to 100, and the
// round's board list. With tablets added nothing is written. 100 pending
// files: one alert, and this echo is skipped. listOnce: a board the round's
// list holds already is not listed again.
void WriteTableResultFile(int slot, bool erased, bool listOnce = false);
// The same with the result given: the one a row stored, when a later row of
// the same pass changed the slot again.
void WriteTableResultFile(int slot, const SlotResult& result, bool erased, bool listOnce = false);

// A board settled by the director at a table: "ARBITRE<board>.TXT" of the
// table's folder (SettledBoardFile, beside the board's "RESX" echo),
// rewritten whole with one line, the slot's result as the director left it,
// for the players (SettledResultText). While it is there the tables' server
// shows the board as settled, and the collection keeps what a table sends
// for it for the director. Nothing without tablets or the table's folder.
void WriteSettledBoardFile(int slot);
// The slot's board handed back to its table: its settled file goes, and the
// table may enter the board again.
void RemoveSettledBoardFile(int slot);
// The slot's result as the players read it: "Score arbitral 40 % – 60 %",
// "N 4PN=", "PASSE", "Moyenne", the points, or "Résultat effacé par
// l'arbitre".
QString SettledResultText(int slot);
// The slot's result as the tablets' lines carry it: the contract, the points
// when there is none, or an adjusted score's split in the tables' own words
// ("60 - 40") once its percentages are given.
QString EchoedResult(int slot);
// A device tournament resumed: every table's echo brought back to what its
// slots hold, from the stored results. With tablets, a board's files that
// do not hold the slot's line (or its deletion) are written again, and
// logged; with BridgeMates, a slot whose newest waiting file does not hold
// its result, or whose board its round's list lacks, is sent again (a
// deletion when the round's list still holds the board). A write that fails
// is shown once; the other tables are told.
void ResendTableEchoes();
