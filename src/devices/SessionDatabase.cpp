#include "devices/SessionDatabase.h"

#include "core/Messages.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSet>

#include <cerrno>

namespace {

const QString kConnection = QStringLiteral("talvaron-session");
constexpr int kLockedPollsBeforeAlert = 10;

QString openFile;
int lockedPolls = 0;
bool lockAlertShown = false;

bool isBusy(const QSqlError& error) {
  // SQLITE_BUSY (5) and SQLITE_LOCKED (6), with their extended codes.
  bool ok = false;
  const int code = error.nativeErrorCode().toInt(&ok);
  if (ok && ((code & 0xFF) == 5 || (code & 0xFF) == 6)) return true;
  return error.text().contains(QLatin1String("locked"), Qt::CaseInsensitive);
}

[[noreturn]] void fail(const QSqlError& error, const QString& what) {
  const bool busy = isBusy(error);
  bool ok = false;
  int code = error.nativeErrorCode().toInt(&ok);
  if (!ok) code = EIO;
  throw SessionDatabaseError(code, openFile,
                             QStringLiteral("Erreur de la base de données BridgeMates (") + what +
                                 QStringLiteral(") : ") + error.text(),
                             busy);
}

QSqlDatabase connection() {
  QSqlDatabase db = QSqlDatabase::database(kConnection, false);
  if (!db.isValid() || !db.isOpen())
    throw SessionDatabaseError(EBADF, openFile, QStringLiteral("La base de données BridgeMates n'est pas ouverte."));
  return db;
}

QSqlQuery run(const QString& sql, const QList<QVariant>& values = {}) {
  QSqlQuery query(connection());
  if (!query.prepare(sql)) fail(query.lastError(), sql);
  for (const QVariant& v : values) query.addBindValue(v);
  if (!query.exec()) fail(query.lastError(), sql);
  return query;
}

QString bareName(QString name) {
  name = name.trimmed();
  if (name.startsWith('[') && name.endsWith(']')) name = name.mid(1, name.size() - 2);
  return name;
}

// The tables and columns each use reads, filters on and marks. Without one
// of them a poll would find nothing and say nothing: SQLite takes a quoted
// name that is no column for a text.
struct NeededTable {
  const char* table;
  QList<const char*> columns;
};
const QList<NeededTable> kScorersTables = {
    {"ReceivedData",
     {"Section", "Table", "Round", "Board", "PairNS", "PairEW", "NS/EW", "Contract", "Result", "LeadCard", "Remarks",
      "Erased", "Processed"}},
    {"Tables", {"Section", "Table", "LogOnOff"}},
    {"PlayerNumbers", {"Section", "Table", "Direction", "Number", "Name", "Processed"}},
};
const QList<NeededTable> kFederationImportTables = {
    {"Section", {"ID", "Tables", "MissingPair"}},
    {"RoundData", {"Round", "NSpair", "EWpair", "Section", "LowBoard", "HighBoard"}},
    {"PlayerNumbers", {"Section", "Table", "Direction", "Number", "Name"}},
    {"HandRecord", {"Section", "Board"}},
};
const QList<NeededTable> kFederationSaveTables = {
    {"PlayerNumbers", {"Section", "Table", "Direction", "Number", "Name", "Processed"}},
    {"ReceivedData",
     {"Section", "Table", "Round", "Board", "PairNS", "PairEW", "NS/EW", "Contract", "Result", "Remarks"}},
};

const QList<NeededTable>& neededTables(SessionUse use) {
  switch (use) {
    case SessionUse::FederationImport: return kFederationImportTables;
    case SessionUse::FederationSave: return kFederationSaveTables;
    case SessionUse::Scorers: break;
  }
  return kScorersTables;
}

// "" when the open database holds every table and column the use needs,
// else what is missing, in French.
QString missingStructure(SessionUse use) {
  for (const NeededTable& needed : neededTables(use)) {
    const QString table = QLatin1String(needed.table);
    QSqlQuery query = run(QStringLiteral("PRAGMA table_info(") + QuotedName(table) + u')');
    QSet<QString> columns;
    while (query.next()) columns.insert(query.value(1).toString().toLower());
    if (columns.isEmpty()) return QStringLiteral("la table \"") + table + QStringLiteral("\" manque");
    for (const char* column : needed.columns)
      if (!columns.contains(QString::fromLatin1(column).toLower()))
        return QStringLiteral("la table \"") + table + QStringLiteral("\" n'a pas de colonne \"") +
               QLatin1String(column) + u'"';
  }
  return {};
}

}  // namespace

