#include "devices/TabletLines.h"

#include "core/DeviceFiles.h"
#include "core/ErrorReports.h"
#include "core/ExchangeFiles.h"
#include "core/ExchangeLines.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/SafeFiles.h"
#include "core/TournamentFileLines.h"
#include "devices/TabletFiles.h"
#include "platform/Clock.h"
#include "platform/TextFiles.h"
#include "scoring/Adjustments.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <exception>

using tournament_files::RewriteWholeFile;

namespace {

constexpr int kMaxPendingFiles = 100;
// A round's board list: a few bytes a board, even with every correction.
constexpr qsizetype kExchangeListBytes = 65536;

// A table of the evening whose folder is a real one: never written through a link.
bool tableFolderKnown(int table) {
  return !TabletSeriesFolder.isEmpty() && table >= 1 && table <= kMaxTables && TabletFolderIsReal(TableFolder(table));
}

void appendLine(const QString& fileName, const QString& line) {
  TextFile file;
  SafeAppend(file, fileName);
  file.writeLine(line);
  CloseTextFile(file);
}

QString boardResultLine(int table, int board, int round, int nsPair, int ewPair, const QString& contract,
                        const QString& declarer) {
  return exchange::EchoLineText({table, 999, board, round, nsPair, ewPair, declarer, contract, std::nullopt});
}

QString boardDeleteLine(int table, int board, int round, int nsPair, int ewPair) {
  return boardResultLine(table, board, round, nsPair, ewPair, QStringLiteral("DELETE"), QStringLiteral("declarant"));
}

// The echo of a BridgeMates result: the slot's line under number k, its
// pairs as they sat.
exchange::EchoLine tableResultLine(int slot, int k, const QString& contract, const QString& lead,
                                   const QString& declarer) {
  const SeatedPairs seated = SeatedPairsOf(slot);
  return {ResultTable[slot], k, ResultBoard[slot], ResultRound[slot], seated.ns, seated.ew, declarer, contract, lead};
}

// The boards of round r's list at the table.
QStringList roundBoards(const QString& folder, int round) {
  const auto lines =
      platform::readRegularTextLines(folder + u'/' + exchange::RoundBoardsFileName(round), kExchangeListBytes);
  QStringList boards;
  for (const QString& line : lines.value_or(QStringList{})) boards << line.trimmed();
  return boards;
}

}  // namespace

