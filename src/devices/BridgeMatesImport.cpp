#include "devices/BridgeMatesImport.h"

#include "core/DeviceFiles.h"
#include "core/Fatal.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/TournamentFiles.h"
#include "core/TournamentMenu.h"
#include "devices/DeviceNumbers.h"
#include "devices/SessionDatabase.h"
#include "devices/TableStates.h"
#include "devices/TabletImport.h"
#include "devices/TabletLines.h"
#include "scoring/Adjustments.h"
#include "scoring/Contract.h"
#include "scoring/Frequencies.h"
#include "scoring/Ranking.h"
#include "scoring/ResultFiles.h"

#include <QList>
#include <QSet>

#include <algorithm>
#include <exception>

namespace {

const QString kTag = QStringLiteral("Morvel");

// One row of ReceivedData, taken.
struct Row {
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
  QString contract;
  int score = kScoreNone;
  QString lead;
  QString declarer;
  int nsPercent = 0;
  int ewPercent = 0;
  bool split = false;
};

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
  o.contract = built;
  o.score = parsed.score;
  o.declarer = declarer;
  // A lead that cannot be read is kept as "?" with the result rather than refused: the score must not be lost for it.
  o.lead = LeadFromDevice(row.lead);
  return o;
}

// "55% - 45%" as the two percentages.
Outcome convertSplit(const QString& remarks) {
  Outcome o;
  o.contract = QStringLiteral("AJU.");
  o.score = kScoreAdjusted;
  o.lead = QStringLiteral("?");
  o.declarer = QStringLiteral("?");
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
  o.nsPercent = x.trimmed().toInt(&okX);
  o.ewPercent = y.trimmed().toInt(&okY);
  if (!okX || !okY || o.nsPercent < 0 || o.nsPercent > 100 || o.ewPercent < 0 || o.ewPercent > 100) {
    o.error = QStringLiteral("Gros BUG! X % Y  incorrect (") + remarks + QStringLiteral(") pour");
    return o;
  }
  o.split = true;
  return o;
}

Outcome convert(const Row& row) {
  const QString upper = row.contract.toUpper();
  if (upper == QLatin1String("PASS")) {
    Outcome o;
    o.contract = QStringLiteral("PASSE");
    o.score = 0;
    return o;
  }
  if (!row.contract.isEmpty()) return convertContract(row);
  if (row.remarks == QLatin1String("Not played")) {
    Outcome o;
    o.contract = QStringLiteral("MOY.");
    o.score = kScoreAverage;
    o.lead = o.declarer = QStringLiteral("?");
    return o;
  }
  if (row.remarks == QLatin1String("Arbitral score")) {
    Outcome o;
    o.contract = QStringLiteral("AJU.");
    o.score = kScoreAdjusted;
    o.lead = o.declarer = QStringLiteral("?");
    return o;
  }
  return convertSplit(row.remarks);
}

int findSlot(const Row& row, int ew) {
  const int slotCount = std::clamp(ResultSlotCount, 0, kMaxResultSlots);
  for (int s = 1; s <= slotCount; ++s)
    if (ResultNsPair[s] == row.ns && ResultEwPair[s] == ew && ResultBoard[s] == row.board) return s;
  return 0;
}

// The slot's ".ADJ" line goes before its result is replaced.
void forgetAdjustment(int slot, int board) {
  if (ResultScore[slot] != kScoreAdjusted && ResultAdjustmentLogged[slot] == 0) return;
  CurrentBoard = board;
  RemoveResultAdjustment(slot);
  ResultAdjustmentLogged[slot] = 0;
}

void clearSlot(int slot) {
  ResultDeclarer[slot] = QStringLiteral("?");
  ResultSwapped[slot] = 0;
  ResultLead[slot] = QStringLiteral("?");
  ResultMatchpoints[slot] = 0;
  ResultNsPercent[slot] = ResultEwPercent[slot] = 0;
  ResultContract[slot].clear();
  ResultScore[slot] = kScoreNone;
}

void store(int slot, int board, const Outcome& o) {
  if (o.split) {
    const bool sameSplit = ResultScore[slot] == kScoreAdjusted && ResultAdjustmentLogged[slot] != 0 &&
                           ResultNsPercent[slot] == o.nsPercent && ResultEwPercent[slot] == o.ewPercent;
    if (!sameSplit) forgetAdjustment(slot, board);
    clearSlot(slot);
    ResultContract[slot] = o.contract;
    ResultScore[slot] = o.score;
    ResultNsPercent[slot] = o.nsPercent;
    ResultEwPercent[slot] = o.ewPercent;
    if (!sameSplit) {
      AppendTabletAdjustment(slot, board, o.nsPercent, o.ewPercent);
      ResultAdjustmentLogged[slot] = 1;
    }
    return;
  }
  forgetAdjustment(slot, board);
  if (o.contract == QLatin1String("MOY.") || o.contract == QLatin1String("AJU.")) {
    clearSlot(slot);
  } else {
    ResultSwapped[slot] = 0;
    ResultNsPercent[slot] = ResultEwPercent[slot] = 0;
  }
  ResultContract[slot] = o.contract;
  ResultScore[slot] = o.score;
  ResultLead[slot] = o.lead;
  ResultDeclarer[slot] = o.declarer;
}

