#pragma once
// Player names: read from the players file, refused or reported when the
// files cannot keep them, and the free names offered by the pair pickers.
#include <QChar>
#include <QString>
#include <QStringList>

// The name part of a players-file line: "£" read as a blank, the text from
// the first "\" on dropped, digits blanked, blanks collapsed, trimmed.
QString ExtractPlayerName(const QString& line);
// A player name read from a file with every "£" (the separator of the pairs
// file) and every line break turned into a blank.
QString WithoutPairsSeparator(const QString& name);
// A typed player name that the tournament files cannot keep whole is refused
// with a message (true: refused): a "£" (the pairs file's separator), or
// characters outside Windows-1252 (the files would hold "?" instead), which
// the message names so that the director writes the name another way. Any
// other name is accepted silently.
bool RefuseTypedPlayerName(const QString& name);
// The message RefuseTypedPlayerName would show, without showing it; "" for
// a name it accepts.
QString TypedPlayerNameRefusal(const QString& name);
// The characters of name outside Windows-1252 as the messages show them,
// separated by blanks: an invisible one by its code ("U+2028"); "" when the
// files keep every character.
QString CharactersTheFilesLose(const QString& name);
// After an import from source (a file's name, a program): one message
// listing the names that hold characters outside Windows-1252 or a "£" and
// which ones, to be written another way; nothing when every name is kept
// whole.
void ReportNamesLosingCharacters(const QStringList& names, const QString& source);
// The licence part of a players-file line: the text from the first "\" on
// dropped, every non-digit blanked, blanks collapsed, trimmed.
QString ExtractLicenceNumber(const QString& line);
// True for a default player name: N, S, E or W followed by 1..42 (the names
// of the quick creation of pairs).
bool IsDefaultPlayerName(const QString& name);
// Sorts PlayerChoiceLines 1..PlayerChoiceCount by plain string comparison.
void SortPlayerChoiceLines();
// Appends a non-empty, non-default name to the free names and sorts them (the
// pair windows draw their player list again after each action). A full list
// (1000 names) takes no more.
void AddPlayerToList(const QString& name);
// Removes every free name equal to name.
void RemovePlayerFromList(const QString& name);
