#include "core/Fatal.h"

#include "core/Messages.h"

#include <cstdio>
#include <cstdlib>

namespace {
std::function<void()>& companionStopper() {
  static std::function<void()> stopper;
  return stopper;
}
bool fatalThrows = false;
}  // namespace

void SetCompanionStopper(std::function<void()> stopper) { companionStopper() = std::move(stopper); }

void SetFatalStopThrows(bool throws) { fatalThrows = throws; }

void StopCompanionsAndHalt(int exitCode) {
  if (companionStopper()) {
    try {
      companionStopper()();
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