QString TabletLogStamp() { return platform::now().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")); }

void WriteTabletResultLine(int table, int board, int round, int nsPair, int ewPair, const QString& contract,
                           const QString& declarer) {
  if (!TableDevicesMode || !tableFolderKnown(table)) return;
  const QString line = boardResultLine(table, board, round, nsPair, ewPair, contract, declarer);
  const QString folder = TableFolder(table);
  RewriteWholeFile(folder + u'/' + exchange::SentEchoFileName(board), line + QStringLiteral("\r\n"));
  RewriteWholeFile(folder + u'/' + exchange::KeptEchoFileName(board), line + QStringLiteral("\r\n"));
  appendLine(DataFolder + TournamentCode + QStringLiteral(".LOG"), TabletLogStamp() + ' ' + line);
}

void WriteTabletDeleteLine(int table, int board, int round, int nsPair, int ewPair) {
  if (!TableDevicesMode || !tableFolderKnown(table)) return;
  const QString line = boardDeleteLine(table, board, round, nsPair, ewPair);
  const QString folder = TableFolder(table);
  RewriteWholeFile(folder + u'/' + exchange::SentEchoFileName(board), line + QStringLiteral("\r\n"));
  platform::deleteFile(folder + u'/' + exchange::KeptEchoFileName(board));
  appendLine(TabletSharedFolder + QStringLiteral("/LOG.TXT"),
             TabletLogStamp() + QStringLiteral(" TALVARON.EXE ") + line);
}

QString SettledResultText(int slot) { return exchange::SettledResultLine(ResultSlots::record(slot).result); }

void WriteSettledBoardFile(int slot) {
  // Only the tablets read it (a BridgeMate shows what the scorers' database holds).
  if (!TableDevicesMode || !(TabletsMode || TabletsInUse) || slot < 1 || slot > kMaxResultSlots) return;
  const int table = ResultTable[slot];
  if (!tableFolderKnown(table)) return;
  RewriteWholeFile(SettledBoardFile(table, ResultBoard[slot]), SettledResultText(slot) + QStringLiteral("\r\n"));
}

void RemoveSettledBoardFile(int slot) {
  if (slot < 1 || slot > kMaxResultSlots || !tableFolderKnown(ResultTable[slot])) return;
  platform::deleteFile(SettledBoardFile(ResultTable[slot], ResultBoard[slot]));
}

QString EchoedResult(int slot) {
  if (ResultScore[slot] == kScoreAdjusted && !AwaitsPercentages(slot))
    return QStringLiteral("%1 - %2").arg(std::lround(ResultNsPercent[slot])).arg(std::lround(ResultEwPercent[slot]));
  return ResultContract[slot].isEmpty() ? QString::number(ResultScore[slot]) : ResultContract[slot];
}

void WriteTableResultFile(int slot, bool erased, bool listOnce) {
  if (slot >= 1 && slot <= kMaxResultSlots) WriteTableResultFile(slot, ResultSlots::record(slot).result, erased, listOnce);
}

void WriteTableResultFile(int slot, const SlotResult& result, bool erased, bool listOnce) {
  if (TabletsInUse || slot < 1 || slot > kMaxResultSlots) return;
  const int table = ResultTable[slot];
  if (!tableFolderKnown(table)) return;
  const QString folder = TableFolder(table);
  int k = 1;
  while (k <= kMaxPendingFiles && platform::fileExists(folder + u'/' + exchange::KeptEchoFileName(k))) ++k;
  if (k > kMaxPendingFiles) {
    ShowAlert(QStringLiteral("Bug! 100 fichiers RESX trouvés..."));
    return;
  }
  const exchange::EchoLine held = tableResultLine(slot, k, result.contract, result.lead, result.declarer);
  const exchange::EchoLine sent =
      erased ? tableResultLine(slot, k, QStringLiteral("DELETE"), QStringLiteral("?"), result.declarer) : held;
  RewriteWholeFile(folder + u'/' + exchange::SentEchoFileName(k),
                   exchange::EchoLineText(sent) + QStringLiteral("\r\n"));
  RewriteWholeFile(folder + u'/' + exchange::KeptEchoFileName(k),
                   exchange::EchoLineText(held) + QStringLiteral("\r\n"));

  const QString boards = folder + u'/' + exchange::RoundBoardsFileName(ResultRound[slot]);
  const QString board = QString::number(ResultBoard[slot]);
  if (!erased) {
    if (!listOnce || !roundBoards(folder, ResultRound[slot]).contains(board)) appendLine(boards, board);
    return;
  }
  // Never through a link: what it leads to would be copied into the folder.
  const auto lines = platform::readRegularTextLines(boards, kExchangeListBytes);
  if (!lines) return;
  QString kept;
  for (const QString& line : *lines)
    if (line.trimmed() != board) kept += line + QStringLiteral("\r\n");
  if (kept.isEmpty())
    platform::deleteFile(boards);
  else
    RewriteWholeFile(boards, kept);
}

namespace {

// A result line (RESS/RESX) that reports slot: its board, round and pairs
// (the E/W pair as the movement numbers it too, as a tablet may send it), in
// either order: a line from before a swap of sides reports the slot too.
bool reportsSlot(const QString& line, int slot) {
  const std::optional<exchange::EchoLine> e = exchange::ParseEchoLine(line);
  if (!e || e->board != ResultBoard[slot] || e->round != ResultRound[slot]) return false;
  const auto pairs = [&e](int ns, int ew) {
    return e->ns == ns && (e->ew == ew || (MitchellNumbering && e->ew + TableCount == ew));
  };
  return pairs(ResultNsPair[slot], ResultEwPair[slot]) || pairs(ResultEwPair[slot], ResultNsPair[slot]);
}

bool reportsDeletion(const std::optional<QString>& line) {
  if (!line) return true;
  const std::optional<exchange::EchoLine> e = exchange::ParseEchoLine(*line);
  return e && exchange::IsDeleteEcho(*e);
}

// One result file per board: the slot's line, or its deletion, written
// again unless the table's files say so already (in the program's words or
// in those the tablets sent: "NOT PLAYED" for "MOY", "AJU" for an adjusted
// score still to split; a split is echoed in the tablets' words, "60 - 40").
void resendBoardLine(int slot) {
  const int table = ResultTable[slot];
  const int board = ResultBoard[slot];
  const QString folder = TableFolder(table);
  const std::optional<QString> sent = ReadExchangeLine(folder + u'/' + exchange::SentEchoFileName(board));
  const std::optional<QString> kept = ReadExchangeLine(folder + u'/' + exchange::KeptEchoFileName(board));
  const SeatedPairs seated = SeatedPairsOf(slot);
  if (ResultScore[slot] == kScoreNone) {
    const bool told = (!sent || !reportsSlot(*sent, slot) || reportsDeletion(sent)) &&
                      (!kept || !reportsSlot(*kept, slot) || reportsDeletion(kept));
    if (!told) WriteTabletDeleteLine(table, board, ResultRound[slot], seated.ns, seated.ew);
    return;
  }
  const QString contract = EchoedResult(slot);
  // The tablets' own words for what is stored stand as they were echoed.
  QStringList forms{contract};
  if (contract == QLatin1String("MOY")) forms << QStringLiteral("NOT PLAYED");
  if (AwaitsPercentages(slot)) forms << QStringLiteral("AJU");
  // A result without a contract played has no declarer to tell: whatever
  // letter its line carries, it says the same.
  const bool anyDeclarer = ResultContract[slot].isEmpty() || contract == QLatin1String("PASSE") ||
                           contract.startsWith(QLatin1String("MOY")) || contract.startsWith(QLatin1String("AJU"));
  const auto same = [anyDeclarer](const std::optional<QString>& held, const QString& line) {
    std::optional<exchange::EchoLine> a = held ? exchange::ParseEchoLine(*held) : std::nullopt;
    std::optional<exchange::EchoLine> b = exchange::ParseEchoLine(line);
    if (!a || !b) return false;
    if (anyDeclarer) a->declarer = b->declarer;
    return *a == *b;
  };
  for (const QString& form : forms) {
    const QString line = boardResultLine(table, board, ResultRound[slot], seated.ns, seated.ew, form,
                                         ResultDeclarer[slot]);
    if (same(sent, line) && same(kept, line)) return;
  }
  WriteTabletResultLine(table, board, ResultRound[slot], seated.ns, seated.ew, contract, ResultDeclarer[slot]);
}

// What a BridgeMates table has not taken yet: its RESS<k> files, each with
// the time it was written.
struct Pending {
  int k = 0;
  QDateTime written;
  QString line;
};

QList<Pending> pendingAt(int table) {
  QList<Pending> pending;
  const QString folder = TableFolder(table);
  QSet<QString> written;
  for (const QString& name : platform::listFolder(folder, QStringLiteral("RES?*.TXT"))) written << name.toUpper();
  for (int k = 1; k <= kMaxPendingFiles; ++k) {
    // A pair cut short (RESS without its RESX) counts as not sent: the next
    // echo takes its number.
    if (!written.contains(exchange::SentEchoFileName(k)) || !written.contains(exchange::KeptEchoFileName(k)))
      continue;
    const QString path = folder + u'/' + exchange::SentEchoFileName(k);
    if (const std::optional<QString> line = ReadExchangeLine(path))
      pending << Pending{k, QFileInfo(path).lastModified(), *line};
  }
  return pending;
}

// A slot sent again to its BridgeMates table unless the round's list holds
// its board and the newest file waiting there for it, if any, holds its
// result (with no file waiting, the table took it); an erased slot, when the
// newest file waiting for it is a result or the round's list still holds
// its board. A correction whose file was lost after the table took the
// first result's leaves nothing to tell them apart, and is not seen.
void resendTableFile(int slot, const QList<Pending>& pending) {
  const Pending* newest = nullptr;
  for (const Pending& p : pending)
    if (reportsSlot(p.line, slot) &&
        (!newest || p.written > newest->written || (p.written == newest->written && p.k > newest->k)))
      newest = &p;
  const bool listed =
      roundBoards(TableFolder(ResultTable[slot]), ResultRound[slot]).contains(QString::number(ResultBoard[slot]));
  if (ResultScore[slot] == kScoreNone) {
    const auto erasure = [](const QString& line) {
      const std::optional<exchange::EchoLine> e = exchange::ParseEchoLine(line);
      return e && e->contract == QLatin1String("DELETE") && e->lead == QLatin1String("?");
    };
    if (listed || (newest && !erasure(newest->line))) WriteTableResultFile(slot, true);
    return;
  }
  if (!newest) {
    // No file waiting: the table took the result whose board its round's
    // list holds (the list is written last).
    if (!listed) WriteTableResultFile(slot, false, true);
    return;
  }
  const exchange::EchoLine held =
      tableResultLine(slot, newest->k, ResultContract[slot], ResultLead[slot], ResultDeclarer[slot]);
  if (exchange::ParseEchoLine(newest->line) != held || !listed) WriteTableResultFile(slot, false, true);
}

}  // namespace

void ResendTableEchoes() {
  if (!TableDevicesMode || TabletSeriesFolder.isEmpty()) return;
  const bool perBoard = !BridgeMatesMode || TabletsInUse;
  const int slotCount = std::clamp(ResultSlotCount, 0, kMaxResultSlots);
  QHash<int, QList<Pending>> pending;
  std::exception_ptr failure;
  // The deletions first: a table's file of a board that two slots share ends
  // with the result.
  for (const bool results : {false, true})
    for (int s = 1; s <= slotCount; ++s) {
      if ((ResultScore[s] != kScoreNone) != results) continue;
      if (!tableFolderKnown(ResultTable[s]) || ResultNsPair[s] == 0 || ResultEwPair[s] == 0) continue;
      try {
        if (perBoard) {
          resendBoardLine(s);
        } else {
          if (!pending.contains(ResultTable[s])) pending.insert(ResultTable[s], pendingAt(ResultTable[s]));
          resendTableFile(s, pending[ResultTable[s]]);
        }
      } catch (const platform::IoError&) {
        // The other tables are told all the same; the first failure is shown.
        if (!failure) failure = std::current_exception();
      }
    }
  if (failure) ReportEscapedError(failure);
}
