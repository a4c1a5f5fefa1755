// Build tool: makes the empty session database from its schema file.
// Usage: make_bws_template <schema.sql> <output.BWS>
// The statements of the schema are separated by ";" at the end of a line;
// lines beginning with "--" are comments. The output is written whole or not
// at all.
#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 3) {
    std::fprintf(stderr, "usage: make_bws_template <schema.sql> <output.BWS>\n");
    return 2;
  }
  QFile schema(args[1]);
  if (!schema.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "cannot read %s\n", qPrintable(args[1]));
    return 1;
  }
  QStringList statements;
  QString current;
  for (const QString& raw : QString::fromUtf8(schema.readAll()).split('\n')) {
    const QString line = raw.trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1String("--"))) continue;
    current += line + ' ';
    if (line.endsWith(';')) {
      statements << current.trimmed();
      current.clear();
    }
  }
  const QString temp = args[2] + QStringLiteral(".tmp");
  QFile::remove(temp);
  bool ok = true;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("template"));
    db.setDatabaseName(temp);
    if (!db.open()) {
      std::fprintf(stderr, "cannot create %s: %s\n", qPrintable(temp), qPrintable(db.lastError().text()));
      return 1;
    }
    QSqlQuery query(db);
    for (const QString& s : statements)
      if (!query.exec(s)) {
        std::fprintf(stderr, "%s\n%s\n", qPrintable(s), qPrintable(query.lastError().text()));
        ok = false;
        break;
      }
    db.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("template"));
  if (!ok) {
    QFile::remove(temp);
    return 1;
  }
  QFile::remove(args[2]);
  if (!QFile::rename(temp, args[2])) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(args[2]));
    return 1;
  }
  return 0;
}
