#include "devices/TableDeviceEchoes.h"

#include "core/DeviceEchoes.h"
#include "devices/BridgeMatesCorrections.h"
#include "devices/BridgeMatesTables.h"
#include "devices/DevicePolling.h"
#include "devices/TabletFiles.h"
#include "devices/TabletLines.h"

namespace {

class TableDeviceEchoes : public DeviceEchoes {
 public:
  void resultChanged(int slot) override { AppendChangedResult(slot); }
  void resultNotPlayed(int slot) override { AppendNotPlayedResult(slot); }
  void resultCorrected(int slot, const QString& remark) override { AppendCorrectedResult(slot, remark); }
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
};

}  // namespace

void InstallTableDeviceEchoes() {
  static TableDeviceEchoes echoes;
  InstallDeviceEchoes(&echoes);
}
