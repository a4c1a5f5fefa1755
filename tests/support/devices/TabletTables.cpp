#include "support/devices/TabletTables.h"

#include "core/DeviceNumbers.h"
#include "core/Globals.h"
#include "core/State.h"
#include "devices/TabletFiles.h"
#include "platform/Cp1252.h"
#include "platform/TextFiles.h"
#include "setup/Movements.h"
#include "setup/PairLookups.h"
#include "support/TestState.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <csignal>

namespace testing_support {

void MakeTabletMitchell(int tables, int boardsPerTable) {
  PairCount = PairSlotCount = 2 * tables;
  TableCount = ResultsPerBoard = tables;
  for (int s = 1; s <= PairCount; ++s) {
    PairNumbers[s] = s <= tables ? s : -(s - tables);
    Player1Names[s] = QStringLiteral("Nom%1").arg(s);
    PairLabels[s] = Player1Names[s];
  }
  MitchellNumbering = true;
  BoardsPerTable = boardsPerTable;
  RoundsPlayed = RoundsScheduled = RoundCount = tables;
  BoardCount = DealCount = tables * boardsPerTable;
  ResultSlotCount = BoardCount * ResultsPerBoard;
  GenerateMitchell();
  RenumberMitchellEastWest();
}

void LayOutTabletEvening(const QString& code, int tables, int boardsPerTable) {
  TableDevicesMode = TabletsMode = true;
  TournamentCode = code;
  MakeTabletMitchell(tables, boardsPerTable);
  WriteTabletSessionFiles();
}

TablesServerProcess::TablesServerProcess(const QString& exchange, const QString& copy)
    : process_(std::make_unique<QProcess>()) {
  const QString built = QCoreApplication::applicationDirPath() + "/talvaron-tables";
  process_->setProgram(!copy.isEmpty() && QFile::copy(built, copy) ? copy : built);
  process_->setArguments({"--exchange", exchange, "--address", "127.0.0.1", "--port", "0", "--pages", exchange});
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("TALVARON_TABLES_CODE", kTablesCode);
  process_->setProcessEnvironment(environment);
  process_->start();
  process_->waitForReadyRead(5000);
  const QRegularExpressionMatch m = QRegularExpression(":(\\d+)/").match(QString::fromUtf8(process_->readLine()));
  port_ = m.hasMatch() ? m.captured(1).toInt() : 0;
}

TablesServerProcess::~TablesServerProcess() { kill(); }

qint64 TablesServerProcess::processId() const {
  return process_->state() == QProcess::NotRunning ? 0 : process_->processId();
}

void TablesServerProcess::kill() {
  if (process_->state() == QProcess::NotRunning) return;
  ::kill(static_cast<pid_t>(process_->processId()), SIGKILL);
  process_->waitForFinished(5000);
}

bool TablesServerProcess::terminate(int ms) {
  if (process_->state() == QProcess::NotRunning) return true;
  ::kill(static_cast<pid_t>(process_->processId()), SIGTERM);
  return process_->waitForFinished(ms);
}

bool LinkBuiltTablesServer(const QString& programFolder) {
  return QFile::link(QCoreApplication::applicationDirPath() + "/talvaron-tables", programFolder + "talvaron-tables");
}

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
