#pragma once
// Plays the BridgeMates' side of a session database in the tests: what the
// control program writes as the tables enter data (results, player numbers,
// log-ons, hand records), through a connection of its own. It can also hold
// the database locked, as the control program does while it writes, and
// read any table back.
#include "support/TestDatabase.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace testing_support {

// The template built beside the test executables.
QString BuiltBwsTemplate();
// The stand-in control program built beside the test executables.
QString BuiltControlStandIn();

class BridgeMatesScorers {
 public:
  explicit BridgeMatesScorers(const QString& bwsFile);
  ~BridgeMatesScorers();
  BridgeMatesScorers(const BridgeMatesScorers&) = delete;
  BridgeMatesScorers& operator=(const BridgeMatesScorers&) = delete;

  // One row of ReceivedData as a scorer enters it (not processed).
  void enterResult(int table, int round, int board, int pairNs, int pairEw, const QString& declarer,
                   const QString& contract, const QString& result, const QString& lead = {}, const QString& remarks = {});
  // A result erased at a table (Erased yes, not processed).
  void eraseResult(int table, int round, int board, int pairNs, int pairEw);
  // A player's number keyed at a table (name looked up by the control program).
  void enterPlayerNumber(int table, const QString& direction, const QString& number, const QString& name);
  // A scorer logging on at a table (LogOnOff := 1).
  void logOn(int table);
  // A row of Tables the control program adds for a table, logged on.
  void logOnNewTable(int table);
  // A deal entered at a table: the sixteen holdings, North, South, East,
  // West, each spades to clubs.
  void enterHandRecord(int board, const QStringList& holdings);

  // The last row of a table moved to another section (a second section's row).
  void moveLastRowToSection(const QString& table, int section);

  // Holds the database locked against every other connection until unlock().
  void lock();
  void unlock();

  // The rows of a table, in stored order, by column name.
  QList<QVariantMap> rows(const QString& table) const;
  // The columns of a table, as stored.
  QStringList columns(const QString& table) const;
  QStringList tables() const;

 private:
  TestDatabase db_;
};

}  // namespace testing_support
