#include "devices/TableStates.h"

#include "core/DeviceFiles.h"
#include "core/Fatal.h"
#include "core/Flows.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/PairsFile.h"
#include "devices/SessionDatabase.h"
#include "devices/TablePlayers.h"
#include "devices/TabletFiles.h"
#include "setup/PairLookups.h"

#include <QStringList>

#include <algorithm>
#include <exception>

namespace {

TableStatusStrip strip;

void redraw() {
  if (flowWindows().redrawTableStrip) flowWindows().redrawTableStrip();
}

QString fatalField(const QString& field, const QString& table) {
  return field == QLatin1String("Section")
             ? QStringLiteral("(BridgeMates) Le champ \"Section\" n'est pas \"1\" dans la table \"") + table +
                   QStringLiteral("\". Désolé, on arrête!")
             : QStringLiteral("(BridgeMates) Le champ \"Table\" est à zéro (0) dans la table \"") + table +
                   QStringLiteral("\". Désolé, on arrête!");
}

QString unknownTable(int table, const QString& databaseTable) {
  return QStringLiteral("(BridgeMates) La table %1 de la table \"").arg(table) + databaseTable +
         QStringLiteral("\" n'existe pas dans ce tournoi de %1 tables: on l'ignore.").arg(ImportTableCount());
}

// Player 1 (first) or 2 of pair slot; the label rebuilt.
void seatPlayer(int slot, bool first, const QString& name, const QString& number) {
  if (slot < 1 || slot > kMaxPairs) return;
  if (first) {
    Player1Names[slot] = name;
    Player1Licences[slot] = number;
  } else {
    Player2Names[slot] = name;
    Player2Licences[slot] = number;
  }
  PairLabels[slot] = Player1Names[slot] + QStringLiteral(" - ") + Player2Names[slot];
}

// The first slot of round 1 at the table, 0 when none.
int firstRoundSlot(int table) {
  const int slotCount = std::clamp(ResultSlotCount, 0, kMaxResultSlots);
  for (int s = 1; s <= slotCount; ++s)
    if (ResultRound[s] == 1 && ResultTable[s] == table) return s;
  return 0;
}

}  // namespace

const TableStatusStrip& tableStatusStrip() { return strip; }

void ClearTableStatusStrip() {
  strip.states.fill(TableWaiting);
  strip.tableCount = 0;
}

void LayOutTableStatusStrip(int tableCount) {
  strip.states.fill(TableWaiting);
  strip.tableCount = std::clamp(tableCount, 0, kStripTables);
  redraw();
}

void SetTableState(int table, int state) {
  if (table >= 1 && table <= kStripTables) strip.states[table] = state;
  redraw();
}

void ShowTableStatusStrip() {
  strip.visible = true;
  LayOutTableStatusStrip(TableCount);
  if (flowWindows().placeTableStrip) flowWindows().placeTableStrip();
}

void HideTableStatusStrip() {
  strip.visible = false;
  if (flowWindows().hideTableStrip) flowWindows().hideTableStrip();
}

void ReadTableStates() {
  if (BwsFileName.isEmpty()) return;
  QString fatal;
  QStringList reports;
  QList<int> loggedOn;
  const int tables = ImportTableCount();
  RunSessionPoll([&] {
    OpenSessionDatabase(BwsFileName);
    SessionTable& t = BwsTable();
    t.select(QStringLiteral("[Tables]"));
    t.openWhere(QStringLiteral("LogOnOff"), true);
    for (t.first(); !t.eof(); t.next()) {
      if (t.integer(QStringLiteral("Section")) != 1) {
        fatal = fatalField(QStringLiteral("Section"), QStringLiteral("Tables"));
        break;
      }
      const int table = t.integer(QStringLiteral("Table"));
      if (table == 0) {
        fatal = fatalField(QStringLiteral("Table"), QStringLiteral("Tables"));
        break;
      }
      if (t.integer(QStringLiteral("LogOnOff")) != 1) continue;
      t.edit();
      t.setInteger(QStringLiteral("LogOnOff"), 0);
      t.post();
      if (table < 1 || table > tables)
        reports << unknownTable(table, QStringLiteral("Tables"));
      else
        loggedOn << table;
    }
    CloseSessionDatabase();
  });
  for (const int table : loggedOn) SetTableState(table, TableLoggedOn);
  if (!fatal.isEmpty()) FatalStop(fatal);
  for (const QString& report : reports) ShowAlert(report);
}

