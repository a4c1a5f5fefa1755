#include "devices/TableDeviceEchoes.h"

#include "core/DeviceEchoes.h"
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

  void tabletResult(int table, int board, int round, int nsPair, int ewPair, const QString& contract,
                    const QString& declarer) override {
    WriteTabletResultLine(table, board, round, nsPair, ewPair, contract, declarer);
  }
  void tabletResultDeleted(int table, int board, int round, int nsPair, int ewPair) override {
    WriteTabletDeleteLine(table, board, round, nsPair, ewPair);
  }
  void playerNamed(const QString& grid, int player, int row, const QString& name) override {
    AddPlayerNumbersRow(grid, player, row, name);
  }
  void stateCleared() override { ClearDevicePollingState(); }
  void removeLeftovers() override { RemoveTabletLeftovers(); }

  // The BridgeMates learn a stored result as the sheets have always sent it:
  // the table sheet sends all but an adjusted score (its percentages went
  // with resultAdjusted already), the board sheet only a typed contract or
  // points (never its keys: average, passed out, the last result again).
  void resultStored(int slot, ResultSheet sheet, ResultOrigin origin) override {
    const bool sent = sheet == ResultSheet::Table ? origin != ResultOrigin::Adjusted : origin == ResultOrigin::Typed;
    if (sent) AppendChangedResult(slot);
  }
  void resultErased(int slot, ResultSheet) override { AppendNotPlayedResult(slot); }
  void resultAdjusted(int slot, const QString& remark) override { AppendCorrectedResult(slot, remark); }
};

}  // namespace

void InstallTableDeviceEchoes() {
  static TableDeviceEchoes echoes;
  InstallDeviceEchoes(&echoes);
  AddResultListener(echoes);
}
