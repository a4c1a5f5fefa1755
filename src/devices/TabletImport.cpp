#include "devices/TabletImport.h"

#include "core/DealDiagrams.h"
#include "core/DeviceFiles.h"
#include "core/DeviceNumbers.h"
#include "core/ExchangeFiles.h"
#include "core/ExchangeLines.h"
#include "core/Flows.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/ResultNews.h"
#include "core/SafeFiles.h"
#include "core/TournamentFileLines.h"
#include "core/TournamentFiles.h"
#include "devices/BridgeMatesCorrections.h"
#include "devices/BridgeMatesTables.h"
#include "devices/Companions.h"
#include "devices/TablePlayers.h"
#include "devices/TabletFiles.h"
#include "devices/TabletLines.h"
#include "platform/TextFiles.h"
#include "scoring/Adjustments.h"
#include "scoring/Contract.h"
#include "scoring/Frequencies.h"
#include "scoring/Ranking.h"
#include "scoring/ResultFiles.h"
#include "scoring/ResultStore.h"
#include "setup/PairLookups.h"

#include <QDateTime>
#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <optional>

namespace {

// One result file: seven numbers and the table's result.
using ResultFile = exchange::ResultFileRecord;
using exchange::ResultKind;

std::optional<ResultFile> readResultFile(const QString& path, QByteArray& bytes) {
  const std::optional<QString> read = ReadExchangeLine(path, bytes);
  if (!read) return std::nullopt;
  return exchange::ParseResultFileLine(*read);
}

QString pairsText(int board, int ns, int ew) {
  return QStringLiteral("Donne: %1, N/S: %2, E/W: %3. ").arg(board).arg(ns).arg(DeviceEwNumber(ew));
}

// The result as its echo's line names it: the contract or the tables' word,
// and the declarer's letter when the table sent one.
QString echoedContract(const exchange::TableResult& r) {
  if (r.kind == ResultKind::Contract) return r.result.contract;
  if (r.kind == ResultKind::Delete) return QStringLiteral("DELETE");
  return exchange::ResultValue(r);
}
QString echoedDeclarer(const exchange::TableResult& r) { return r.result.declarer; }

// A file as it stood when it was read: deleted only while it is still the
// same file holding the same bytes, so that a result the server writes
// again under the same name meanwhile (even in place, within one tick of a
// coarse clock) is read at the next pass instead of being lost.
struct FileStamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  qint64 seconds = 0;
  qint64 nanoseconds = 0;
  bool operator==(const FileStamp&) const = default;
};