QString QuotedName(const QString& name) {
  QString q = name;
  q.replace('"', QStringLiteral("\"\""));
  return '"' + q + '"';
}

void OpenSessionDatabase(const QString& fileName, SessionUse use) {
  CloseSessionDatabase();
  openFile = fileName;
  const QString path = platform::resolvePath(fileName);
  if (!platform::fileExists(path))
    throw SessionDatabaseError(ENOENT, fileName,
                               QStringLiteral("Désolé, la base de données ") + fileName +
                                   QStringLiteral(" n'existe pas!"));
  QSqlDatabase db = QSqlDatabase::contains(kConnection) ? QSqlDatabase::database(kConnection, false)
                                                        : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
  db.setDatabaseName(path);
  // A short wait for the control program's own writes; beyond it the
  // database counts as locked.
  db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=200"));
  if (!db.open()) fail(db.lastError(), QStringLiteral("ouverture"));
  openFile = path;
  const QString missing = missingStructure(use);
  if (!missing.isEmpty()) {
    CloseSessionDatabase();
    throw SessionDatabaseError(EINVAL, path,
                               QStringLiteral("La base de données BridgeMates ") + path +
                                   QStringLiteral(" ne peut pas servir: ") + missing +
                                   QStringLiteral(". Les résultats des tables n'y seraient pas relevés. Reprenez la "
                                                  "base de données créée pour ce tournoi."));
  }
}

void CloseSessionDatabase() {
  BwsTable().close();
  if (!QSqlDatabase::contains(kConnection)) return;
  {
    QSqlDatabase db = QSqlDatabase::database(kConnection, false);
    if (db.isOpen()) db.close();
  }
}

bool SessionDatabaseIsOpen() {
  return QSqlDatabase::contains(kConnection) && QSqlDatabase::database(kConnection, false).isOpen();
}

QString SessionDatabaseFile() { return openFile; }

void ExecuteSessionCommand(const QString& sql) { run(sql); }

SessionTransaction::SessionTransaction() {
  QSqlDatabase db = connection();
  if (!db.transaction()) fail(db.lastError(), QStringLiteral("transaction"));
  active_ = true;
}

SessionTransaction::~SessionTransaction() {
  if (active_ && SessionDatabaseIsOpen()) QSqlDatabase::database(kConnection, false).rollback();
}

void SessionTransaction::commit() {
  QSqlDatabase db = connection();
  active_ = false;
  if (!db.commit()) {
    const QSqlError error = db.lastError();
    db.rollback();
    fail(error, QStringLiteral("validation"));
  }
}

// --- The table object ---------------------------------------------------------

void SessionTable::select(const QString& name) {
  close();
  name_ = bareName(name);
}

void SessionTable::open() { load(QString(), -1); }

void SessionTable::openWhere(const QString& column, bool yes, qsizetype limit) {
  load(QStringLiteral(" WHERE COALESCE(") + QuotedName(column) +
           (yes ? QStringLiteral(", 0) NOT IN (0, '')") : QStringLiteral(", 0) IN (0, '')")),
       limit);
}

qint64 SessionTable::countRows() const {
  QSqlQuery query = run(QStringLiteral("SELECT COUNT(*) FROM ") + QuotedName(name_));
  return query.next() ? query.value(0).toLongLong() : 0;
}

