#pragma once
// Small pieces shared by the readers and writers of the tournament files.
#include <QString>
#include <QStringList>
#include <QStringView>

namespace tournament_files {

// A whole decimal integer (optional sign, digits only, fits in 32 bits).
bool ToInteger(QStringView text, int& value);
inline bool IsWholeInteger(QStringView text) {
  int unused = 0;
  return ToInteger(text, unused);
}

// The next field of a line: skips blanks and tabs from pos, returns the text
// up to the next blank or tab and leaves pos just after it.
QStringView NextField(QStringView line, qsizetype& pos);

// The file's full name: DataFolder + code + extension.
QString TournamentFileName(const QString& code, const QString& extension);

// Writes text to fileName through the atomic rewrite.
void RewriteWholeFile(const QString& fileName, const QString& text);
// Writes bytes (Windows-1252) to fileName through the atomic rewrite, unless
// the file already holds exactly them.
void RewriteFileIfChanged(const QString& fileName, const QByteArray& bytes);

// Adds n in decimal to out.
void AppendNumber(QByteArray& out, int n);

// The lines of a file (found without regard to case); an unreadable file
// raises platform::IoError.
QStringList ReadFileLines(const QString& fileName);

// Reports line number line of the file shownName ("ABC.PAI") as incorrect and
// makes the fatal stop.
[[noreturn]] void StopOnBadLine(const QString& shownName, int line);

}  // namespace tournament_files