std::optional<FileStamp> stampOf(const QString& path) {
  struct stat st {};
  if (::lstat(QFile::encodeName(path).constData(), &st) != 0) return std::nullopt;
  return FileStamp{st.st_dev, st.st_ino, st.st_size, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
}

// One result file taken by a pass: what it stored, and what the tables, the
// scorers and the referee are told once the pass is saved and the file gone.
struct Taken {
  int folderTable = 0;
  QString path;
  FileStamp stamp;
  QByteArray bytes;  // as read
  ResultFile file;  // E/W number as the program numbers it
  QList<int> changedSlots;
  QStringList adjustList;
  QStringList adjustListUnlessListed;
  QStringList refereeCalls;
};

// One pass: the files taken in order, and the ".ADJ" lines their results give.
struct Pass {
  QList<Taken> taken;
  AdjustmentReplacements adjustments;
  bool changed = false;
};

// Stores the result in slot; false (slot unchanged) when the contract is
// refused. Storing the same result again leaves the same slot and the same
// ".ADJ" line: the slot's line is replaced, never added to. A pass, an
// average or an adjustment clears the lead: kept from the contract it
// replaces, it would be printed and echoed with a board where no card was led.
bool storeInSlot(int slot, const exchange::TableResult& r, Taken& taken, AdjustmentReplacements& adjustments) {
  const ResultFile& file = taken.file;
  CurrentBoard = file.board;
  const auto noLine = [&] {
    adjustments.clear(slot);
    ResultSlots::SetAdjustmentLogged(slot, false);
  };
  // What the table sent, with the words, score and percentages the desk
  // stores for it.
  const auto store = [slot, &r](const QString& contract, int score, const QString& lead, const QString& declarer,
                                std::optional<std::pair<double, double>> percentages = std::nullopt) {
    SlotResult value = r.result;
    value.contract = contract;
    value.score = score;
    value.lead = lead;
    value.declarer = declarer;
    value.origin = ResultSource::Tablets;
    value.percentages = percentages;
    StoreResult(slot, value);
  };
  if (r.kind == ResultKind::Delete) {
    noLine();
    store(QString(), kScoreNone, QStringLiteral("?"), QString());
    return true;
  }
  if (r.kind == ResultKind::Split) {
    const auto [ns, ew] = r.result.percentages.value_or(std::pair(50.0, 50.0));
    const bool sameSplit = ResultScore[slot] == kScoreAdjusted && ResultNsPercent[slot] == ns && ResultEwPercent[slot] == ew;
    store(QStringLiteral("AJU."), kScoreAdjusted, QString(), QString(), std::pair(ns, ew));
    const QString line = pairsText(file.board, file.ns, file.ew) + QStringLiteral("Ajustement déjà introduit.");
    // The same split twice is listed once (a repeated file, or one applied
    // again after a crash whose line may or may not be in the list).
    (sameSplit ? taken.adjustListUnlessListed : taken.adjustList) << line;
    adjustments.set(slot, file.board, static_cast<int>(ns), static_cast<int>(ew));
    ResultSlots::SetAdjustmentLogged(slot, true);
    return true;
  }
  if (r.kind == ResultKind::Arbitral) {
    // The director types the percentages; those the slot holds (a split
    // received earlier and its ".ADJ" line) stay until then.
    store(QStringLiteral("AJU."), kScoreAdjusted, QString(), QString(),
          std::pair<double, double>(ResultNsPercent[slot], ResultEwPercent[slot]));
    taken.adjustList << pairsText(file.board, file.ns, file.ew) +
                            QStringLiteral("Score arbitral à introduire manuellement.");
    return true;
  }
  if (r.kind == ResultKind::Pass || r.kind == ResultKind::NotPlayed || r.kind == ResultKind::Average) {
    noLine();
    // Every reader of an average goes by its score or by "MOY" in the text,
    // so the tablets' word is stored as it comes.
    if (r.kind == ResultKind::Pass)
      store(QStringLiteral("PASSE"), 0, QString(), QString());
    else
      store(QStringLiteral("MOY"), kScoreAverage, QString(), QString());
    return true;
  }
  const QString& text = r.result.contract;
  const int score = ContractParser(text, false);
  if (score == -1) {
    taken.refereeCalls << QStringLiteral("Table %1; contrat refusé (").arg(file.table) + text +
                              QStringLiteral(") pour la donne %1, N/S %2, E/W %3. Le résultat précédent est gardé.")
                                  .arg(file.board)
                                  .arg(file.ns)
                                  .arg(DeviceEwNumber(file.ew));
    return false;
  }
  noLine();
  // A contract sent without its lead keeps "?" for it.
  store(text, score, r.result.leadGiven() ? r.result.lead : QStringLiteral("?"), r.result.declarer);
  return true;
}

// A table's result for a board the director settled is not applied: the
// file is set aside for his decision, and the desk is told why and how to
// hand the board back.
void holdForDirector(const ResultFile& file, const QString& path, int slot) {
  QString text = file.text.trimmed();
  text.replace(QStringLiteral("  "), QStringLiteral(" "));
  SetAside(path,
           QStringLiteral("Table %1; résultat (").arg(file.table) + text +
               QStringLiteral(") de la donne %1, N/S %2, E/W %3 non appliqué : cette donne a été réglée par "
                              "l'arbitre (")
                   .arg(file.board)
                   .arg(file.ns)
                   .arg(DeviceEwNumber(file.ew)) +
               SettledResultText(slot) + QStringLiteral("). Le fichier est gardé pour votre décision sous le nom "),
           QStringLiteral(". Pour rendre la donne à la table, effacez votre résultat à la feuille de marque."));
}

// A file that could not be read: remembered, and set aside at the tenth
// failure in a row. Each file keeps its own count: two bad files of a table
// do not start each other's count again.
void badRead(int table, const QString& path) {
  LastBadResultFile = path;
  BadResultFileCount =
      SetAsideAfterBadReads(path, QStringLiteral("Table %1; impossible de lire le résultat du fichier ").arg(table));
  if (BadResultFileCount < kBadReadsBeforeSetAside) return;
  LastBadResultFile.clear();
  BadResultFileCount = 0;
}

// Takes one result file: its result stored in its slots, in memory only.
// The file stays until the pass is saved.
void takeFile(int table, const QString& path, Pass& pass) {
  // Looked at before it is read: a file replaced after this is not deleted.
  const std::optional<FileStamp> stamp = stampOf(path);
  QByteArray bytes;
  const std::optional<ResultFile> read = stamp ? readResultFile(path, bytes) : std::nullopt;
  if (!read) {
    badRead(table, path);
    return;
  }
  ForgetBadReads(path);
  if (path == LastBadResultFile) {
    LastBadResultFile.clear();
    BadResultFileCount = 0;
  }
  Taken taken;
  taken.folderTable = table;
  taken.path = path;
  taken.stamp = *stamp;
  taken.bytes = bytes;
  taken.file = *read;
  taken.file.ew = ProgramEwNumber(taken.file.ew);
  const ResultFile& file = taken.file;
  if (file.result.kind != ResultKind::None && !IsByePairNumber(file.ns) && !IsByePairNumber(file.ew)) {
    const int slotCount = std::clamp(ResultSlotCount, 0, kMaxResultSlots);
    QList<int> matching;
    for (int s = 1; s <= slotCount; ++s)
      if (ResultBoard[s] == file.board && ResultNsPair[s] == file.ns && ResultEwPair[s] == file.ew &&
          ResultRound[s] == file.round)
        matching << s;
    for (const int s : matching) {
      // The director settled the board at this table: its "ARBITRE" file
      // (an adjusted score's ".ADJ" line alone may be a table's own split,
      // read again after a restart).
      if (!BoardSettled(s)) continue;
      holdForDirector(file, path, s);
      return;
    }
    for (const int s : matching) {
      if (!storeInSlot(s, file.result, taken, pass.adjustments)) continue;
      taken.changedSlots << s;
      pass.changed = true;
    }
  }
  pass.taken << taken;
}

// What the pass stored, counted from the slots and saved for good (".ADJ",
// then ".VAR" and ".SPECS") before any file is deleted.
void savePass(Pass& pass) {
  TellResultsCounted();
  WriteRecoveryCounters();
  if (!pass.changed) return;
  pass.adjustments.write();
  SaveResults();
}

// The files of a saved pass deleted in the order they were taken; false
// for one that cannot be (it is read again at the next pass, as it would be
// after a crash, and set aside at the tenth time).
void deleteTaken(QList<Taken>& taken, QList<bool>& gone) {
  for (const Taken& t : taken) {
    const std::optional<FileStamp> now = stampOf(t.path);
    bool deleted = false;
    if (now && *now == t.stamp && platform::readRegularFile(t.path, kExchangeLineBytes) == t.bytes) {
      deleted = platform::deleteFile(t.path);
      if (!deleted) badRead(t.folderTable, t.path);
    }
    gone << deleted;
  }
}

// The tables, the scorers and the referee told of what the deleted files
// brought.
void tellTaken(const QList<Taken>& taken, const QList<bool>& gone) {
  QList<int> sentToScorers;
  for (qsizetype i = 0; i < taken.size(); ++i) {
    if (!gone[i]) continue;
    const Taken& t = taken[i];
    for (const QString& line : t.adjustList) AppendAdjustListLine(line);
    for (const QString& line : t.adjustListUnlessListed)
      if (!platform::tryReadTextLines(ProgramFolder + QStringLiteral("ADJUSTLIST.TXT"))
               .value_or(QStringList{})
               .contains(line))
        AppendAdjustListLine(line);
    for (const int s : t.changedSlots) {
      // The scorers get a slot's result as the pass left it, once.
      if (!sentToScorers.contains(s)) {
        sentToScorers << s;
        AppendChangedResult(s);
      }
      WriteTabletResultLine(t.file.table, t.file.board, t.file.round, t.file.ns, t.file.ew,
                            echoedContract(t.file.result), echoedDeclarer(t.file.result));
    }
    for (const QString& call : t.refereeCalls) CallReferee(call);
  }
}

// The end of a pass that changed a slot: recomputed silently, each file
// written once (as the two device refreshes and the board files would
// leave them).
void recompute() {
  RecomputeResultsSilently();
  WriteResultFiles();
  WriteSessionFile();
  WriteBoardFiles(false);
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

// A name the program cannot spell back to the same bytes (not valid UTF-8):
// no path made from it reaches the file.
bool nameReadable(const char* name) {
  const QByteArray bytes(name);
  return QFile::encodeName(QFile::decodeName(bytes)) == bytes;
}

// The table's folder listed without following a link (the folder itself is
// opened as a folder, never through one). Every entry but a folder is taken,
// a FIFO or a device too: it cannot be read, and is set aside like any
// unreadable file. A result file the program cannot name is told once and
// left alone.
TableFiles scanTable(int table, const QString& folder) {
  TableFiles files;
  if (!TabletFolderIsReal(folder)) return files;
  QuietFolder& quiet = quietFolders[table];
  const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return files;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || (quiet.path == folder && sameTime(st, quiet))) {
    ::close(fd);
    return files;
  }
  DIR* dir = ::fdopendir(fd);
  if (!dir) {
    ::close(fd);
    return files;
  }
  const qint64 listedAt = QDateTime::currentSecsSinceEpoch();
  while (const dirent* e = ::readdir(dir)) {
    if (e->d_type == DT_DIR) continue;
    if (e->d_type == DT_UNKNOWN) {
      struct stat entry {};
      if (::fstatat(::dirfd(dir), e->d_name, &entry, AT_SYMLINK_NOFOLLOW) != 0 || S_ISDIR(entry.st_mode)) continue;
    }
    const QByteArray raw(e->d_name);
    if (exchange::IsResultFileName(QString::fromLatin1(raw))) {
      const QString name = QFile::decodeName(raw);
      const QString path = folder + u'/' + name;
      if (!nameReadable(e->d_name)) {
        LeaveAlone(folder + u'/' + QString::fromLatin1(raw.toPercentEncoding("/")),
                   QStringLiteral("Table %1; le nom du fichier ").arg(table) + path +
                       QStringLiteral(" n'est pas lisible (caractères non UTF-8): le fichier est laissé tel quel et "
                                      "n'est pas lu."));
      } else if (!IsLeftAlone(path)) {
        files.results << name;
      }
    } else if (QString::fromLatin1(raw).compare(exchange::kTablePlayersFile, Qt::CaseInsensitive) == 0) {
      files.players = true;
    }
  }
  ::closedir(dir);
  std::sort(files.results.begin(), files.results.end(), writtenBefore);
  if (files.results.isEmpty() && !files.players && st.st_mtim.tv_sec < listedAt - 1) {
    quiet = {folder, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
  } else {
    quiet = {};
  }
  return files;
}

}  // namespace

void AppendAdjustListLine(const QString& text) {
  TextFile file;
  SafeAppend(file, ProgramFolder + QStringLiteral("ADJUSTLIST.TXT"));
  file.writeLine(text);
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
  // Taken, stored, saved; only then the files deleted and the tables told.
  // A crash at any point leaves every file whose result is not saved, and
  // taking a file again gives the same tournament.
  Pass pass;
  try {
    for (int t = 1; t <= tables; ++t) {
      const QString folder = TableFolder(t) + '/';
      for (const QString& name : found[t].results) takeFile(t, folder + name, pass);
    }
  } catch (...) {
    savePass(pass);
    throw;
  }
  savePass(pass);
  QList<bool> gone;
  deleteTaken(pass.taken, gone);
  try {
    tellTaken(pass.taken, gone);
  } catch (...) {
    if (pass.changed) recompute();
    throw;
  }
  if (pass.changed)
    recompute();
  else if (direct)
    ShowAlert(QStringLiteral("Aucun résultat récupéré."));
}
