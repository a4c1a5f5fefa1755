#include "setup/StartTournament.h"

#include "core/DeviceFiles.h"
#include "core/Globals.h"
#include "core/Helpers.h"
#include "core/Messages.h"
#include "core/TournamentFiles.h"
#include "core/TournamentMenu.h"
#include "devices/BridgeMatesControl.h"
#include "devices/BridgeMatesDatabase.h"
#include "devices/Companions.h"
#include "devices/TabletFiles.h"
#include "publishing/PbnImport.h"
#include "setup/Movements.h"
#include "setup/PairLookups.h"
#include "setup/PairsEntry.h"

namespace {

void run(const std::function<void()>& step) {
  if (step) step();
}

}  // namespace

StartTournamentServices& startTournamentServices() {
  static StartTournamentServices services;
  return services;
}

void StartTournament() {
  StartTournamentServices& s = startTournamentServices();
  if (pairsEntryWindow().hide) pairsEntryWindow().hide();
  StorePairsGrid();
  const bool ok = ChooseMovement();
  ResultSlotCount = BoardCount * ResultsPerBoard;
  if (!ok) {
    FillPairsGrids();
    return;
  }
  ByePresent = false;
  for (int slot = 1; slot <= ResultSlotCount; ++slot)
    if (ResultNsPair[slot] != 0 && ResultEwPair[slot] != 0 &&
        (IsByePair(ResultNsPair[slot]) || IsByeEwPair(ResultEwPair[slot]))) {
      ByePresent = true;
      break;
    }
  FindByePair();
  SavePairsFile();
  SaveResults();
  if (TableDevicesMode && BridgeMatesMode) {
    CreateBWS();
    PrepareTabletServer();
  }
  ShowTournamentMenu();
  if (BridgeMatesMode) run(s.showTableStrip);
  if (TableDevicesMode) {
    RemindByePair();
    WriteTabletSessionFiles();
    ImportPbnDiagrams();
    WritePairNameFiles();
    ResetCounters();
  } else if (MenuCountersHook) {
    MenuCountersHook(QStringLiteral("--"), QStringLiteral("--"));
  }
  if (TableDevicesMode && TabletsMode) {
    StartTabletServer();
    StartTabletRetrieval();
  }
  if (TableDevicesMode && BridgeMatesMode) {
    RestartBridgeMatesControl();
    StartBridgeMatesRetrieval();
  }
}
