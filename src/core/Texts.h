#pragma once
// Small helpers on texts and numbers: trimming, fitting, padding, number
// checks and the score column of the listings.
#include <QChar>
#include <QString>
#include <QStringList>

// An ASCII decimal digit.
bool IsAsciiDigit(QChar c);
// The text without leading and trailing blanks and control characters.
QString TrimText(const QString& text);
// Every run of blanks reduced to one blank.
QString CollapseBlanks(const QString& text);
// The first width characters, padded with blanks to exactly width.
QString FitToWidth(const QString& text, int width);
// True for an optional sign followed by decimal digits, within 32 bits.
bool IsInteger(const QString& text);
// The value of a decimal number written with "." or "," whatever the locale
// (surrounding blanks allowed); 0 with *ok false when it is not a number.
double ParseDecimalNumber(const QString& text, bool* ok = nullptr);
// Appends value 8 wide with 2 decimals, or 8 "-" for 0 when not in IMPs.
void AppendScoreColumn(double value, QString& text);
int MaxInteger(int a, int b);
int SignOf(int n);
// The text followed by blanks up to width, never cut.
QString PadRight(const QString& text, int width);