void SessionTable::load(const QString& condition, qsizetype limit) {
  close();
  QString sql = QStringLiteral("SELECT rowid, * FROM ") + QuotedName(name_) + condition + QStringLiteral(" ORDER BY rowid");
  if (limit >= 0) sql += QStringLiteral(" LIMIT %1").arg(limit);
  QSqlQuery query = run(sql);
  const QSqlRecord record = query.record();
  for (int c = 1; c < record.count(); ++c) {
    columns_ << record.fieldName(c);
    index_.insert(record.fieldName(c).toLower(), c - 1);
  }
  while (query.next()) {
    rowIds_ << query.value(0).toLongLong();
    QList<QVariant> row;
    row.reserve(columns_.size());
    for (int c = 1; c < record.count(); ++c) row << query.value(c);
    rows_ << row;
  }
  open_ = true;
  current_ = 0;
}

void SessionTable::close() {
  open_ = false;
  columns_.clear();
  index_.clear();
  rowIds_.clear();
  rows_.clear();
  pending_.clear();
  changed_.clear();
  current_ = 0;
  mode_ = Mode::Browse;
}

void SessionTable::requireOpen() const {
  if (!open_)
    throw SessionDatabaseError(EBADF, openFile, QStringLiteral("La table ") + name_ + QStringLiteral(" n'est pas ouverte."));
}

void SessionTable::requireRow() const {
  requireOpen();
  if (mode_ != Mode::Insert && eof())
    throw SessionDatabaseError(EIO, openFile, QStringLiteral("Pas de ligne courante dans la table ") + name_ + '.');
}

void SessionTable::first() {
  requireOpen();
  mode_ = Mode::Browse;
  current_ = 0;
}

void SessionTable::next() {
  requireOpen();
  mode_ = Mode::Browse;
  if (current_ < rows_.size()) ++current_;
}

bool SessionTable::eof() const { return !open_ || current_ >= rows_.size(); }

int SessionTable::columnIndex(const QString& column) const {
  requireOpen();
  const auto it = index_.constFind(column.toLower());
  if (it == index_.constEnd())
    throw SessionDatabaseError(EIO, openFile,
                               QStringLiteral("La colonne ") + column + QStringLiteral(" n'existe pas dans la table ") +
                                   name_ + '.');
  return *it;
}

void SessionTable::append() {
  requireOpen();
  mode_ = Mode::Insert;
  pending_ = QList<QVariant>(columns_.size());
  changed_ = QList<bool>(columns_.size(), false);
}

void SessionTable::edit() {
  requireRow();
  mode_ = Mode::Edit;
  pending_ = rows_[current_];
  changed_ = QList<bool>(columns_.size(), false);
}

void SessionTable::post() {
  requireOpen();
  QStringList names;
  QList<QVariant> values;
  for (qsizetype c = 0; c < columns_.size(); ++c)
    if (changed_.value(c)) {
      names << QuotedName(columns_[c]);
      values << pending_[c];
    }
  if (mode_ == Mode::Insert) {
    QString sql = QStringLiteral("INSERT INTO ") + QuotedName(name_);
    if (names.isEmpty()) {
      sql += QStringLiteral(" DEFAULT VALUES");
    } else {
      sql += QStringLiteral(" (") + names.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
             QStringList(names.size(), QStringLiteral("?")).join(QStringLiteral(", ")) + ')';
    }
    const QSqlQuery query = run(sql, values);
    // The stored row (with the defaults of the columns not written) becomes current.
    const qint64 id = query.lastInsertId().toLongLong();
    QSqlQuery back = run(QStringLiteral("SELECT * FROM ") + QuotedName(name_) + QStringLiteral(" WHERE rowid = ?"), {id});
    QList<QVariant> row = pending_;
    if (back.next())
      for (qsizetype c = 0; c < columns_.size(); ++c) row[c] = back.value(static_cast<int>(c));
    rowIds_ << id;
    rows_ << row;
    current_ = rows_.size() - 1;
  } else if (mode_ == Mode::Edit && !names.isEmpty()) {
    QStringList sets;
    for (const QString& n : names) sets << n + QStringLiteral(" = ?");
    values << rowIds_[current_];
    run(QStringLiteral("UPDATE ") + QuotedName(name_) + QStringLiteral(" SET ") + sets.join(QStringLiteral(", ")) +
            QStringLiteral(" WHERE rowid = ?"),
        values);
    rows_[current_] = pending_;
  }
  mode_ = Mode::Browse;
  pending_.clear();
  changed_.clear();
}

