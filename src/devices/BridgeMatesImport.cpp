#include "devices/BridgeMatesImport.h"

#include "core/DeviceFiles.h"
#include "core/DeviceNumbers.h"
#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/ResultNews.h"
#include "core/TournamentFiles.h"
#include "devices/SessionDatabase.h"
#include "devices/TableStates.h"
#include "devices/TabletLines.h"
#include "scoring/Adjustments.h"
#include "scoring/Contract.h"
#include "scoring/Frequencies.h"
#include "scoring/Ranking.h"
#include "scoring/ResultFiles.h"
#include "scoring/ResultStore.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>

namespace {

const QString kTag = QStringLiteral("Morvel");

// One row of ReceivedData, taken.
struct Row {
  qint64 id = 0;
  int section = 0;
  bool ours = false;  // the program's own correction, passed over
  int table = 0;
  int round = 0;
  int board = 0;
  int ns = 0;
  int ew = 0;
  bool erased = false;
  QString remarks;
  QString lead;
  QString contract;
  QString result;
  QString declarer;
};

// What a row asks of its slot, or why it is refused.
struct Outcome {
  QString error;  // the message, "" when accepted
  SlotResult result = MakeResult(QString(), kScoreNone, QString(), QString(), ResultSource::BridgeMates);
  bool split = false;  // its percentages are the table's split
};

// A result without a contract played: its word and score.
Outcome wordOutcome(const QString& contract, int score, const QString& unknown) {
  Outcome o;
  o.result.contract = contract;
  o.result.score = score;
  o.result.lead = o.result.declarer = unknown;
  return o;
}

QString compact(QString text) {
  text.remove(u' ');
  return text;
}

// "4 NT xx", "+1", "W" as "4SXXO+1" and its score on the board.
Outcome convertContract(const Row& row) {
  Outcome o;
  const QString contract = row.contract;
  const QString bad = QStringLiteral("Contrat incorrect (") + compact(contract) + QStringLiteral(")");
  const QString text = compact(contract).toUpper();
  if (text.isEmpty() || text[0] < u'1' || text[0] > u'7') {
    o.error = QStringLiteral("Gros BUG! Nombre  incorrect (") + contract + QStringLiteral(") pour");
    return o;
  }
  QString built(text[0]);
  QString rest = text.mid(1);
  if (rest.startsWith(QLatin1String("NT"))) {
    built += u'S';
    rest = rest.mid(2);
  } else if (!rest.isEmpty() && QStringLiteral("CDHSN").contains(rest[0])) {
    static const QString from = QStringLiteral("CDHSN");
    static const QString to = QStringLiteral("TKCPS");
    built += to[from.indexOf(rest[0])];
    rest = rest.mid(1);
  } else {
    o.error = bad;
    return o;
  }
  if (!rest.isEmpty() && rest != QLatin1String("X") && rest != QLatin1String("XX")) {
    o.error = QStringLiteral("Gros BUG! CONTRE incorrect pour");
    return o;
  }
  built += rest;
  QString declarer = row.declarer.toUpper();
  if (declarer == QLatin1String("W")) declarer = QStringLiteral("O");
  built += declarer;
  const QString result = compact(row.result);
  if (result == QLatin1String("=")) {
    built += u'=';
  } else if (result.startsWith(u'+') || result.startsWith(u'-')) {
    bool ok = false;
    const int tricks = result.mid(1).toInt(&ok);
    if (!ok || tricks < 1 || tricks > 13 || result.mid(1) != QString::number(tricks)) {
      o.error = bad;
      return o;
    }
    built += result;
  } else {
    o.error = bad;
    return o;
  }
  const ContractOutcome parsed = ParseContract(built, row.board);
  if (!parsed.valid()) {
    o.error = bad;
    return o;
  }
  o.result.contract = built;
  o.result.score = parsed.score;
  o.result.declarer = declarer;
  // A lead that cannot be read is kept as "?" with the result rather than refused: the score must not be lost for it.
  o.result.lead = LeadFromDevice(row.lead);
  return o;
}

// "55% - 45%" as the two percentages.
Outcome convertSplit(const QString& remarks) {
  Outcome o = wordOutcome(QStringLiteral("AJU."), kScoreAdjusted, QStringLiteral("?"));
  const qsizetype dash = remarks.indexOf(u'-');
  if (dash < 0) {
    o.error = QStringLiteral("Gros BUG! \"-\"  pas trouvé (") + remarks + QStringLiteral(") pour");
    return o;
  }
  QString x = remarks.left(dash).trimmed();
  QString y = remarks.mid(dash + 1).trimmed();
  if (!x.endsWith(u'%') || !y.endsWith(u'%')) {
    o.error = QStringLiteral("Gros BUG! \"%\"  pas trouvé (") + remarks + QStringLiteral(") pour");
    return o;
  }
  x.chop(1);
  y.chop(1);
  bool okX = false;
  bool okY = false;
  const int ns = x.trimmed().toInt(&okX);
  const int ew = y.trimmed().toInt(&okY);
  if (!okX || !okY || ns < 0 || ns > 100 || ew < 0 || ew > 100) {
    o.error = QStringLiteral("Gros BUG! X % Y  incorrect (") + remarks + QStringLiteral(") pour");
    return o;
  }
  o.result.percentages = std::pair<double, double>(ns, ew);
  o.split = true;
  return o;
}

Outcome convert(const Row& row) {
  const QString upper = row.contract.toUpper();
  if (upper == QLatin1String("PASS")) return wordOutcome(QStringLiteral("PASSE"), 0, QString());
  if (!row.contract.isEmpty()) return convertContract(row);
  if (row.remarks == QLatin1String("Not played")) return wordOutcome(QStringLiteral("MOY."), kScoreAverage, QStringLiteral("?"));
  if (row.remarks == QLatin1String("Arbitral score"))
    return wordOutcome(QStringLiteral("AJU."), kScoreAdjusted, QStringLiteral("?"));
  return convertSplit(row.remarks);
}

int findSlot(const Row& row, int ew) {
  const int slotCount = std::clamp(ResultSlotCount, 0, kMaxResultSlots);
  for (int s = 1; s <= slotCount; ++s)
    if (ResultNsPair[s] == row.ns && ResultEwPair[s] == ew && ResultBoard[s] == row.board) return s;
  return 0;
}

// Stores the row's result in slot (an erased row: no result, declarer and
// lead "?"); the scorers never swap a result. The same row stored again
// leaves the same slot and the same ".ADJ": a slot's line is replaced, never
// added to.
void store(int slot, int board, const Outcome& o, AdjustmentReplacements& adjustments) {
  ResultSlots::SetSwapped(slot, 0);
  if (o.split) {
    const auto [ns, ew] = *o.result.percentages;
    adjustments.set(slot, board, static_cast<int>(ns), static_cast<int>(ew));
    ResultSlots::SetAdjustmentLogged(slot, true);
    StoreResult(slot, o.result);
    return;
  }
  adjustments.clear(slot);
  ResultSlots::SetAdjustmentLogged(slot, false);
  // A board not played, an arbitral score or none: matchpoints and
  // percentages none (a contract's are left to the frequencies).
  SlotResult result = o.result;
  if (result.score >= kScoreAverage) result.percentages = std::pair<double, double>(0, 0);
  StoreResult(slot, result);
}

struct Refusal {
  QString text;
  Row row;
};

// What one pass may take: at most kRowsPerPoll rows (the rest wait for the
// next poll); a table holding more than kRowsPerResult rows for every result
// of the tournament, plus kSpareRows, is not read at all.
constexpr qsizetype kRowsPerPoll = 200;
constexpr qint64 kRowsPerResult = 10;
constexpr qint64 kSpareRows = 200;
// A row that cannot be read is told at its tenth failed read in a row, as a
// tablet's result file is.
constexpr int kFailedReadsBeforeReport = 10;
// The lines of a pass's one message shown before the count of the others.
constexpr qsizetype kLinesShown = 20;

const QString kGoOn = QStringLiteral(". On continue quand même. Appelez l'arbitre et/ou Teo VARNAL...");

QString importErrorLine(const QString& text, const QString& ns, const QString& ew, const QString& round,
                        const QString& board) {
  return text + QStringLiteral(" N/S=") + ns + QStringLiteral(" E/W=") + ew + QStringLiteral(" Donne=") + board +
         QStringLiteral(" Tour=") + round;
}

QString importErrorLine(const QString& text, int ns, int ew, int round, int board) {
  return importErrorLine(text, QString::number(ns), QString::number(ew), QString::number(round),
                         QString::number(board));
}

// What the polls remember of the database between them: the rows left
// unread (by their row identity) and whether an oversized table was told.
struct UnreadableRow {
  int failures = 0;
  bool reported = false;
};
struct PollMemory {
  QString file;
  QHash<qint64, UnreadableRow> unreadable;
  bool oversizeReported = false;
};
PollMemory memory;

// The current row read into r; "" when it was, else the name of the first
// integer column that is empty or not a whole number (nothing of such a row
// is used: read as 0 it would find no slot and its result would be lost).
QString readRow(const SessionTable& t, Row& r) {
  const std::optional<int> section = t.wholeNumber(QStringLiteral("Section"));
  if (!section) return QStringLiteral("Section");
  r.section = *section;
  if (r.section != 1) return {};
  r.erased = t.yes(QStringLiteral("Erased"));
  r.remarks = t.text(QStringLiteral("Remarks")).trimmed();
  r.ours = r.remarks.contains(kTag);
  if (r.ours) return {};
  const std::pair<QString, int*> numbers[] = {{QStringLiteral("Table"), &r.table},
                                              {QStringLiteral("Round"), &r.round},
                                              {QStringLiteral("Board"), &r.board},
                                              {QStringLiteral("PairNS"), &r.ns},
                                              {QStringLiteral("PairEW"), &r.ew}};
  for (const auto& [column, into] : numbers) {
    const std::optional<int> n = t.wholeNumber(column);
    if (!n) return column;
    *into = *n;
  }
  if (!r.erased) {
    r.lead = t.text(QStringLiteral("LeadCard")).trimmed();
    r.contract = t.text(QStringLiteral("Contract")).trimmed();
    if (r.contract.toUpper() != QLatin1String("PASS") && !r.contract.isEmpty()) {
      r.result = t.text(QStringLiteral("Result")).trimmed();
      r.declarer = t.text(QStringLiteral("NS/EW")).trimmed();
    }
  }
  return {};
}

// One more failed read of the current row; its line goes to reports at the
// tenth, and never again while the row stays as it is.
void noteUnreadable(const SessionTable& t, const QString& column, QStringList& reports) {
  UnreadableRow& row = memory.unreadable[t.rowId()];
  if (row.reported || ++row.failures < kFailedReadsBeforeReport) return;
  row.reported = true;
  const auto raw = [&t](const QString& name) {
    const QString text = t.text(name).trimmed();
    return text.isEmpty() ? QStringLiteral("?") : text;
  };
  reports << importErrorLine(QStringLiteral("(BridgeMates) Ligne illisible (champ \"") + column +
                                 QStringLiteral("\" vide ou pas un nombre), laissée non traitée pour"),
                             raw(QStringLiteral("PairNS")), raw(QStringLiteral("PairEW")),
                             raw(QStringLiteral("Round")), raw(QStringLiteral("Board")));
}

// False when the selected table holds far more rows than the tournament's
// results explain: it is not read, and told once until it shrinks again.
bool withinBounds(const SessionTable& t, QStringList& reports) {
  const qint64 results = std::clamp(ResultSlotCount, 0, kMaxResultSlots);
  const qint64 allowed = kRowsPerResult * results + kSpareRows;
  const qint64 rows = t.countRows();
  if (rows <= allowed) {
    memory.oversizeReported = false;
    return true;
  }
  if (!memory.oversizeReported)
    reports << QStringLiteral("(BridgeMates) La table \"ReceivedData\" contient %1 lignes, bien plus que les %2 "
                              "résultats de ce tournoi ne le permettent: elle n'est pas lue")
                   .arg(rows)
                   .arg(results);
  memory.oversizeReported = true;
  return false;
}

// The lines of one pass in one message: a single line as the import's
// errors always read, several one under the other (the first 20, then how
// many more).
void showReports(const QStringList& lines) {
  if (lines.isEmpty()) return;
  if (lines.size() == 1) {
    ShowAlert(lines.first() + kGoOn);
    return;
  }
  QString text = QStringLiteral("(BridgeMates) %1 lignes refusées:").arg(lines.size());
  for (qsizetype i = 0; i < std::min(lines.size(), kLinesShown); ++i) text += QStringLiteral("\r\n") + lines[i];
  if (lines.size() > kLinesShown) text += QStringLiteral("\r\n... et %1 autres").arg(lines.size() - kLinesShown);
  ShowAlert(text + QStringLiteral("\r\n") + kGoOn.mid(2));
}

// What a pass stored, told to the tables once the rows are marked.
struct Echo {
  int slot = 0;
  bool erased = false;
  // The slot's result as this row left it: a later row of the same pass
  // may change the slot again, and each row is echoed as it was.
  SlotResult result;
};

// The result a row stored, echoed to the tablets' server as the row left it,
// even when a later row of the pass changed the slot again. With tablets
// added it goes as the tablets' own board line: were nothing written then, a
// result keyed on a BridgeMate would never reach the tablets' server, while a
// tablet's result does reach the BridgeMates.
void echo(const Echo& e) {
  const int slot = e.slot;
  if (!TabletsInUse) {
    WriteTableResultFile(slot, e.result, e.erased);
    return;
  }
  const SeatedPairs seated = SeatedPairsOf(slot);
  if (e.erased)
    WriteTabletDeleteLine(ResultTable[slot], ResultBoard[slot], ResultRound[slot], seated.ns, seated.ew);
  else
    WriteTabletResultLine(ResultTable[slot], ResultBoard[slot], ResultRound[slot], seated.ns, seated.ew, e.result.contract,
                          e.result.declarer);
}

struct Pass {
  QList<Refusal> refusals;
  QList<Echo> echoes;
  AdjustmentReplacements adjustments;
  bool stored = false;
};

// Applies one row in memory; a refusal is kept, nothing stored.
void apply(const Row& row, Pass& pass) {
  CurrentBoard = row.board;
  const int ew = ProgramEwNumber(row.ew);
  Outcome o;
  if (!row.erased) {
    o = convert(row);
    if (!o.error.isEmpty()) {
      pass.refusals << Refusal{o.error, row};
      return;
    }
  }
  const int slot = findSlot(row, ew);
  if (slot == 0) {
    pass.refusals << Refusal{QStringLiteral("Gros BUG! CurrentEntry pas trouvé pour (") + row.contract +
                                 QStringLiteral(") pour"),
                             row};
    return;
  }
  if (row.erased) o = wordOutcome(QString(), kScoreNone, QStringLiteral("?"));
  store(slot, row.board, o, pass.adjustments);
  pass.echoes << Echo{slot, row.erased, ResultSlots::record(slot).result};
  pass.stored = true;
}

// A row taken by a pass: its identity, and its values as they were read.
struct TakenRow {
  qint64 id = 0;
  QList<QVariant> values;
};

// The rows not yet processed, at most kRowsPerPoll of them, read and left
// unmarked (with their identities in taken, the program's own rows
// included): they are marked once what they bring is saved. A row that
// cannot be read is left for the next poll and does not count in the share.
void takeRows(QList<Row>& rows, QList<TakenRow>& taken, QString& fatal, QStringList& reports) {
  if (memory.file != BwsFileName) memory = PollMemory{BwsFileName, {}, false};
  OpenSessionDatabase(BwsFileName);
  SessionTable& t = BwsTable();
  t.select(QStringLiteral("[ReceivedData]"));
  if (!withinBounds(t, reports)) {
    CloseSessionDatabase();
    return;
  }
  t.openWhere(QStringLiteral("Processed"), false, kRowsPerPoll + memory.unreadable.size());
  qint64 lastSeen = -1;
  QSet<qint64> stillUnreadable;
  for (t.first(); !t.eof() && taken.size() < kRowsPerPoll; t.next()) {
    lastSeen = t.rowId();
    Row r;
    const QString unreadable = readRow(t, r);
    if (!unreadable.isEmpty()) {
      stillUnreadable.insert(lastSeen);
      noteUnreadable(t, unreadable, reports);
      continue;
    }
    if (r.section != 1) {
      fatal = QStringLiteral(
          "(BridgeMates) Le champ \"Section\" n'est pas \"1\" dans la table \"ReceivedData\". Désolé, on arrête!");
      break;
    }
    if (t.yes(QStringLiteral("Processed"))) continue;
    taken << TakenRow{lastSeen, t.rowValues()};
    r.id = lastSeen;
    if (!r.ours) rows << r;
  }
  // A remembered row up to the last one seen that is no longer unreadable
  // was taken, processed or removed meanwhile.
  for (auto it = memory.unreadable.begin(); it != memory.unreadable.end();)
    it = it.key() <= lastSeen && !stillUnreadable.contains(it.key()) ? memory.unreadable.erase(it) : std::next(it);
  CloseSessionDatabase();
}

// The rows taken marked processed, all in one transaction, those only that
// still hold what was read: a row the scorers changed meanwhile stays for the
// next poll, which applies what it holds now. Their identities go to marked.
void markRows(const QList<TakenRow>& taken, QSet<qint64>& marked) {
  marked.clear();
  OpenSessionDatabase(BwsFileName);
  {
    SessionTransaction transaction;
    SessionTable& t = BwsTable();
    t.select(QStringLiteral("[ReceivedData]"));
    t.openWhere(QStringLiteral("Processed"), false);
    QHash<qint64, const QList<QVariant>*> wanted;
    for (const TakenRow& row : taken) wanted.insert(row.id, &row.values);
    for (t.first(); !t.eof(); t.next()) {
      const auto read = wanted.constFind(t.rowId());
      if (read == wanted.constEnd() || **read != t.rowValues()) continue;
      marked.insert(t.rowId());
      t.edit();
      t.setYesNo(QStringLiteral("Processed"), true);
      t.post();
    }
    t.close();
    transaction.commit();
  }
  CloseSessionDatabase();
}

// What the pass stored, counted from the slots and saved for good.
void savePass(const Pass& pass) {
  TellResultsCounted();
  WriteRecoveryCounters();
  pass.adjustments.write();
  SaveResults();
}

void recompute() {
  RecomputeResultsSilently();
  WriteResultFiles();
  WriteBoardFiles(false);
}

}  // namespace

