#include "support/FederationSession.h"

#include "support/BridgeMatesScorers.h"

#include "core/Fatal.h"
#include "core/Globals.h"
#include "devices/SessionDatabase.h"
#include "support/TestState.h"

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

FederationSession::FederationSession(const QString& file) : connection_(QString("ffb-%1").arg(++connections)) {
  writeBytes(file, readBytes(BuiltBwsTemplate()));
  QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection_);
  db.setDatabaseName(file);
  if (!db.open()) throw std::runtime_error("cannot open " + file.toStdString());
}

FederationSession::~FederationSession() {
  {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    db.close();
  }
  QSqlDatabase::removeDatabase(connection_);
}

void FederationSession::exec(const QString& sql, const QVariantList& values) const {
  QSqlQuery q(QSqlDatabase::database(connection_, false));
  if (!q.prepare(sql)) throw std::runtime_error((sql + ": " + q.lastError().text()).toStdString());
  for (const QVariant& v : values) q.addBindValue(v);
  if (!q.exec()) throw std::runtime_error((sql + ": " + q.lastError().text()).toStdString());
}

void FederationSession::addSection(int tables, int id, int missingPair) {
  exec(R"(INSERT INTO "Section" ("ID", "Letter", "Tables", "MissingPair") VALUES (?, 'A', ?, ?))", {id, tables, missingPair});
}

void FederationSession::addRound(int table, int round, int ns, int ew, int low, int high, int section) {
  exec(R"(INSERT INTO "RoundData" ("Section", "Table", "Round", "NSPair", "EWPair", "LowBoard", "HighBoard")
          VALUES (?, ?, ?, ?, ?, ?, ?))",
       {section, table, round, ns, ew, low, high});
}

void FederationSession::addMitchell(int tables, int rounds, int boardsPerTable, const Seat& ew, const Seat& set) {
  for (int r = 1; r <= rounds; ++r)
    for (int t = 1; t <= tables; ++t) {
      const int s = set(t, r);
      addRound(t, r, t, ew(t, r), (s - 1) * boardsPerTable + 1, s * boardsPerTable);
    }
}

void FederationSession::addPlayer(int table, const QString& direction, const QString& number, const QString& name,
                                  int section) {
  exec(R"(INSERT INTO "PlayerNumbers" ("Section", "Table", "Direction", "Number", "Name") VALUES (?, ?, ?, ?, ?))",
       {section, table, direction, number, name});
}

void FederationSession::addMitchellPlayers(int tables, bool named) {
  const QStringList seats = {"N", "S", "E", "W"};
  const QStringList names = {"Nord", "Sud", "Est", "Ouest"};
  for (int t = 1; t <= tables; ++t)
    for (int i = 0; i < 4; ++i)
      addPlayer(t, seats[i], QString("%1%2").arg(t).arg(i + 1, 2, 10, QChar('0')), named ? names[i] + QString::number(t) : "");
}

void FederationSession::addHandRecord(int board, const QStringList& holdings, int section) {
  QStringList names = {"\"Section\"", "\"Board\""};
  QVariantList values = {section, board};
  for (qsizetype i = 0; i < kHoldingColumns.size(); ++i) {
    names << '"' + kHoldingColumns[i] + '"';
    values << holdings.value(i);
  }
  exec(R"(INSERT INTO "HandRecord" ()" + names.join(", ") + ") VALUES (" + QStringList(values.size(), "?").join(", ") + ')',
       values);
}

QList<QVariantMap> FederationSession::rows(const QString& table) const {
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

void FederationTest::SetUp() {
  TalvaronTest::SetUp();
  writeBytes(programDir() + "LICENCEFFB.TXT", "1234\r\n");
  writeBytes(programDir() + "FFBFOLDER.TXT", (rootDir() + "FFB").toUtf8());
  DateYear = "2026";
  DateMonth = "12";
  DateDay = "07";
  MovementFolder = programDir() + "Howells/";
  file = rootDir() + "FFB/1234TPP20261207.BWS";
  fresh();
}

void FederationTest::TearDown() {
  ffb.reset();
  CloseSessionDatabase();
  TalvaronTest::TearDown();
}

void FederationTest::fresh() {
  ffb.reset();
  ffb = std::make_unique<FederationSession>(file);
}

void FederationTest::mitchell(int tables, int rounds, int boards, int shift, bool skip) {
  ffb->addSection(tables);
  ffb->addMitchell(
      tables, rounds, boards, [=](int t, int r) { return wrap(t - r + 1 - (skip && r > tables / 2 ? 1 : 0), tables); },
      [=](int t, int r) { return wrap(t + r - 1 + shift, tables); });
}

QString FederationTest::stopped(const std::function<void()>& work) {
  try {
    work();
  } catch (const FatalStopError&) {
    return talk.messages.isEmpty() ? QString("(stopped)") : talk.messages.last();
  }
  return {};
}

}  // namespace testing_support
