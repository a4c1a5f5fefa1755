#pragma once
// The BridgeMates' table-status strip beside the tournament menu (the window
// is devices/ui's TForm112): one square per table, white until a scorer logs
// on (green), red once every result of the table is in. Its readers of the
// session database: the scorers' log-ons ("Tables") and the member numbers
// typed at the tables ("PlayerNumbers").
#include <QString>

#include <array>
#include <functional>

inline constexpr int kStripTables = 21;
enum TableState { TableWaiting = 0, TableLoggedOn = 1, TableFinished = 2 };

struct TableStatusStrip {
  int tableCount = 0;                       // squares laid out
  std::array<int, kStripTables + 1> states{};  // 1-based
  bool visible = false;
};
const TableStatusStrip& tableStatusStrip();

// Every state back to 0 and the strip laid out for tableCount squares (at
// most 21), then drawn again.
void LayOutTableStatusStrip(int tableCount);
// Stores the state of table 1..21 (other tables are left); the strip is drawn
// again in every case.
void SetTableState(int table, int state);
// The start of play with BridgeMates: the strip shown, laid out for
// TableCount tables, to the right of the tournament menu.
void ShowTableStatusStrip();
// The strip hidden (start screen, quit).
void HideTableStatusStrip();

// Every square back to 0 and none laid out, without drawing the strip again.
void ClearTableStatusStrip();

// The window behind the strip is flowWindows().redrawTableStrip (after each
// change), placeTableStrip (shown beside the menu) and hideTableStrip.

// The "Tables" reader: each row whose LogOnOff is 1 is set back to 0 and its
// table turns green. A section other than 1 or a table 0 is fatal; a table
// the tournament does not have is reported once and left.
void ReadTableStates();
// The "PlayerNumbers" reader: each row not yet processed puts its player
// (the name looked up from the number in the player list, "?" when unknown;
// "*** Non introduit" with number "0" when nobody typed one) into the pair
// sitting at that seat in the first round, and is marked processed. Nothing
// when the names were entered in the program or every player is named.
void ReadPlayerNumbers();
