#pragma once
// The contract editor of federation tournaments, a companion program.

// Starts "Kontravel.EXE" of the program folder on a board and a table's pairs
// (E/W as numbered in the result slots); a running copy is stopped first. A
// missing or failing editor is reported with its message.
void LaunchContractEditor(int board, int nsPair, int ewPair);
