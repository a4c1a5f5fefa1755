#pragma once
// What the director reads of an error that escaped the work it interrupted.
#include <QString>

#include <exception>
#include <functional>

// The message shown for an error that escaped an event handler: the French
// text naming the file for platform::IoError; the error's own text otherwise.
QString EscapedErrorMessage(const std::exception& error);
// Shows the message of an escaped error in the system message box. A fatal
// stop (tests) is passed on.
void ReportEscapedError(std::exception_ptr error);
// Runs one step of a longer piece of work: an error it raises is shown as
// the error handler shows it and the caller goes on with its next step. A
// fatal stop is passed on.
void RunReported(const std::function<void()>& step);
