#include "sessions/Golden.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace sessions {

namespace {

QByteArray readAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The run's folder written in either slash form becomes "<tmp>".
QByteArray normalised(QByteArray bytes, const QString& root) {
  const QString clean = QDir::cleanPath(root);
  for (const QString& form : {clean, QDir::toNativeSeparators(clean), QString(clean).replace('/', '\\')})
    bytes.replace(form.toLocal8Bit(), "<tmp>");
  return bytes;
}

QList<QByteArray> lines(const QByteArray& bytes) {
  QList<QByteArray> out = bytes.split('\n');
  for (QByteArray& l : out)
    if (l.endsWith('\r')) l.chop(1);
  return out;
}

// The first line where the two differ, shown as a short unified difference.
QString firstDifference(const QString& name, const QByteArray& expected, const QByteArray& actual) {
  const QList<QByteArray> e = lines(expected), a = lines(actual);
  qsizetype i = 0;
  while (i < e.size() && i < a.size() && e[i] == a[i]) ++i;
  QString report = QStringLiteral("--- expected %1\n+++ actual %1\n@@ line %2 @@\n").arg(name).arg(i + 1);
  if (i > 0) report += QStringLiteral(" ") + QString::fromLatin1(e[i - 1]) + QStringLiteral("\n");
  report += i < e.size() ? QStringLiteral("-") + QString::fromLatin1(e[i]) : QStringLiteral("-<end of file>");
  report += QStringLiteral("\n");
  report += i < a.size() ? QStringLiteral("+") + QString::fromLatin1(a[i]) : QStringLiteral("+<end of file>");
  report += QStringLiteral("\n");
  if (i >= e.size() && i >= a.size()) report += QStringLiteral("(the files differ only in their line ends)\n");
  return report;
}

}  // namespace

QStringList FilesUnder(const QString& root, const QStringList& leftOut) {
  QList<QRegularExpression> patterns;
  for (const QString& p : leftOut)
    patterns << QRegularExpression(QRegularExpression::wildcardToRegularExpression(
        p, QRegularExpression::UnanchoredWildcardConversion), QRegularExpression::CaseInsensitiveOption);
  QStringList files;
  const QDir base(root);
  QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString relative = base.relativeFilePath(it.next());
    bool skip = false;
    for (const QRegularExpression& re : patterns)
      if (re.match(relative).hasMatch()) skip = true;
    if (!skip) files << relative;
  }
  files.sort();
  return files;
}

QString CompareWithReferences(const QString& session, const QString& root, const QStringList& leftOut) {
  const QString references = QStringLiteral(TALVARON_SESSION_REFERENCES "/") + session + QStringLiteral("/");
  const QStringList actual = FilesUnder(root, leftOut);
  if (qEnvironmentVariable("TALVARON_UPDATE_REFERENCES") == QLatin1String("1")) {
    QDir(references).removeRecursively();
    for (const QString& name : actual) {
      QDir().mkpath(QFileInfo(references + name).absolutePath());
      QFile f(references + name);
      if (!f.open(QIODevice::WriteOnly)) return QStringLiteral("cannot write ") + references + name;
      f.write(normalised(readAll(root + QStringLiteral("/") + name), root));
    }
    return {};
  }
  QString report;
  const QStringList expected = FilesUnder(references, {});
  for (const QString& name : expected)
    if (!actual.contains(name)) report += QStringLiteral("missing file: ") + name + QStringLiteral("\n");
  for (const QString& name : actual) {
    if (!expected.contains(name)) {
      report += QStringLiteral("new file (not in the references): ") + name + QStringLiteral("\n");
      continue;
    }
    const QByteArray want = readAll(references + name);
    const QByteArray got = normalised(readAll(root + QStringLiteral("/") + name), root);
    if (want != got) report += firstDifference(name, want, got);
  }
  if (!report.isEmpty())
    report += QStringLiteral("(references in ") + references +
              QStringLiteral("; scripts/update-session-references.sh rewrites them)\n");
  return report;
}

}  // namespace sessions
