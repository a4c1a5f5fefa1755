#include "support/TestDatabase.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <stdexcept>

namespace testing_support {
namespace {
int connections = 0;
const QStringList kHoldingColumns = {"NorthSpades", "NorthHearts", "NorthDiamonds", "NorthClubs",
                                     "SouthSpades", "SouthHearts", "SouthDiamonds", "SouthClubs",
                                     "EastSpades",  "EastHearts",  "EastDiamonds",  "EastClubs",
                                     "WestSpades",  "WestHearts",  "WestDiamonds",  "WestClubs"};
}  // namespace

TestDatabase::TestDatabase(const QString& prefix) : connection_(QString("%1-%2").arg(prefix).arg(++connections)) {}

TestDatabase::~TestDatabase() {
  if (!QSqlDatabase::contains(connection_)) return;
  {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    db.close();
  }
  QSqlDatabase::removeDatabase(connection_);
}

void TestDatabase::open(const QString& file, const QString& options) {
  QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection_);
  db.setDatabaseName(file);
  if (!options.isEmpty()) db.setConnectOptions(options);
  if (!db.open()) throw std::runtime_error("cannot open " + file.toStdString());
}

void TestDatabase::exec(const QString& sql, const QVariantList& values) const {
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  if (!q.prepare(sql)) throw std::runtime_error((sql + ": " + q.lastError().text()).toStdString());
  for (const QVariant& v : values) q.addBindValue(v);
  if (!q.exec()) throw std::runtime_error((sql + ": " + q.lastError().text()).toStdString());
}

QList<QVariantMap> TestDatabase::rows(const QString& table) const {
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  if (!q.exec("SELECT * FROM \"" + table + "\" ORDER BY rowid"))
    throw std::runtime_error((table + ": " + q.lastError().text()).toStdString());
  QList<QVariantMap> out;
  while (q.next()) {
    QVariantMap row;
    const QSqlRecord record = q.record();
    for (int c = 0; c < record.count(); ++c) row.insert(record.fieldName(c), q.value(c));
    out << row;
  }
  return out;
}

QStringList TestDatabase::columns(const QString& table) const {
  const QSqlRecord r = QSqlDatabase::database(connection_, false).record(table);
  QStringList out;
  for (int c = 0; c < r.count(); ++c) out << r.fieldName(c);
  return out;
}

QStringList TestDatabase::tables() const { return QSqlDatabase::database(connection_, false).tables(); }

void TestDatabase::insertHandRecord(int section, int board, const QStringList& holdings) const {
  QStringList names = {"\"Section\"", "\"Board\""};
  QVariantList values = {section, board};
  for (qsizetype i = 0; i < kHoldingColumns.size(); ++i) {
    names << '"' + kHoldingColumns[i] + '"';
    values << holdings.value(i);
  }
  exec(R"(INSERT INTO "HandRecord" ()" + names.join(", ") + ") VALUES (" + QStringList(values.size(), "?").join(", ") + ')',
       values);
}

}  // namespace testing_support
