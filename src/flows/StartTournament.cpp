#include "flows/StartTournament.h"

#include "core/DeviceFiles.h"
#include "core/Flows.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/PairsAndBoards.h"
#include "core/TournamentFiles.h"
#include "devices/BridgeMatesControl.h"
#include "devices/BridgeMatesDatabase.h"
#include "devices/Companions.h"
#include "devices/TableStates.h"
#include "devices/TabletFiles.h"
#include "flows/TournamentMenu.h"
#include "publishing/HandRecords.h"
#include "publishing/PbnImport.h"
#include "setup/Movements.h"
#include "setup/PairLookups.h"
#include "setup/PairsEntry.h"

void StartTournament() {
  if (flowWindows().hidePairsEntry) flowWindows().hidePairsEntry();
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
  if (BridgeMatesMode) ShowTableStatusStrip();
  if (TableDevicesMode) {
    RemindByePair();
    WriteTabletSessionFiles();
    ImportPbnDiagrams();
    StartDealAnalyses();  // in the background: the desk goes on at once
    WritePairNameFiles();
    ResetCounters();
  } else {
    flowSteps().showCounters(QStringLiteral("--"), QStringLiteral("--"));
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
