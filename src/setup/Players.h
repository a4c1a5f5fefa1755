#pragma once
// The club's player list: the players file of the program folder
// (PlayersFileName) read into the player arrays, the names offered by the
// pickers, and the optional pairs file "PAIRES.TXT" read into the chooser.
#include <QString>
#include <QStringList>

// The whole load: the player arrays emptied, the players file read (at most
// 1000 players, sorted in Windows-1252 byte order), names, first names and
// licences taken from each line, the pickers' names (every player and "BYE"),
// then "PAIRES.TXT" (not read with table devices). A first name left empty by
// ":" or "#", or a missing licence with devices or in a federation
// tournament, is shown and makes the fatal stop. In club mode the players file
// is first rebuilt from the club's members file.
void LoadPlayers();
