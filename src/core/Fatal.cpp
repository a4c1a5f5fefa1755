#include "core/Fatal.h"

#include "core/Flows.h"
#include "core/Messages.h"

#include <cstdio>
#include <cstdlib>

namespace {
bool fatalThrows = false;
}  // namespace

void SetFatalStopThrows(bool throws) { fatalThrows = throws; }

void StopCompanionsAndHalt(int exitCode) {
  if (const auto& stop = flowSteps().stopCompanions) {
    try {
      stop();
    } catch (...) {
      // The program ends anyway.
    }
  }
  HaltProgram(exitCode);
}

void HaltProgram(int exitCode) {
  if (fatalThrows) throw FatalStopError(exitCode);
  std::fflush(nullptr);
  std::_Exit(exitCode);
}

void FatalStop(const QString& message) {
  ShowAlert(message);
  StopCompanionsAndHalt();
}
