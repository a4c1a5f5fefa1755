#pragma once
// The frequency sheets of the boards ("feuilles de fréquences"): for each
// board, on the complete sheet every result with its contract, points and
// percentages (or IMPs), and on both kinds the table of the distinct scores
// with what they earned. Printed through PrintFile.
#include <QString>

// The whole report: one board at a time (forms::FrequencySheetsScope 1, the board asked each
// time) or all boards (2); complete (forms::FrequencySheetsForm 1) or simplified (2) sheets.
// Esc in either question ends it. A board with a single result stops the
// report with "Donne <b> <-- Un seul résultat! Corrigez, SVP..." and prints
// nothing more. Cancelling the printer dialog ends it too.
void PrintBoardFrequencies();

// The text of one board's sheet (lines ended by CR LF), as it is printed.
QString BoardFrequencySheet(int board, bool complete);
// The number of comparable results of the board (a table and a score below
// 9998).
int ComparableResults(int board);
