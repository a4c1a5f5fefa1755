#include "devices/TableDeviceEchoes.h"

#include "core/DeviceEchoes.h"
#include "core/Globals.h"
#include "core/ResultNews.h"
#include "devices/BridgeMatesCorrections.h"
#include "devices/BridgeMatesTables.h"
#include "devices/DevicePolling.h"
#include "devices/TabletFiles.h"
#include "devices/TabletLines.h"
#include "scoring/Adjustments.h"

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
  // BridgeMates its row, and the table's board is settled: a result the
  // director gives is his, whatever the table sent before or sends after.
  // An adjusted score's row, and with tablets its line, went with its
  // percentages (resultAdjusted) already.
  // Both sheets send the BridgeMates every other result, typed or given by a
  // key (average, passed out, the last result again): what the scorers show
  // is then what a resume would send them (it sends every slot whose last
  // row differs, a key result included), whether the program was restarted
  // or not. A swap of sides comes as a result keyed: the line and the row
  // carry the pairs as they sat.
  void resultStored(int slot, ResultSheet, ResultOrigin origin) override {
    const bool toldAdjusted = origin == ResultOrigin::Adjusted && tablets() && !AwaitsPercentages(slot);
    if (!toldAdjusted) writeResultLine(slot);
    WriteSettledBoardFile(slot);
    if (origin != ResultOrigin::Adjusted) AppendChangedResult(slot);
  }
  // Erased at the desk: the board goes back to its table, which may enter it
  // again (the deletion line says so, and the board is no longer settled).
  void resultErased(int slot, ResultSheet) override {
    const SeatedPairs seated = SeatedPairsOf(slot);
    WriteTabletDeleteLine(ResultTable[slot], ResultBoard[slot], ResultRound[slot], seated.ns, seated.ew);
    RemoveSettledBoardFile(slot);
    AppendNotPlayedResult(slot);
  }
  // The tablets see the split at once, in their own words; the BridgeMates
  // get it as a correction.
  void resultAdjusted(int slot, const QString& remark) override {
    if (tablets()) writeResultLine(slot);
    WriteSettledBoardFile(slot);
    AppendCorrectedResult(slot, remark);
  }

 private:
  static bool tablets() { return TabletsMode || TabletsInUse; }
  static void writeResultLine(int slot) {
    const SeatedPairs seated = SeatedPairsOf(slot);
    WriteTabletResultLine(ResultTable[slot], ResultBoard[slot], ResultRound[slot], seated.ns, seated.ew,
                          EchoedResult(slot), ResultDeclarer[slot]);
  }
};

}  // namespace

void InstallTableDeviceEchoes() {
  static TableDeviceEchoes echoes;
  InstallDeviceEchoes(&echoes);
  AddResultListener(echoes);
}
