#pragma once
// The BridgeMates session database (".BWS"): an SQLite file shared with the
// scorers' control program. One connection and one table object serve every
// exchange; the file is open only during an exchange. Identifiers are always
// quoted, rows come in the order they were stored, column names are matched
// without regard to case, yes/no values are stored as 0 and 1.
#include "platform/TextFiles.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>

// Every failure of the database (missing file, missing table or column,
// engine error). busy() tells a database locked by another program.
class SessionDatabaseError : public platform::IoError {
 public:
  SessionDatabaseError(int code, const QString& fileName, const QString& message, bool busy = false)
      : platform::IoError(code, fileName, message), busy_(busy) {}
  bool busy() const { return busy_; }

 private:
  bool busy_;
};

// What a database is opened for; each use checks the tables and columns it
// reads or writes: the scorers' polls and corrections (ReceivedData, Tables,
// PlayerNumbers with its marks), the federation's import (Section,
// RoundData, PlayerNumbers, HandRecord) and the save back to it (players
// and results).
enum class SessionUse { Scorers, FederationImport, FederationSave };

// Closes the connection when it is open, then opens the file. A missing file
// is an error (never an empty new database), and so is a database without
// one of the tables or columns the use needs: the message names what is
// missing.
void OpenSessionDatabase(const QString& fileName, SessionUse use = SessionUse::Scorers);
// Closes the table object and the connection (nothing when closed).
void CloseSessionDatabase();
bool SessionDatabaseIsOpen();
// The file of the open connection.
QString SessionDatabaseFile();
// Executes a command on the connection ("ALTER TABLE"); errors throw.
void ExecuteSessionCommand(const QString& sql);

// An identifier in double quotes, quotes inside doubled.
QString QuotedName(const QString& name);

// One transaction on the open connection: committed by commit(), rolled back
// when left without it. The writers of many rows run in one.
class SessionTransaction {
 public:
  SessionTransaction();
  ~SessionTransaction();
  SessionTransaction(const SessionTransaction&) = delete;
  SessionTransaction& operator=(const SessionTransaction&) = delete;
  void commit();

 private:
  bool active_ = false;
};

// The table object. open() takes a snapshot of the rows in their stored
// order: rows the control program adds meanwhile are seen at the next open.
class SessionTable {
 public:
  // The table by name ("[ReceivedData]" and "ReceivedData" alike).
  void select(const QString& name);
  void open();
  // The same with only the rows whose yes/no column holds yes (or, with
  // yes false, no or nothing): the readers of every poll read only the rows
  // they have to take. A limit of 0 or more keeps only that many first rows.
  void openWhere(const QString& column, bool yes, qsizetype limit = -1);
  // How many rows the selected table holds (it need not be open).
  qint64 countRows() const;
  void close();
  bool isOpen() const { return open_; }

  void first();
  void next();
  bool eof() const;

  // A new row, written by post(); it becomes the current row.
  void append();
  // Changes to the current row, written by post().
  void edit();
  void post();
  // Deletes the current row; the next one becomes current.
  void remove();

  QVariant value(const QString& column) const;
  QString text(const QString& column) const;
  bool yes(const QString& column) const;  // any non-zero value is yes
  int integer(const QString& column) const;
  // The value as a whole number; nothing when it is NULL, empty or not a
  // whole number that fits an int.
  std::optional<int> wholeNumber(const QString& column) const;
  // The current row's identity in the database (stable while it exists).
  qint64 rowId() const;
  // Every value of the current row, in the order of columns().
  QList<QVariant> rowValues() const;

  void setValue(const QString& column, const QVariant& value);
  void setInteger(const QString& column, int value) { setValue(column, value); }
  // An empty text is stored as an empty text, never as NULL.
  void setText(const QString& column, const QString& value) {
    setValue(column, value.isNull() ? QStringLiteral("") : value);
  }
  void setYesNo(const QString& column, bool value) { setValue(column, value ? 1 : 0); }
  void setDateTime(const QString& column, const QDateTime& value);

  // The columns of the open table, as the database spells them.
  QStringList columns() const { return columns_; }

 private:
  enum class Mode { Browse, Edit, Insert };
  void load(const QString& condition, qsizetype limit);
  int columnIndex(const QString& column) const;  // throws when missing
  void requireOpen() const;
  void requireRow() const;

  QString name_;
  bool open_ = false;
  QStringList columns_;
  QHash<QString, int> index_;  // lower-case name -> column
  QList<qint64> rowIds_;
  QList<QList<QVariant>> rows_;
  qsizetype current_ = 0;
  Mode mode_ = Mode::Browse;
  QList<QVariant> pending_;
  QList<bool> changed_;
};

// The one table object of the program.
SessionTable& BwsTable();

// One poll's exchange with the database. A database locked by another program
// skips the turn silently (false; the connection is closed); after about ten
// locked turns in a row the director is told once. Other errors pass on.
bool RunSessionPoll(const std::function<void()>& exchange);
// How many polls in a row have met a locked database.
int LockedPollsInARow();
void ResetLockedPolls();
