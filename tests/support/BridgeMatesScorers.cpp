#include "support/BridgeMatesScorers.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <stdexcept>

namespace testing_support {
namespace {
int connections = 0;
const QStringList kSuitColumns = {"NorthSpades", "NorthHearts", "NorthDiamonds", "NorthClubs",
                                  "SouthSpades", "SouthHearts", "SouthDiamonds", "SouthClubs",
                                  "EastSpades",  "EastHearts",  "EastDiamonds",  "EastClubs",
                                  "WestSpades",  "WestHearts",  "WestDiamonds",  "WestClubs"};
}  // namespace

QString BuiltBwsTemplate() { return QCoreApplication::applicationDirPath() + "/BRIDGEMATE.BWS"; }
QString BuiltControlStandIn() { return QCoreApplication::applicationDirPath() + "/standins/BMPro.EXE"; }

BridgeMatesScorers::BridgeMatesScorers(const QString& bwsFile) : connection_(QString("scorers-%1").arg(++connections)) {
  QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection_);
  db.setDatabaseName(bwsFile);
  db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=100");
  if (!db.open()) throw std::runtime_error("scorers cannot open " + bwsFile.toStdString());
}

BridgeMatesScorers::~BridgeMatesScorers() {
  {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    db.close();
  }
  QSqlDatabase::removeDatabase(connection_);
}

void BridgeMatesScorers::exec(const QString& sql, const QVariantList& values) const {
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  if (!q.prepare(sql)) throw std::runtime_error((sql + ": " + q.lastError().text()).toStdString());
  for (const QVariant& v : values) q.addBindValue(v);
  if (!q.exec()) throw std::runtime_error((sql + ": " + q.lastError().text()).toStdString());
}

void BridgeMatesScorers::enterResult(int table, int round, int board, int pairNs, int pairEw, const QString& declarer,
                                     const QString& contract, const QString& result, const QString& lead,
                                     const QString& remarks) {
  exec(R"(INSERT INTO "ReceivedData" ("Section", "Table", "Round", "Board", "PairNS", "PairEW", "NS/EW", "Contract",
          "Result", "LeadCard", "Remarks", "Erased", "Processed") VALUES (1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, 0))",
       {table, round, board, pairNs, pairEw, declarer, contract, result, lead, remarks});
}

void BridgeMatesScorers::eraseResult(int table, int round, int board, int pairNs, int pairEw) {
  exec(R"(INSERT INTO "ReceivedData" ("Section", "Table", "Round", "Board", "PairNS", "PairEW", "Remarks", "Erased",
          "Processed") VALUES (1, ?, ?, ?, ?, ?, '', 1, 0))",
       {table, round, board, pairNs, pairEw});
}

void BridgeMatesScorers::enterPlayerNumber(int table, const QString& direction, const QString& number, const QString& name) {
  exec(R"(INSERT INTO "PlayerNumbers" ("Section", "Table", "Direction", "Number", "Name", "Processed")
          VALUES (1, ?, ?, ?, ?, 0))",
       {table, direction, number, name});
}

void BridgeMatesScorers::logOn(int table) {
  exec(R"(UPDATE "Tables" SET "LogOnOff" = 1 WHERE "Table" = ?)", {table});
}

void BridgeMatesScorers::logOnNewTable(int table) {
  exec(R"(INSERT INTO "Tables" ("Section", "Table", "LogOnOff") VALUES (1, ?, 1))", {table});
}

void BridgeMatesScorers::enterHandRecord(int board, const QStringList& holdings) {
  QStringList names = {"\"Section\"", "\"Board\""};
  QVariantList values = {1, board};
  for (qsizetype i = 0; i < kSuitColumns.size(); ++i) {
    names << '"' + kSuitColumns[i] + '"';
    values << holdings.value(i);
  }
  exec(R"(INSERT INTO "HandRecord" ()" + names.join(", ") + ") VALUES (" + QStringList(values.size(), "?").join(", ") + ')',
       values);
}

void BridgeMatesScorers::moveLastRowToSection(const QString& table, int section) {
  exec("UPDATE \"" + table + "\" SET \"Section\" = ? WHERE rowid = (SELECT MAX(rowid) FROM \"" + table + "\")",
       {section});
}

void BridgeMatesScorers::lock() { exec("BEGIN EXCLUSIVE"); }
void BridgeMatesScorers::unlock() { exec("COMMIT"); }

QList<QVariantMap> BridgeMatesScorers::rows(const QString& table) const {
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  if (!q.exec("SELECT * FROM \"" + table + "\" ORDER BY rowid"))
    throw std::runtime_error((table + ": " + q.lastError().text()).toStdString());
  QList<QVariantMap> out;
  while (q.next()) {
    QVariantMap row;
    for (int c = 0; c < q.record().count(); ++c) row.insert(q.record().fieldName(c), q.value(c));
    out << row;
  }
  return out;
}

QStringList BridgeMatesScorers::columns(const QString& table) const {
  const QSqlRecord r = QSqlDatabase::database(connection_, false).record(table);
  QStringList out;
  for (int c = 0; c < r.count(); ++c) out << r.fieldName(c);
  return out;
}

QStringList BridgeMatesScorers::tables() const { return QSqlDatabase::database(connection_, false).tables(); }

}  // namespace testing_support
