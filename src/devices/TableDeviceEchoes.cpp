#include "devices/TableDeviceEchoes.h"

#include "core/DeviceEchoes.h"
#include "core/Globals.h"
#include "core/ResultNews.h"
#include "devices/BridgeMatesCorrections.h"
#include "devices/BridgeMatesTables.h"
#include "devices/DevicePolling.h"
#include "devices/TabletFiles.h"
#include "devices/TabletLines.h"

namespace {

class TableDeviceEchoes : public DeviceEchoes, public ResultListener {
 public:
  TableDeviceEchoes() : ResultListener(kTableDevicesListener) {}

  void playerNamed(const QString& grid, int player, int row, const QString& name) override {
    AddPlayerNumbersRow(grid, player, row, name);
  }
  void stateCleared() override { ClearDevicePollingState(); }
  void removeLeftovers() override { RemoveTabletLeftovers(); }

  // A result stored at a sheet: the tablets get its board line, the
  // BridgeMates its row; a result changed there (the tables knew one, or
  // the director settled the board before) or an adjusted score settles the
  // table's board for the director.
  // Both sheets send the BridgeMates every result, typed or given by a key
  // (average, passed out, the last result again), but an adjusted score,
  // whose percentages went with resultAdjusted already: what the scorers
  // show is then what a resume would send them (it sends every slot whose
  // last row differs, a key result included), whether the program was
  // restarted or not.
  void resultStored(int slot, ResultSheet, ResultOrigin origin) override {
    const bool changed = origin == ResultOrigin::Adjusted || TabletBoardKnown(ResultTable[slot], ResultBoard[slot]);
    WriteTabletResultLine(ResultTable[slot], ResultBoard[slot], ResultRound[slot], ResultNsPair[slot],
                          ResultEwPair[slot],
                          ResultContract[slot].isEmpty() ? QString::number(ResultScore[slot]) : ResultContract[slot],
                          ResultDeclarer[slot]);
    if (changed) WriteSettledBoardFile(slot);
    if (origin != ResultOrigin::Adjusted) AppendChangedResult(slot);
  }
  void resultErased(int slot, ResultSheet) override {
    WriteTabletDeleteLine(ResultTable[slot], ResultBoard[slot], ResultRound[slot], ResultNsPair[slot],
                          ResultEwPair[slot]);
    WriteSettledBoardFile(slot);
    AppendNotPlayedResult(slot);
  }
  void resultAdjusted(int slot, const QString& remark) override {
    WriteSettledBoardFile(slot);
    AppendCorrectedResult(slot, remark);
  }
};

}  // namespace

void InstallTableDeviceEchoes() {
  static TableDeviceEchoes echoes;
  InstallDeviceEchoes(&echoes);
  AddResultListener(echoes);
}