QString LeadFromDevice(const QString& raw) {
  const QString lead = compact(raw).toUpper();
  if (lead.size() < 2) return QStringLiteral("?");
  static const QString suitsFrom = QStringLiteral("CDHS");
  static const QString suitsTo = QStringLiteral("TKCP");
  const qsizetype suit = suitsFrom.indexOf(lead[0]);
  if (suit < 0) return QStringLiteral("?");
  const QString rank = lead.mid(1);
  QString french;
  if (rank == QLatin1String("A")) french = QStringLiteral("A");
  else if (rank == QLatin1String("K")) french = QStringLiteral("R");
  else if (rank == QLatin1String("Q")) french = QStringLiteral("D");
  else if (rank == QLatin1String("J")) french = QStringLiteral("V");
  else if (rank == QLatin1String("T") || rank == QLatin1String("10")) french = QStringLiteral("10");
  else if (rank == QLatin1String("X")) french = QStringLiteral("2");  // a small card
  else if (rank.size() == 1 && rank[0] >= u'2' && rank[0] <= u'9') french = rank;
  else return QStringLiteral("?");
  return french + suitsTo[suit];
}

void ShowDeviceImportError(const QString& text, int nsPair, int ewPair, int round, int board) {
  ShowAlert(importErrorLine(text, nsPair, ewPair, round, board) + kGoOn);
}

