#pragma once
// Plays FFBClubNet in the tests: builds the session database it leaves for a
// club (a copy of the built template, then its sections, movement rows,
// players and hand records), and reads any table back.
#include "core/ScriptedInteraction.h"
#include "support/TestDatabase.h"
#include "support/TestState.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>
#include <memory>

namespace testing_support {

class FederationSession {
 public:
  // The database file, created from the template (its folder too).
  explicit FederationSession(const QString& file);
  ~FederationSession();
  FederationSession(const FederationSession&) = delete;
  FederationSession& operator=(const FederationSession&) = delete;

  void addSection(int tables, int id = 1, int missingPair = 0);
  void addRound(int table, int round, int ns, int ew, int low, int high, int section = 1);
  // A Mitchell as FFBClubNet stores it, round by round, each round table by
  // table: N/S pair t, E/W pair ew(t, r), the boards of set(t, r).
  using Seat = std::function<int(int table, int round)>;
  void addMitchell(int tables, int rounds, int boardsPerTable, const Seat& ew, const Seat& set);
  void addPlayer(int table, const QString& direction, const QString& number, const QString& name, int section = 1);
  // N, S, E, W of tables 1..tables, licences "t01".., named "Nord1" ... when
  // named, else with empty names.
  void addMitchellPlayers(int tables, bool named);
  // The sixteen holdings: North, South, East, West, each spades to clubs.
  void addHandRecord(int board, const QStringList& holdings, int section = 1);

  QList<QVariantMap> rows(const QString& table) const;

 private:
  TestDatabase db_;
};

// x brought into 1..n, as a movement turns around its tables.
inline int wrap(int x, int n) { return ((x - 1) % n + n) % n + 1; }

// Club 1234, whose FFBClubNet folder is rootDir()/FFB and whose session of
// today (2026-12-07) each test builds in ffb; the movement folder is the
// program folder's "Howells/".
class FederationTest : public TalvaronTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A new database in place of the test's (the old connection closed first).
  void fresh();
  // A Mitchell: E/W pairs move up one table each round (skipping one after
  // half-time with skip), board sets down one, shifted by shift.
  void mitchell(int tables, int rounds, int boards, int shift = 0, bool skip = false);
  // The last message when work stops the program; "" when it does not stop.
  QString stopped(const std::function<void()>& work);

  ui::ScriptedInteraction talk;
  QString file;
  std::unique_ptr<FederationSession> ffb;
};

}  // namespace testing_support