// The result of slot echoed to the tablets' server.
void echo(int slot, bool erased) {
  if (!TabletsInUse) {
    WriteTableResultFile(slot, erased);
    return;
  }
  if (erased)
    WriteTabletDeleteLine(ResultTable[slot], ResultBoard[slot], ResultRound[slot], ResultNsPair[slot],
                          ResultEwPair[slot]);
  else
    WriteTabletResultLine(ResultTable[slot], ResultBoard[slot], ResultRound[slot], ResultNsPair[slot],
                          ResultEwPair[slot], ResultContract[slot], ResultDeclarer[slot]);
}

struct Refusal {
  QString text;
  Row row;
};

// Applies one row; a refusal is returned, nothing stored.
bool apply(const Row& row, QList<Refusal>& refusals, QSet<int>& tables) {
  CurrentBoard = row.board;
  const int ew = ProgramEwNumber(row.ew);
  Outcome o;
  if (!row.erased) {
    o = convert(row);
    if (!o.error.isEmpty()) {
      refusals << Refusal{o.error, row};
      return false;
    }
  }
  const int slot = findSlot(row, ew);
  if (slot == 0) {
    refusals << Refusal{QStringLiteral("Gros BUG! CurrentEntry pas trouvé pour (") + row.contract +
                            QStringLiteral(") pour"),
                        row};
    return false;
  }
  if (row.erased) {
    forgetAdjustment(slot, row.board);
    clearSlot(slot);
  } else {
    store(slot, row.board, o);
  }
  echo(slot, row.erased);
  tables.insert(ResultTable[slot]);
  return true;
}

// The rows not yet processed, each marked processed as it is taken.
void takeRows(QList<Row>& rows, QString& fatal) {
  OpenSessionDatabase(BwsFileName);
  SessionTable& t = BwsTable();
  t.select(QStringLiteral("[ReceivedData]"));
  t.openWhere(QStringLiteral("Processed"), false);
  for (t.first(); !t.eof(); t.next()) {
    if (t.integer(QStringLiteral("Section")) != 1) {
      fatal = QStringLiteral(
          "(BridgeMates) Le champ \"Section\" n'est pas \"1\" dans la table \"ReceivedData\". Désolé, on arrête!");
      break;
    }
    if (t.yes(QStringLiteral("Processed"))) continue;
    // The whole row is read before it is marked: a column that cannot be
    // read leaves the row for the next poll instead of losing it.
    Row r;
    r.erased = t.yes(QStringLiteral("Erased"));
    r.remarks = t.text(QStringLiteral("Remarks")).trimmed();
    const bool ours = r.remarks.contains(kTag);  // our own correction
    if (!ours) {
      r.table = t.integer(QStringLiteral("Table"));
      r.round = t.integer(QStringLiteral("Round"));
      r.board = t.integer(QStringLiteral("Board"));
      r.ns = t.integer(QStringLiteral("PairNS"));
      r.ew = t.integer(QStringLiteral("PairEW"));
      if (!r.erased) {
        r.lead = t.text(QStringLiteral("LeadCard")).trimmed();
        r.contract = t.text(QStringLiteral("Contract")).trimmed();
        if (r.contract.toUpper() != QLatin1String("PASS") && !r.contract.isEmpty()) {
          r.result = t.text(QStringLiteral("Result")).trimmed();
          r.declarer = t.text(QStringLiteral("NS/EW")).trimmed();
        }
      }
    }
    t.edit();
    t.setYesNo(QStringLiteral("Processed"), true);
    t.post();
    if (!ours) rows << r;
  }
  CloseSessionDatabase();
}

// The end of a pass that stored anything: counted, saved, recomputed.
void finishPass() {
  RecountMenuCounters();
  WriteRecoveryCounters();
  SaveResults();
  Interactive = false;
  ComputeFrequencies();
  ComputeResults();
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
  else if (rank == QLatin1String("X")) french = QStringLiteral("x");
  else if (rank.size() == 1 && rank[0] >= u'2' && rank[0] <= u'9') french = rank;
  else return QStringLiteral("?");
  return french + suitsTo[suit];
}

void ShowDeviceImportError(const QString& text, int nsPair, int ewPair, int round, int board) {
  ShowAlert(text + QStringLiteral(" N/S=%1 E/W=%2 Donne=%3 Tour=%4").arg(nsPair).arg(ewPair).arg(board).arg(round) +
            QStringLiteral(". On continue quand même. Appelez l'arbitre et/ou Teo VARNAL..."));
}

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
  // Every row taken is applied, even when the database or a write fails
  // after it: the first error is passed on once the pass is saved.
  std::exception_ptr failure;
  try {
    RunSessionPoll([&] { takeRows(rows, fatal); });
  } catch (...) {
    failure = std::current_exception();
    CloseSessionDatabase();
  }
  // The database is closed: what was taken is stored, saved, then told.
  QList<Refusal> refusals;
  QSet<int> tables;
  bool stored = false;
  for (const Row& row : rows) {
    try {
      if (apply(row, refusals, tables)) stored = true;
    } catch (...) {
      stored = true;
      if (!failure) failure = std::current_exception();
    }
  }
  if (failure) {
    if (stored) finishPass();
    std::rethrow_exception(failure);
  }
  if (stored) {
    for (const int t : tables)
      if (IsTableComplete(t)) SetTableState(t, TableFinished);
    if (!fatal.isEmpty()) {
      RecountMenuCounters();
      WriteRecoveryCounters();
      SaveResults();
    } else {
      finishPass();
    }
  }
  if (!fatal.isEmpty()) FatalStop(fatal);
  for (const Refusal& r : refusals) ShowDeviceImportError(r.text, r.row.ns, r.row.ew, r.row.round, r.row.board);
}
