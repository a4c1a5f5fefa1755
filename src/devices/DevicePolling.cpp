#include "devices/DevicePolling.h"

#include "core/DealDiagrams.h"
#include "core/Globals.h"
#include "devices/BridgeMatesImport.h"
#include "devices/BridgeMatesTables.h"
#include "devices/SessionDatabase.h"
#include "devices/TableStates.h"
#include "devices/TabletFiles.h"
#include "devices/TabletImport.h"
#include "scoring/Frequencies.h"
#include "scoring/Ranking.h"
#include "scoring/ResultFiles.h"

void PollTableDevices() {
  ReadTableStates();
  ReadPlayerNumbers();
  PollHandRecords();
  ImportBridgeMatesResults();
  if (TabletsInUse) ImportTabletResults();
}

void ClearDevicePollingState() {
  LastBadResultFile.clear();
  BadResultFileCount = 0;
  ForgetAllBadReads();
  ResetLockedPolls();
  ClearBridgeMatesImportState();
  ClearTableStatusStrip();
}

void RefreshFrequenciesForDevices() {
  ComputeFrequenciesSilently();
  WriteResultFiles();
  WriteBoardFiles(true);
}

void RefreshResultsForDevices() {
  ComputeResults();
  WriteResultFiles();
  WriteBoardFiles(true);
  WriteSessionFile();
}
