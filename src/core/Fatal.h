#pragma once
// The fatal stop: the program stops its companion programs and ends at once,
// without save or backup. In tests it throws FatalStopError instead, so a
// test can check that the stop happened and what was shown before it.
#include <QString>

#include <functional>
#include <stdexcept>

class FatalStopError : public std::runtime_error {
 public:
  FatalStopError() : std::runtime_error("fatal stop") {}
};

// Stops the companion programs still running, then ends the process.
[[noreturn]] void StopCompanionsAndHalt();
// ShowAlert(message), then StopCompanionsAndHalt().
[[noreturn]] void FatalStop(const QString& message);

// What StopCompanionsAndHalt runs before ending (stopping the device servers).
void SetCompanionStopper(std::function<void()> stopper);
// Tests: throw FatalStopError instead of ending the process.
void SetFatalStopThrows(bool throws);
