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

void StopCompanionsAndHalt() {
  if (companionStopper()) {
    try {
      companionStopper()();
    } catch (...) {
      // The program ends anyway.
    }
  }
  if (fatalThrows) throw FatalStopError();
  std::fflush(nullptr);
  std::_Exit(1);
}

void FatalStop(const QString& message) {
  ShowAlert(message);
  StopCompanionsAndHalt();
}
