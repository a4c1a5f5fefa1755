#include "devices/DevicePolling.h"

#include "core/Globals.h"
#include "devices/BridgeMatesImport.h"
#include "devices/TableStates.h"
#include "devices/TabletImport.h"
#include "publishing/DealDiagrams.h"
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

void RefreshFrequenciesForDevices() {
  const bool ventilation = AutoVentilation;
  AutoVentilation = false;
  Interactive = false;
  struct Restore {
    bool value;
    ~Restore() { AutoVentilation = value; }
  } restore{ventilation};
  ComputeFrequencies();
  AutoVentilation = ventilation;
  WriteResultFiles();
  WriteBoardFiles(true);
}

void RefreshResultsForDevices() {
  ComputeResults();
  WriteResultFiles();
  WriteBoardFiles(true);
  WriteSessionFile();
}
