#include "devices/TabletLines.h"

#include "core/DeviceFiles.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/SafeFiles.h"
#include "core/TournamentFileLines.h"
#include "devices/TabletFiles.h"
#include "platform/Clock.h"
#include "platform/TextFiles.h"

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

QString resultLine(int table, int marker, int board, int round, int nsPair, int ewPair) {
  return QStringLiteral("%1 1 %2 %3 %4 %5 %6 ").arg(table).arg(marker).arg(board).arg(round).arg(nsPair).arg(ewPair);
}

}  // namespace

QString TabletLogStamp() { return platform::now().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")); }

void WriteTabletResultLine(int table, int board, int round, int nsPair, int ewPair, const QString& contract,
                           const QString& declarer) {
  if (!TableDevicesMode || !tableFolderKnown(table)) return;
  const QString line = resultLine(table, 999, board, round, nsPair, ewPair) + declarer + ' ' + contract +
                       QStringLiteral(" Entame=?");
  const QString folder = TableFolder(table);
  RewriteWholeFile(folder + QStringLiteral("/RESS%1.TXT").arg(board), line + QStringLiteral("\r\n"));
  RewriteWholeFile(folder + QStringLiteral("/RESX%1.TXT").arg(board), line + QStringLiteral("\r\n"));
  appendLine(DataFolder + TournamentCode + QStringLiteral(".LOG"), TabletLogStamp() + ' ' + line);
}

void WriteTabletDeleteLine(int table, int board, int round, int nsPair, int ewPair) {
  if (!TableDevicesMode || !tableFolderKnown(table)) return;
  const QString line =
      resultLine(table, 999, board, round, nsPair, ewPair) + QStringLiteral("declarant DELETE Entame=?");
  const QString folder = TableFolder(table);
  RewriteWholeFile(folder + QStringLiteral("/RESS%1.TXT").arg(board), line + QStringLiteral("\r\n"));
  platform::deleteFile(folder + QStringLiteral("/RESX%1.TXT").arg(board));
  appendLine(TabletSharedFolder + QStringLiteral("/LOG.TXT"),
             TabletLogStamp() + QStringLiteral(" TALVARON.EXE ") + line);
}

void WriteTableResultFile(int slot, bool erased) {
  if (TabletsInUse || slot < 1 || slot > kMaxResultSlots) return;
  const int table = ResultTable[slot];
  if (!tableFolderKnown(table)) return;
  const QString folder = TableFolder(table);
  int k = 1;
  while (k <= kMaxPendingFiles && platform::fileExists(folder + QStringLiteral("/RESX%1.TXT").arg(k))) ++k;
  if (k > kMaxPendingFiles) {
    ShowAlert(QStringLiteral("Bug! 100 fichiers RESX trouvés..."));
    return;
  }
  const QString head = resultLine(table, k, ResultBoard[slot], ResultRound[slot], ResultNsPair[slot],
                                  ResultEwPair[slot]) +
                       ResultDeclarer[slot] + ' ';
  const QString sent = erased ? QStringLiteral("DELETE ?") : ResultContract[slot] + ' ' + ResultLead[slot];
  RewriteWholeFile(folder + QStringLiteral("/RESS%1.TXT").arg(k), head + sent + QStringLiteral("\r\n"));
  RewriteWholeFile(folder + QStringLiteral("/RESX%1.TXT").arg(k),
                   head + ResultContract[slot] + ' ' + ResultLead[slot] + QStringLiteral("\r\n"));

  const QString boards = folder + QStringLiteral("/DONNESTOUR%1.TXT").arg(ResultRound[slot]);
  const QString board = QString::number(ResultBoard[slot]);
  if (!erased) {
    appendLine(boards, board);
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
