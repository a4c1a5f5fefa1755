#pragma once
// A BridgeMates Mitchell in memory, as the start of play leaves it: tables
// t = 1..n, n rounds, boardsPerTable boards a round; N/S pair t stays at table
// t, the E/W pairs move up one table and the boards down one table each
// round. Slot (b - 1) x n + r holds board b in round r. Pair names entered.
// The folders of the tablets' exchange are set; the session database is made
// by CreateBWS from the template copied into the program folder.
#include <QString>

namespace testing_support {

void SetUpBridgeMatesMitchell(int tables, int boardsPerTable);
// The table playing board b in round r of that movement.
int MitchellTable(int tables, int boardsPerTable, int board, int round);
// Copies the built template into the program folder and creates the
// tournament's database (code "20261207").
void CreateMitchellDatabase(const QString& programFolder);

}  // namespace testing_support
