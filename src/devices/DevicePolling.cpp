#include "devices/DevicePolling.h"

#include "core/DealDiagrams.h"
#include "core/Globals.h"
#include "devices/BridgeMatesImport.h"
#include "devices/BridgeMatesTables.h"
#include "devices/TableStates.h"
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

void ComputeFrequenciesSilently() {
  const bool ventilation = AutoVentilation;
  AutoVentilation = false;
  Interactive = false;
  struct Restore {
    bool value;
    ~Restore() { AutoVentilation = value; }
  } restore{ventilation};
  ComputeFrequencies();
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
