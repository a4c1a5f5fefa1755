#include "core/TournamentFileLines.h"

#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/SafeFiles.h"
#include "platform/TextFiles.h"

#include <charconv>
#include <limits>

namespace tournament_files {

bool ToInteger(QStringView text, int& value) {
  qsizetype i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
    negative = text[i] == u'-';
    ++i;
  }
  if (i == text.size()) return false;
  long long v = 0;
  for (; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c < u'0' || c > u'9') return false;
    v = v * 10 + (c - u'0');
    if (v > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return false;
  }
  if (negative) v = -v;
  if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min()) return false;
  value = static_cast<int>(v);
  return true;
}

QStringView NextField(QStringView line, qsizetype& pos) {
  const auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
  while (pos < line.size() && blank(line[pos])) ++pos;
  const qsizetype start = pos;
  while (pos < line.size() && !blank(line[pos])) ++pos;
  return line.mid(start, pos - start);
}

QString TournamentFileName(const QString& code, const QString& extension) { return DataFolder + code + extension; }

void RewriteWholeFile(const QString& fileName, const QString& text) {
  TextFile f;
  SafeRewrite(f, fileName);
  f.write(text);
  CloseTextFile(f);
}

void RewriteFileIfChanged(const QString& fileName, const QByteArray& bytes) {
  platform::rewriteIfChanged(fileName, bytes, SafeRewriteFailureMessage());
}

void AppendNumber(QByteArray& out, int n) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
  out.append(digits, end - digits);
}

QStringList ReadFileLines(const QString& fileName) { return platform::readTextLines(fileName); }

void StopOnBadLine(const QString& shownName, int line) {
  FatalStop(QStringLiteral("Ligne n°%1 incorrecte dans \"%2. Désolé, corrigez ce fichier avant de réessayer!").arg(line).arg(shownName));
}

}  // namespace tournament_files
