#pragma once
// The movement of a new tournament: the choice window ("Mouvement"), the
// standard Mitchell generated for any number of tables (odd, skip at
// half-time, relay table, and the four kinds of the federation), the files
// read from the movement folders, the Patton and the rounds really played.
// The movement lives only in the result slots: each slot a table will play
// holds its pairs, round, table and board, with the score 10000.

#include "core/Globals.h"

// What the windows leave behind their answer (MitchellTypeRemembered,
// RoundsQuestionSilenced) and OddTables: core/Globals.h.

// The whole movement step of the start: pairs checked and saved, movement
// chosen and written into the result slots and saved. False when the
// director goes back to the pairs, or a check or a movement file fails.
bool ChooseMovement();

// Asks the boards per table ("Etuis") and, for an even number of tables,
// the skip or the relay; then the rounds played; then writes the Mitchell
// into the result slots and saves it. False when the boards would exceed
// 64. With FederationMode no question is asked (the import has set
// BoardsPerTable, RoundsPlayed and FederationMovementKind).
bool AskMitchellBoardsPerTable();

// Writes the standard Mitchell of ResultsPerBoard tables into the result
// slots (slots cleared beforehand by the caller): MitchellType 0 odd, 1 skip,
// 2 relay; or the federation kind 1..4 for RoundsPlayed rounds. E/W pairs are
// stored as ResultsPerBoard + k. Nothing is saved.
void GenerateMitchell();

// RoundsScheduled and RoundsPlayed, asked in "Tours?" unless
// "PASDEMANDERNTOURS.TXT" exists. From the general options the question is
// always asked, with the rounds chosen before filled in.
void AskRoundsToPlay(bool fromOptions = false);

// TableCount and ResultsPerBoard := PairSlotCount div 2, OddTables, and
// RoundCount (one less with an even number of tables and the skip
// remembered).
void ComputeTablesAndRounds();
