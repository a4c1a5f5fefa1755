#pragma once
// Every text file of the program is opened for writing here. An opening
// failure raises platform::IoError carrying the system code, the full file
// name and the program's French message; it is never swallowed.
#include "platform/TextFiles.h"

using TextFile = platform::TextWriter;

// Opens file for rewriting (the new text replaces the old one atomically at
// CloseTextFile).
void SafeRewrite(TextFile& file, const QString& fileName);
// Opens file for appending. In the tablets' exchange folder (where the
// tablets' server and the tables' server write too) a file with a second
// name is refused (EMLINK); elsewhere, a results folder restored with
// "cp -al", it is appended to.
void SafeAppend(TextFile& file, const QString& fileName);
// The message of an opening failure for rewriting (%1 the code, %2 the name).
QString SafeRewriteFailureMessage();
// Writes what is pending and closes; a rewrite replaces the old file here.
void CloseTextFile(TextFile& file);
