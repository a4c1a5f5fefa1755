#include "devices/BridgeMatesTables.h"
#include "devices/TabletImport.h"

#include "core/DeviceFiles.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/SafeFiles.h"
#include "core/TournamentFileLines.h"
#include "core/TournamentFiles.h"
#include "core/Flows.h"
#include "devices/Companions.h"
#include "core/DeviceNumbers.h"
#include "devices/DevicePolling.h"
#include "devices/TablePlayers.h"
#include "devices/TabletFiles.h"
#include "devices/TabletLines.h"
#include "core/DealDiagrams.h"
#include "platform/TextFiles.h"
#include "core/DealDiagrams.h"
#include "scoring/Adjustments.h"
#include "scoring/Contract.h"
#include "devices/BridgeMatesCorrections.h"
#include "devices/TabletLines.h"
#include "scoring/Ranking.h"
#include "scoring/ResultFiles.h"
#include "setup/PairLookups.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <sys/stat.h>

#include <algorithm>
#include <optional>

namespace {

// One result file: seven integers and the text.
struct ResultFile {
  int table = 0;
  int board = 0;
  int round = 0;
  int ns = 0;
  int ew = 0;
  QString text;
};

std::optional<ResultFile> readResultFile(const QString& path) {
  const std::optional<QString> read = ReadExchangeLine(path);
  if (!read) return std::nullopt;
  const QString& line = *read;
  int values[7] = {};
  qsizetype pos = 0;
  for (int& v : values) {
    const QStringView field = tournament_files::NextField(line, pos);
    if (!tournament_files::ToInteger(field, v)) return std::nullopt;
  }
  ResultFile r;
  r.table = values[0];
  r.board = values[3];
  r.round = values[4];
  r.ns = values[5];
  r.ew = values[6];
  r.text = pos < line.size() ? line.mid(pos) : QString();
  return r;
}

// A whole number 0..100 of a split, else 50.
int splitPercent(const QString& text) {
  bool ok = false;
  const int v = text.trimmed().toInt(&ok);
  return ok && v >= 0 && v <= 100 ? v : 50;
}

bool isByeNumber(int pair) { return pair > 0 && IsByeSlot(FindPairSlot(pair)); }

QString pairsText(int board, int ns, int ew) {
  return QStringLiteral("Donne: %1, N/S: %2, E/W: %3. ").arg(board).arg(ns).arg(DeviceEwNumber(ew));
}

// What one result file asks of its slots.
struct Received {
  QString text;      // upper-cased, declarer and lead taken off
  QString declarer;
  QString lead;
  bool split = false;
  int nsPercent = 0;
  int ewPercent = 0;
};

Received interpret(QString text) {
  Received r;
  text = text.toUpper().trimmed();
  const bool word = text == QStringLiteral("MOY") || text == QStringLiteral("AJU") ||
                    text == QStringLiteral("NOT PLAYED") || text == QStringLiteral("PASSE");
  r.split = text.contains(QStringLiteral(" - "));
  if (!word && !r.split) {
    r.declarer = text.left(1);
    text = text.mid(2).trimmed();
    const qsizetype blank = text.indexOf(u' ');
    if (blank >= 0) {
      r.lead = text.mid(blank + 1).trimmed();
      text = text.left(blank).trimmed();
    } else {
      r.lead = QStringLiteral("?");
    }
  }
  if (r.split) {
    const qsizetype dash = text.indexOf(u'-');
    r.nsPercent = splitPercent(text.left(dash));
    r.ewPercent = splitPercent(text.mid(dash + 1));
  }
  r.text = text;
  return r;
}

// The slot's adjustment line goes before its result is replaced.
void forgetAdjustment(int slot, int board) {
  if (ResultScore[slot] != kScoreAdjusted && ResultAdjustmentLogged[slot] == 0) return;
  CurrentBoard = board;
  RemoveResultAdjustment(slot);
  ResultAdjustmentLogged[slot] = 0;
}

// Stores the result in slot; false (slot unchanged) when the contract is
// refused.
bool storeInSlot(int slot, const ResultFile& file, const Received& r) {
  CurrentBoard = file.board;
  const QString& text = r.text;
  if (text == QStringLiteral("DELETE")) {
    forgetAdjustment(slot, file.board);
    ResultContract[slot].clear();
    ResultScore[slot] = kScoreNone;
    ResultNsPercent[slot] = ResultEwPercent[slot] = 0;
    ResultLead[slot] = QStringLiteral("?");
    ResultDeclarer[slot].clear();
    return true;
  }
  if (r.split) {
    const bool sameSplit = ResultScore[slot] == kScoreAdjusted && ResultNsPercent[slot] == r.nsPercent &&
                           ResultEwPercent[slot] == r.ewPercent;
    forgetAdjustment(slot, file.board);
    ResultContract[slot] = QStringLiteral("AJU.");
    ResultScore[slot] = kScoreAdjusted;
    ResultNsPercent[slot] = r.nsPercent;
    ResultEwPercent[slot] = r.ewPercent;
    ResultDeclarer[slot].clear();
    ResultLead[slot].clear();
    if (!sameSplit)
      AppendAdjustListLine(pairsText(file.board, file.ns, file.ew) + QStringLiteral("Ajustement déjà introduit."));
    AppendTabletAdjustment(slot, file.board, r.nsPercent, r.ewPercent);
    ResultAdjustmentLogged[slot] = 1;
    return true;
  }
  if (text == QStringLiteral("PASSE") || text == QStringLiteral("NOT PLAYED") || text == QStringLiteral("MOY") ||
      text == QStringLiteral("AJU")) {
    forgetAdjustment(slot, file.board);
    ResultDeclarer[slot].clear();
    ResultLead[slot].clear();
    if (text == QStringLiteral("PASSE")) {
      ResultContract[slot] = QStringLiteral("PASSE");
      ResultScore[slot] = 0;
    } else if (text == QStringLiteral("AJU")) {
      ResultContract[slot] = QStringLiteral("AJU.");
      ResultScore[slot] = kScoreAdjusted;
      ResultNsPercent[slot] = ResultEwPercent[slot] = 0;
      AppendAdjustListLine(pairsText(file.board, file.ns, file.ew) +
                           QStringLiteral("Score arbitral à introduire manuellement."));
    } else {
      ResultContract[slot] = QStringLiteral("MOY.");
      ResultScore[slot] = kScoreAverage;
    }
    return true;
  }
  const int score = ContractParser(text, false);
  if (score == -1) {
    CallReferee(QStringLiteral("Table %1; contrat refusé (").arg(file.table) + text +
                QStringLiteral(") pour la donne %1, N/S %2, E/W %3. Le résultat précédent est gardé.")
                    .arg(file.board)
                    .arg(file.ns)
                    .arg(DeviceEwNumber(file.ew)));
    return false;
  }
  forgetAdjustment(slot, file.board);
  ResultContract[slot] = text;
  ResultLead[slot] = r.lead;
  ResultDeclarer[slot] = r.declarer;
  ResultScore[slot] = score;
  ResultNsPercent[slot] = ResultEwPercent[slot] = 0;
  return true;
}

// A file that could not be read: remembered, and set aside at the tenth
// failure in a row. Each file keeps its own count: two bad files of a table
// do not start each other's count again.
void badRead(int table, const QString& path) {
  LastBadResultFile = path;
  BadResultFileCount = SetAsideAfterBadReads(path);
  if (BadResultFileCount < kBadReadsBeforeSetAside) return;
  const QString aside = path + QStringLiteral(".BAD");
  LastBadResultFile.clear();
  BadResultFileCount = 0;
  CallReferee(QStringLiteral("Table %1; impossible de lire le résultat du fichier ").arg(table) + aside +
              QStringLiteral(". Le fichier est ignoré."));
}

// Applies one result file; true when a slot changed.
bool applyFile(int table, const QString& path) {
  const std::optional<ResultFile> read = readResultFile(path);
  if (!read) {
    badRead(table, path);
    return false;
  }
  ForgetBadReads(path);
  if (path == LastBadResultFile) {
    LastBadResultFile.clear();
    BadResultFileCount = 0;
  }
  // Gone before it acts: a file that cannot be deleted is not applied (it
  // would be applied again at the next pass).
  if (!platform::deleteFile(path)) {
    badRead(table, path);
    return false;
  }
  ResultFile file = *read;
  const Received r = interpret(file.text);
  if (r.text.isEmpty()) return false;
  file.ew = ProgramEwNumber(file.ew);
  if (isByeNumber(file.ns) || isByeNumber(file.ew)) return false;
  bool changed = false;
  const int slotCount = std::clamp(ResultSlotCount, 0, kMaxResultSlots);
  for (int s = 1; s <= slotCount; ++s) {
    if (ResultBoard[s] != file.board || ResultNsPair[s] != file.ns || ResultEwPair[s] != file.ew ||
        ResultRound[s] != file.round)
      continue;
    if (!storeInSlot(s, file, r)) continue;
    changed = true;
    AppendChangedResult(s);
    WriteTabletResultLine(file.table, file.board, file.round, file.ns, file.ew, r.text, r.declarer);
  }
  return changed;
}

// The end of every pass: counters recounted from the slots, and when
// anything changed, saved and recomputed silently, each file written once
// (as the two device refreshes and the board files would leave them).
void finishPass(bool changed, bool direct) {
  flowSteps().recountMenuCounters();
  WriteRecoveryCounters();
  if (changed) {
    SaveResults();
    ComputeFrequenciesSilently();
    ComputeResults();
    WriteResultFiles();
    WriteSessionFile();
    WriteBoardFiles(false);
  } else if (direct) {
    ShowAlert(QStringLiteral("Aucun résultat récupéré."));
  }
}

// What a table's folder holds for the collection: its result files and
// whether its players file is there.
struct TableFiles {
  QStringList results;
  bool players = false;
};

// The folders' modification times of the last listing that found nothing
// to collect. A folder changed since (a file added, renamed or removed) is
// listed again; one changed less than two seconds before its listing is
// always listed again, as a file added within the same clock step would not
// move the time.
struct QuietFolder {
  QString path;
  qint64 seconds = -1;
  qint64 nanoseconds = -1;
};
QuietFolder quietFolders[kMaxTables + 1];

// The server numbers its result files as it writes them ("REST9.TXT" before
// "REST10.TXT"): runs of digits compare by their value, so that a result
// corrected at the table is applied after the one it replaces.
bool writtenBefore(const QString& a, const QString& b) {
  const auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
  qsizetype i = 0;
  qsizetype j = 0;
  while (i < a.size() && j < b.size()) {
    if (digit(a[i]) && digit(b[j])) {
      qsizetype ei = i;
      qsizetype ej = j;
      while (ei < a.size() && digit(a[ei])) ++ei;
      while (ej < b.size() && digit(b[ej])) ++ej;
      // Leading zeros do not count; then the longer run is the larger number.
      qsizetype zi = i;
      qsizetype zj = j;
      while (zi + 1 < ei && a[zi] == u'0') ++zi;
      while (zj + 1 < ej && b[zj] == u'0') ++zj;
      if (ei - zi != ej - zj) return ei - zi < ej - zj;
      const int c = QStringView(a).sliced(zi, ei - zi).compare(QStringView(b).sliced(zj, ej - zj));
      if (c != 0) return c < 0;
      i = ei;
      j = ej;
      continue;
    }
    const int c = QStringView(a).sliced(i, 1).compare(QStringView(b).sliced(j, 1), Qt::CaseInsensitive);
    if (c != 0) return c < 0;
    ++i;
    ++j;
  }
  if ((a.size() - i) != (b.size() - j)) return a.size() - i < b.size() - j;
  return a < b;
}

bool sameTime(const struct stat& st, const QuietFolder& q) {
  return st.st_mtim.tv_sec == q.seconds && st.st_mtim.tv_nsec == q.nanoseconds;
}

TableFiles scanTable(int table, const QString& folder) {
  TableFiles files;
  QuietFolder& quiet = quietFolders[table];
  struct stat st {};
  const QByteArray encoded = QFile::encodeName(folder);
  if (::stat(encoded.constData(), &st) != 0) return files;
  if (quiet.path == folder && sameTime(st, quiet)) return files;
  const qint64 listedAt = QDateTime::currentSecsSinceEpoch();
  QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
  for (const QString& name : names) {
    if (name.startsWith(QStringLiteral("REST"), Qt::CaseInsensitive) &&
        name.endsWith(QStringLiteral(".TXT"), Qt::CaseInsensitive))
      files.results << name;
    else if (name.compare(QStringLiteral("PLAYERS.TXT"), Qt::CaseInsensitive) == 0)
      files.players = true;
  }
  std::sort(files.results.begin(), files.results.end(), writtenBefore);
  if (files.results.isEmpty() && !files.players && st.st_mtim.tv_sec < listedAt - 1) {
    quiet = {folder, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
  } else {
    quiet = {};
  }
  return files;
}

}  // namespace

int ImportTableCount() {
  if (TableCount > 0) return std::min(TableCount, kMaxTables);
  const int tables = HerediaMovement != 0 && BoardsPerTable > 0 ? DealCount / BoardsPerTable : PairSlotCount;
  return std::clamp(tables, 0, kMaxTables);
}

void AppendAdjustListLine(const QString& text) {
  TextFile file;
  SafeAppend(file, ProgramFolder + QStringLiteral("ADJUSTLIST.TXT"));
  file.writeLine(text);
  CloseTextFile(file);
}

void AppendTabletAdjustment(int slot, int board, int nsPercent, int ewPercent) {
  TextFile file;
  SafeAppend(file, DataFolder + TournamentCode + QStringLiteral(".ADJ"));
  file.writeLine(QStringLiteral("%1 %2 %3 %4").arg(slot).arg(board).arg(nsPercent).arg(ewPercent));
  CloseTextFile(file);
}

void ImportTabletResults() {
  // A pass whose message is on screen lets the message loop deliver the
  // timer's ticks: they find this pass still running and read nothing.
  static bool running = false;
  if (running) return;
  running = true;
  struct Release {
    ~Release() { running = false; }
  } release;
  const bool direct = !flowSteps().collectionRunning();
  if (TabletSeriesFolder.isEmpty()) return;
  const int tables = ImportTableCount();
  TableFiles found[kMaxTables + 1];
  bool players = false;
  for (int t = 1; t <= tables; ++t) {
    found[t] = scanTable(t, TableFolder(t));
    if (found[t].players && ReadTablePlayersFile(t)) players = true;
  }
  if (players) FinishPlayersRead();
  LoadDiagramFiles();
  bool changed = false;
  try {
    for (int t = 1; t <= tables; ++t) {
      const QString folder = TableFolder(t) + '/';
      for (const QString& name : found[t].results)
        if (applyFile(t, folder + name)) changed = true;
    }
  } catch (...) {
    finishPass(changed, false);
    throw;
  }
  finishPass(changed, direct);
}
