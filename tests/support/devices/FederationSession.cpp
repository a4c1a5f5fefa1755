#include "support/devices/FederationSession.h"

#include "support/BridgeMatesScorers.h"

#include "core/Fatal.h"
#include "core/Globals.h"
#include "devices/SessionDatabase.h"
#include "support/TestState.h"

namespace testing_support {

FederationSession::FederationSession(const QString& file) : db_("ffb") {
  writeBytes(file, readBytes(BuiltBwsTemplate()));
  db_.open(file);
}

FederationSession::~FederationSession() = default;

void FederationSession::addSection(int tables, int id, int missingPair) {
  db_.exec(R"(INSERT INTO "Section" ("ID", "Letter", "Tables", "MissingPair") VALUES (?, 'A', ?, ?))",
           {id, tables, missingPair});
}

void FederationSession::addRound(int table, int round, int ns, int ew, int low, int high, int section) {
  db_.exec(R"(INSERT INTO "RoundData" ("Section", "Table", "Round", "NSPair", "EWPair", "LowBoard", "HighBoard")
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
  db_.exec(R"(INSERT INTO "PlayerNumbers" ("Section", "Table", "Direction", "Number", "Name") VALUES (?, ?, ?, ?, ?))",
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
  db_.insertHandRecord(section, board, holdings);
}

QList<QVariantMap> FederationSession::rows(const QString& table) const { return db_.rows(table); }

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
