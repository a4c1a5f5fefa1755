#pragma once
// Players who identify themselves at the tables: "PLAYERS.TXT" of each
// table's folder ("<N>@<S>@<E>@<O>", each entry "<licence>&<name>", a name
// alone, or empty) put into the pair slots, and the licence-number lookup of
// the player list.
#include <QString>

// Reads and deletes the players file of every table and applies its four
// entries; when at least one file was read, the pair-name files and the
// pairs file are written again and the menu's counters recounted.
void ReadPlayersFile();
// The players file of one table read, deleted and applied; false when the
// table has none, or when its file cannot be read or deleted yet (it is left
// for the next pass).
bool ReadTablePlayersFile(int table);
// After players were read: the pair-name files and the pairs file written,
// the menu's counters recounted.
void FinishPlayersRead();
// One seat's entry (seat N, S, E or O) stored into the pair sitting there in
// the first round (or the federation movement's pair). An entry holding the
// word "BYE" is ignored; an empty one becomes seat + table + " *** Pas
// rempli ***". False when nothing was stored.
bool ApplyTablePlayerEntry(int table, QChar seat, const QString& entry);
// The name of the first player of the list whose trimmed licence equals the
// trimmed licence given; "?" and false when none does.
bool PlayerNameFromLicence(const QString& licence, QString& name);
// The entry copied as a processed row of the BridgeMates' PlayerNumbers when
// tablets were added to a BridgeMates tournament outside federation mode.
void WritePlayerNumberRow(int table, const QString& number, const QString& name, QChar seat);
