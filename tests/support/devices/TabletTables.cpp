#include "support/devices/TabletTables.h"

#include "core/DeviceNumbers.h"
#include "core/Globals.h"
#include "devices/TabletFiles.h"
#include "platform/Cp1252.h"
#include "platform/TextFiles.h"
#include "setup/PairLookups.h"
#include "support/TestState.h"

#include <QCoreApplication>

namespace testing_support {

QString BuiltTabletServerStandIn() {
  return QCoreApplication::applicationDirPath() + "/standins/PCQuillmarkeServer.EXE";
}
QString BuiltTabletCompanionStandIn() { return QCoreApplication::applicationDirPath() + "/standins/TABLOSSE.EXE"; }

QString TabletTables::enterResult(int table, int board, int round, int ns, int ew, const QString& text) {
  const QString path = TableFolder(table) + QStringLiteral("/REST%1.TXT").arg(++next_);
  const QString line =
      QStringLiteral("%1 1 0 %2 %3 %4 %5 ").arg(table).arg(board).arg(round).arg(ns).arg(DeviceEwNumber(ew)) + text;
  writeBytes(path, platform::toCp1252(line + QStringLiteral("\r\n")));
  return path;
}

void TabletTables::enterPlayers(int table, const QStringList& entries) {
  writeBytes(TableFolder(table) + QStringLiteral("/PLAYERS.TXT"),
             platform::toCp1252(entries.join(u'@') + QStringLiteral("\r\n")));
}

int TabletTables::playEveryTable(const std::function<QString(int slot)>& textOf) {
  int written = 0;
  for (int s = 1; s <= ResultSlotCount; ++s) {
    const int ns = ResultNsPair[s];
    const int ew = ResultEwPair[s];
    if (ns == 0 || ew == 0 || ResultTable[s] == 0 || ResultRound[s] > RoundsPlayed) continue;
    if (IsByeSlot(FindPairSlot(ns)) || IsByeSlot(FindPairSlot(ew))) continue;
    enterResult(ResultTable[s], ResultBoard[s], ResultRound[s], ns, ew, textOf(s));
    ++written;
  }
  return written;
}

QStringList TabletTables::pendingResults(int table) const {
  return platform::listFolder(TableFolder(table), QStringLiteral("REST*.TXT"));
}

}  // namespace testing_support
