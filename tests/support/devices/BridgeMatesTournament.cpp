#include "support/devices/BridgeMatesTournament.h"

#include "core/Globals.h"
#include "devices/BridgeMatesDatabase.h"
#include "devices/TabletFiles.h"
#include "support/BridgeMatesScorers.h"
#include "support/TestSlots.h"

#include <QFile>

namespace testing_support {

int MitchellTable(int tables, int boardsPerTable, int board, int round) {
  const int set = (board - 1) / boardsPerTable + 1;
  return ((set - round) % tables + tables) % tables + 1;
}

void SetUpBridgeMatesMitchell(int tables, int boardsPerTable) {
  TournamentCode = "20261207";
  TableDevicesMode = BridgeMatesMode = true;
  EntryByContracts = true;
  TableCount = ResultsPerBoard = RoundCount = RoundsScheduled = RoundsPlayed = tables;
  PairCount = PairSlotCount = 2 * tables;
  BoardsPerTable = boardsPerTable;
  BoardCount = DealCount = tables * boardsPerTable;
  ResultSlotCount = BoardCount * tables;
  MitchellNumbering = true;
  PairsEntered = true;
  BridgeMatesPin = "3861";
  for (int k = 1; k <= tables; ++k) {
    for (int s : {k, tables + k}) {
      const QString side = s <= tables ? "NS" : "EW";
      PairNumbers[s] = s <= tables ? k : -k;
      Player1Names[s] = QString("%1%2 A").arg(side).arg(k);
      Player2Names[s] = QString("%1%2 B").arg(side).arg(k);
      Player1Licences[s] = QString::number(s * 100 + 1);
      Player2Licences[s] = QString::number(s * 100 + 2);
      PairLabels[s] = Player1Names[s] + " - " + Player2Names[s];
    }
  }
  for (int b = 1; b <= BoardCount; ++b)
    for (int r = 1; r <= tables; ++r) {
      const int slot = (b - 1) * tables + r;
      const int table = MitchellTable(tables, boardsPerTable, b, r);
      TestSlots().nsPair[slot] = table;
      TestSlots().ewPair[slot] = tables + ((table - r) % tables + tables) % tables + 1;
      TestSlots().round[slot] = r;
      TestSlots().table[slot] = table;
      TestSlots().board[slot] = b;
      TestSlots().score[slot] = kScoreNone;
      TestSlots().lead[slot] = TestSlots().declarer[slot] = "?";
    }
  PlayersExpected = PlayersNamed = 2 * PairCount;
  SetTabletFolders();
}

void CreateMitchellDatabase(const QString& programFolder) {
  QFile::remove(programFolder + "BRIDGEMATE.BWS");
  QFile::copy(BuiltBwsTemplate(), programFolder + "BRIDGEMATE.BWS");
  CreateBWS();
}

}  // namespace testing_support