void ClearBridgeMatesImportState() { memory = PollMemory{}; }

bool IsTableComplete(int table) {
  const int slotCount = std::clamp(ResultSlotCount, 0, kMaxResultSlots);
  bool any = false;
  for (int s = 1; s <= slotCount; ++s) {
    if (ResultTable[s] != table || ResultNsPair[s] == 0 || ResultEwPair[s] == 0) continue;
    if (ResultScore[s] == kScoreNone) return false;
    any = true;
  }
  return any;
}

void ImportBridgeMatesResults() {
  if (BwsFileName.isEmpty()) return;
  QString fatal;
  QList<Row> rows;
  QStringList reports;
  QList<TakenRow> taken;
  // Taken, stored, saved; only then the rows marked processed and the
  // tables told. A crash at any point leaves every row whose result is not
  // saved unprocessed, and taking a row again gives the same tournament.
  try {
    if (!RunSessionPoll([&] { takeRows(rows, taken, fatal, reports); })) return;
  } catch (...) {
    CloseSessionDatabase();
    throw;
  }
  // Our own rows and refused rows are passed over, not ended on: the rows
  // after them are taken in this pass, and what it stored is saved at once.
  // A pass that stored nothing leaves the tournament as it was, so it is
  // neither saved nor recomputed (a poll runs every second).
  Pass pass;
  try {
    for (const Row& row : rows) apply(row, pass);
  } catch (...) {
    if (pass.stored) savePass(pass);
    throw;
  }
  if (pass.stored) savePass(pass);
  bool marked = false;
  QSet<qint64> markedRows;
  if (!taken.isEmpty()) {
    try {
      // A locked database leaves the rows for the next poll, which applies
      // them again to the same effect.
      marked = RunSessionPoll([&] { markRows(taken, markedRows); });
    } catch (...) {
      CloseSessionDatabase();
      if (pass.stored) recompute();
      throw;
    }
  }
  if (marked) {
    QList<int> tables;
    for (const Echo& e : pass.echoes) {
      echo(e);
      if (!tables.contains(ResultTable[e.slot])) tables << ResultTable[e.slot];
    }
    for (const int t : tables)
      if (IsTableComplete(t)) SetTableState(t, TableFinished);
  }
  if (!fatal.isEmpty()) FatalStop(fatal);
  if (pass.stored) recompute();
  // A refused row is told once it is marked: unmarked, the next poll takes
  // it again.
  if (marked)
    for (const Refusal& r : pass.refusals)
      if (markedRows.contains(r.row.id))
        reports << importErrorLine(r.text, r.row.ns, r.row.ew, r.row.round, r.row.board);
  showReports(reports);
}

bool ScorersRowHolds(const SessionTable& t, int slot) {
  Row r;
  if (!readRow(t, r).isEmpty() || r.ours) return false;
  if (r.erased) return ResultScore[slot] == kScoreNone;
  const Outcome o = convert(r);
  if (!o.error.isEmpty()) return false;
  const bool same = ResultContract[slot] == o.result.contract && ResultScore[slot] == o.result.score;
  if (!o.split) return same;
  const auto [ns, ew] = *o.result.percentages;
  return same && ResultNsPercent[slot] == ns && ResultEwPercent[slot] == ew;
}
