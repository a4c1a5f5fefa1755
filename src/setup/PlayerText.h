#pragma once
// The clean-up of the names read from the players' and members' files.
#include <QByteArray>
#include <QString>
#include <QStringList>

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

