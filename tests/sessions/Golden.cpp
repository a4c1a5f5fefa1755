#include "sessions/Golden.h"

#include "core/ResultsFolder.h"
#include "devices/TabletFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

namespace sessions {

namespace {

QByteArray readAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The run's folder written in either slash form becomes "<tmp>", and the
// program's version (taken from the executable's date, so from the day it
// was built) becomes "<version>" where the outputs print it.
QByteArray normalised(QByteArray bytes, const QString& root) {
  const QString clean = QDir::cleanPath(root);
  for (const QString& form : {clean, QDir::toNativeSeparators(clean), QString(clean).replace('/', '\\')})
    bytes.replace(form.toLocal8Bit(), "<tmp>");
  static const QRegularExpression version(
      QStringLiteral("(Talvaron version |<PROGRAM_VERSION>|BE\\.version = ')[0-9]+\\.[0-9]+\\.[0-9]+"));
  return QString::fromLatin1(bytes).replace(version, QStringLiteral("\\1<version>")).toLatin1();
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

QString ReferencesFolder() { return QStringLiteral(TALVARON_SESSION_REFERENCES "/references/"); }

// A stored text's name: the first 16 hex digits of its SHA-1, then the base
// name of the first file that wrote it (so that versions of one file sort
// together and a review with rename detection shows their difference).
QString StoredName(const QByteArray& bytes, const QString& relative) {
  const QByteArray hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex().left(16);
  return QString::fromLatin1(hash) + QLatin1Char('-') + QFileInfo(relative).fileName();
}

// The session's list: one line per file, "<relative path>\t<stored name>".
QMap<QString, QString> ReadList(const QString& session) {
  QMap<QString, QString> list;
  QFile f(ReferencesFolder() + session + QStringLiteral(".txt"));
  if (!f.open(QIODevice::ReadOnly)) return list;
  for (const QByteArray& line : f.readAll().split('\n')) {
    const qsizetype tab = line.indexOf('\t');
    if (tab > 0) list.insert(QString::fromUtf8(line.left(tab)), QString::fromUtf8(line.mid(tab + 1)));
  }
  return list;
}

QString Rewrite(const QString& session, const QString& root, const QStringList& actual) {
  const QString store = ReferencesFolder() + QStringLiteral("store/");
  QDir().mkpath(store);
  QByteArray list;
  for (const QString& name : actual) {
    const QByteArray bytes = normalised(readAll(root + QStringLiteral("/") + name), root);
    QString stored = StoredName(bytes, name);
    // The same text is already stored under another file's name.
    const QStringList same = QDir(store).entryList({stored.left(17) + QLatin1Char('*')}, QDir::Files);
    if (!same.isEmpty()) stored = same.first();
    QFile f(store + stored);
    if (!f.exists() && !(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size()))
      return QStringLiteral("cannot write ") + store + stored;
    list += name.toUtf8() + '\t' + stored.toUtf8() + '\n';
  }
  QFile f(ReferencesFolder() + session + QStringLiteral(".txt"));
  if (!f.open(QIODevice::WriteOnly) || f.write(list) != list.size()) return QStringLiteral("cannot write ") + f.fileName();
  f.close();
  // Stored texts that no session lists any more go.
  QSet<QString> listed;
  for (const QString& other : QDir(ReferencesFolder()).entryList({QStringLiteral("*.txt")}, QDir::Files))
    for (const QString& stored : ReadList(QFileInfo(other).completeBaseName())) listed.insert(stored);
  for (const QString& stored : QDir(store).entryList(QDir::Files))
    if (!listed.contains(stored)) QFile::remove(store + stored);
  return {};
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
  // The results folder's and the exchange folder's locks name the process:
  // never the same twice.
  const QStringList actual = FilesUnder(
      root, leftOut + QStringList{QLatin1Char('*') + kResultsFolderLockFile, QLatin1Char('*') + kExchangeLockFile});
  if (qEnvironmentVariable("TALVARON_UPDATE_REFERENCES") == QLatin1String("1")) return Rewrite(session, root, actual);
  QString report;
  const QMap<QString, QString> expected = ReadList(session);
  for (auto it = expected.cbegin(); it != expected.cend(); ++it)
    if (!actual.contains(it.key())) report += QStringLiteral("missing file: ") + it.key() + QStringLiteral("\n");
  for (const QString& name : actual) {
    if (!expected.contains(name)) {
      report += QStringLiteral("new file (not in the references): ") + name + QStringLiteral("\n");
      continue;
    }
    const QByteArray want = readAll(ReferencesFolder() + QStringLiteral("store/") + expected.value(name));
    const QByteArray got = normalised(readAll(root + QStringLiteral("/") + name), root);
    if (want != got) report += firstDifference(name, want, got);
  }
  if (!report.isEmpty())
    report += QStringLiteral("(references in ") + ReferencesFolder() +
              QStringLiteral("; scripts/update-session-references.sh rewrites them)\n");
  return report;
}

}  // namespace sessions
