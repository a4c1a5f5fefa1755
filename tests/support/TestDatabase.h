#pragma once
// A connection of its own to a session database, for the helpers that play
// the other side in the tests (the scorers, the federation's program): it
// runs statements with bound values and reads tables back, throwing on any
// database error.
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace testing_support {

class TestDatabase {
 public:
  // A connection named after `prefix`, not yet open.
  explicit TestDatabase(const QString& prefix);
  ~TestDatabase();
  TestDatabase(const TestDatabase&) = delete;
  TestDatabase& operator=(const TestDatabase&) = delete;

  // Opens the file (SQLite connect options as Qt takes them); throws when it
  // cannot.
  void open(const QString& file, const QString& options = {});

  void exec(const QString& sql, const QVariantList& values = {}) const;
  // The rows of a table, in stored order, by column name.
  QList<QVariantMap> rows(const QString& table) const;
  QStringList columns(const QString& table) const;
  QStringList tables() const;
  // A row of HandRecord: the sixteen holdings, North, South, East, West,
  // each spades to clubs.
  void insertHandRecord(int section, int board, const QStringList& holdings) const;

 private:
  QString connection_;
};

}  // namespace testing_support
