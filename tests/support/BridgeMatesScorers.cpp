#include "support/BridgeMatesScorers.h"

#include <QCoreApplication>

namespace testing_support {

QString BuiltBwsTemplate() { return QCoreApplication::applicationDirPath() + "/BRIDGEMATE.BWS"; }
QString BuiltControlStandIn() { return QCoreApplication::applicationDirPath() + "/standins/BMPro.EXE"; }

BridgeMatesScorers::BridgeMatesScorers(const QString& bwsFile) : db_("scorers") {
  db_.open(bwsFile, "QSQLITE_BUSY_TIMEOUT=100");
}

BridgeMatesScorers::~BridgeMatesScorers() = default;

void BridgeMatesScorers::enterResult(int table, int round, int board, int pairNs, int pairEw, const QString& declarer,
                                     const QString& contract, const QString& result, const QString& lead,
                                     const QString& remarks) {
  db_.exec(R"(INSERT INTO "ReceivedData" ("Section", "Table", "Round", "Board", "PairNS", "PairEW", "NS/EW", "Contract",
          "Result", "LeadCard", "Remarks", "Erased", "Processed") VALUES (1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, 0))",
           {table, round, board, pairNs, pairEw, declarer, contract, result, lead, remarks});
}

void BridgeMatesScorers::eraseResult(int table, int round, int board, int pairNs, int pairEw) {
  db_.exec(R"(INSERT INTO "ReceivedData" ("Section", "Table", "Round", "Board", "PairNS", "PairEW", "Remarks", "Erased",
          "Processed") VALUES (1, ?, ?, ?, ?, ?, '', 1, 0))",
       {table, round, board, pairNs, pairEw});
}

void BridgeMatesScorers::enterPlayerNumber(int table, const QString& direction, const QString& number, const QString& name) {
  db_.exec(R"(INSERT INTO "PlayerNumbers" ("Section", "Table", "Direction", "Number", "Name", "Processed")
          VALUES (1, ?, ?, ?, ?, 0))",
           {table, direction, number, name});
}

void BridgeMatesScorers::logOn(int table) {
  db_.exec(R"(UPDATE "Tables" SET "LogOnOff" = 1 WHERE "Table" = ?)", {table});
}

void BridgeMatesScorers::logOnNewTable(int table) {
  db_.exec(R"(INSERT INTO "Tables" ("Section", "Table", "LogOnOff") VALUES (1, ?, 1))", {table});
}

void BridgeMatesScorers::enterHandRecord(int board, const QStringList& holdings) {
  db_.insertHandRecord(1, board, holdings);
}

void BridgeMatesScorers::moveLastRowToSection(const QString& table, int section) {
  db_.exec("UPDATE \"" + table + "\" SET \"Section\" = ? WHERE rowid = (SELECT MAX(rowid) FROM \"" + table + "\")",
       {section});
}

void BridgeMatesScorers::lock() { db_.exec("BEGIN EXCLUSIVE"); }
void BridgeMatesScorers::unlock() { db_.exec("COMMIT"); }

QList<QVariantMap> BridgeMatesScorers::rows(const QString& table) const { return db_.rows(table); }

QStringList BridgeMatesScorers::columns(const QString& table) const { return db_.columns(table); }

QStringList BridgeMatesScorers::tables() const { return db_.tables(); }

}  // namespace testing_support