void ReadPlayerNumbers() {
  if (PairsEntered || PlayersNamed == PlayersExpected || BwsFileName.isEmpty()) return;
  struct Entry {
    int table;
    QString direction;
    QString number;
    QString name;
  };
  QList<Entry> entries;
  QString fatal;
  QStringList reports;
  const int tables = ImportTableCount();
  // The players taken are seated even when the database fails after them.
  std::exception_ptr failure;
  try {
    RunSessionPoll([&] {
      OpenSessionDatabase(BwsFileName);
      SessionTable& t = BwsTable();
      t.select(QStringLiteral("[PlayerNumbers]"));
      t.openWhere(QStringLiteral("Processed"), false);
      for (t.first(); !t.eof(); t.next()) {
        if (t.integer(QStringLiteral("Section")) != 1) {
          fatal = fatalField(QStringLiteral("Section"), QStringLiteral("PlayerNumbers"));
          break;
        }
        const int table = t.integer(QStringLiteral("Table"));
        if (table == 0) {
          fatal = fatalField(QStringLiteral("Table"), QStringLiteral("PlayerNumbers"));
          break;
        }
        if (t.yes(QStringLiteral("Processed"))) continue;
        Entry e{table, t.text(QStringLiteral("Direction")).trimmed().toUpper(),
                t.text(QStringLiteral("Number")).trimmed(), t.text(QStringLiteral("Name")).trimmed()};
        // Marked before the player is seated: a row is taken once.
        t.edit();
        t.setYesNo(QStringLiteral("Processed"), true);
        t.post();
        if (table < 1 || table > tables)
          reports << unknownTable(table, QStringLiteral("PlayerNumbers"));
        else
          entries << e;
      }
      CloseSessionDatabase();
    });
  } catch (...) {
    failure = std::current_exception();
    CloseSessionDatabase();
  }

  bool changed = false;
  for (const Entry& e : entries) {
    QString name;
    QString number = e.number;
    if (e.name.isEmpty()) {
      name = QStringLiteral("*** Non introduit");
      number = QStringLiteral("0");
    } else {
      PlayerNameFromLicence(number, name);
    }
    const QString dir = e.direction == QLatin1String("O") ? QStringLiteral("W") : e.direction;
    const bool northSouth = dir == QLatin1String("N") || dir == QLatin1String("S");
    const bool eastWest = dir == QLatin1String("E") || dir == QLatin1String("W");
    if (!northSouth && !eastWest) continue;
    const bool first = dir == QLatin1String("N") || dir == QLatin1String("E");
    if (!IsHowell) {
      seatPlayer(northSouth ? e.table : TableCount + e.table, first, name, number);
    } else {
      const int s = firstRoundSlot(e.table);
      if (s == 0) {
        fatal = QStringLiteral("Impossible! Lecture PlayerNumbers, %1...").arg(e.table);
        break;
      }
      seatPlayer(FindPairSlot(northSouth ? ResultNsPair[s] : ResultEwPair[s]), first, name, number);
    }
    changed = true;
  }
  if (changed) {
    if (TabletsInUse) WritePairNameFiles();
    SavePairsFile();
  }
  if (!fatal.isEmpty()) FatalStop(fatal);
  if (changed || !reports.isEmpty()) {
    flowSteps().recountMenuCounters();
    WriteRecoveryCounters();
  }
  if (failure) std::rethrow_exception(failure);
  for (const QString& report : reports) ShowAlert(report);
}
