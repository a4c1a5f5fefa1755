#pragma once
// The club's player list: the players file of the program folder
// (PlayersFileName) read into the player arrays, the names offered by the
// pickers, and the optional pairs file "PAIRES.TXT" read into the chooser.
#include <QByteArray>
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

// The lines of the players file as text: each line decoded as UTF-8 when it
// is valid UTF-8 holding non-ASCII bytes, as Windows-1252 otherwise.
QStringList DecodePlayerFileLines(const QByteArray& bytes);

// Every "Ã" followed by the Windows-1252 reading of a UTF-8 second byte
// (0x80..0xBF) becomes the letter of that two-byte form, capitals included:
// "Ã©" gives "é", "Ã‰" gives "É".
void ConvertUtf8Accents(QString& text);

// For each character of forbidden (in its order) that occurs in text: the
// message naming it and the line, then every occurrence becomes "_".
void ReplaceForbiddenCharacters(const QString& text, const QString& forbidden, QString& out);

// Leading characters below 33 dropped, runs of blanks reduced to one,
// trailing blanks dropped.
void NormaliseBlanks(const QString& text, QString& out);

// Sorts lines in ascending Windows-1252 byte order (the order of the files'
// bytes, capitals before small letters, accents after both).
void SortCp1252(QStringList& lines);

