#pragma once
// The fatal stop: the program stops its companion programs and ends at once,
// without save or backup. In tests it throws FatalStopError instead, so a
// test can check that the stop happened and what was shown before it.
#include <QString>

#include <functional>
#include <stdexcept>

class FatalStopError : public std::runtime_error {
 public:
  explicit FatalStopError(int exitCode = 1) : std::runtime_error("fatal stop"), exitCode_(exitCode) {}
  // The code the process would have ended with.
  int exitCode() const { return exitCode_; }

 private:
  int exitCode_;
};

// Stops the companion programs still running, then ends the process with
// exitCode (the orderly quit ends with 0).
[[noreturn]] void StopCompanionsAndHalt(int exitCode = 1);
// Ends the process at once, without stopping the companion programs (the
// start-up checks made before any window).
[[noreturn]] void HaltProgram(int exitCode = 1);
// ShowAlert(message), then StopCompanionsAndHalt().
[[noreturn]] void FatalStop(const QString& message);

// Tests: throw FatalStopError instead of ending the process.
void SetFatalStopThrows(bool throws);