void SessionTable::remove() {
  requireRow();
  run(QStringLiteral("DELETE FROM ") + QuotedName(name_) + QStringLiteral(" WHERE rowid = ?"), {rowIds_[current_]});
  rowIds_.removeAt(current_);
  rows_.removeAt(current_);
  mode_ = Mode::Browse;
}

qint64 SessionTable::rowId() const {
  requireRow();
  return rowIds_[current_];
}

QList<QVariant> SessionTable::rowValues() const {
  requireRow();
  return rows_[current_];
}

QVariant SessionTable::value(const QString& column) const {
  const int c = columnIndex(column);
  if (mode_ != Mode::Browse) return pending_[c];
  requireRow();
  return rows_[current_][c];
}

QString SessionTable::text(const QString& column) const {
  const QVariant v = value(column);
  return v.isNull() ? QString() : v.toString();
}

bool SessionTable::yes(const QString& column) const {
  const QVariant v = value(column);
  if (v.isNull()) return false;
  bool ok = false;
  const double d = v.toString().trimmed().toDouble(&ok);
  if (ok) return d != 0;
  const QString t = v.toString().trimmed().toLower();
  return t == QLatin1String("true") || t == QLatin1String("yes") || t == QLatin1String("oui");
}

int SessionTable::integer(const QString& column) const {
  const QVariant v = value(column);
  bool ok = false;
  const int n = v.toString().trimmed().toInt(&ok);
  return ok ? n : 0;
}

std::optional<int> SessionTable::wholeNumber(const QString& column) const {
  const QVariant v = value(column);
  if (v.isNull()) return std::nullopt;
  bool ok = false;
  const int n = v.toString().trimmed().toInt(&ok);
  if (!ok) return std::nullopt;
  return n;
}

void SessionTable::setValue(const QString& column, const QVariant& value) {
  const int c = columnIndex(column);
  if (mode_ == Mode::Browse)
    throw SessionDatabaseError(EIO, openFile,
                               QStringLiteral("La table ") + name_ + QStringLiteral(" n'est ni en ajout ni en modification."));
  pending_[c] = value;
  changed_[c] = true;
}

void SessionTable::setDateTime(const QString& column, const QDateTime& value) {
  setValue(column, value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

SessionTable& BwsTable() {
  static SessionTable table;
  return table;
}

// --- Polls --------------------------------------------------------------------

bool RunSessionPoll(const std::function<void()>& exchange) {
  try {
    exchange();
  } catch (const SessionDatabaseError& error) {
    if (!error.busy()) throw;
    CloseSessionDatabase();
    ++lockedPolls;
    if (lockedPolls >= kLockedPollsBeforeAlert && !lockAlertShown) {
      lockAlertShown = true;
      ShowAlert(QStringLiteral("La base de données des BridgeMates ") + error.fileName() +
                QStringLiteral(" reste verrouillée par un autre programme: les résultats des tables ne sont plus "
                               "relevés. Vérifiez BMPro..."));
    }
    return false;
  }
  lockedPolls = 0;
  lockAlertShown = false;
  return true;
}

int LockedPollsInARow() { return lockedPolls; }

void ResetLockedPolls() {
  lockedPolls = 0;
  lockAlertShown = false;
}
