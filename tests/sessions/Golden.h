#pragma once
// Compares every file a session wrote with the references kept under
// tests/sessions/references/: "<session>.txt" lists each file the session
// writes with the stored text it must equal, and store/ keeps each distinct
// text once (a backup's copy of a tournament file, or the same file written by
// two sessions, is stored once). The temporary folder of the run is replaced
// by "<tmp>", so that paths written into files compare across machines.
// With TALVARON_UPDATE_REFERENCES=1 the references are rewritten instead, and
// stored texts no session lists any more are removed.
#include <QString>
#include <QStringList>

namespace sessions {

// The files under root (relative paths, sorted), minus those whose relative
// path matches one of the wildcard patterns left out.
QStringList FilesUnder(const QString& root, const QStringList& leftOut);

// Compares (or rewrites) the files; returns "" when all agree, else a report
// naming each file that differs, is missing or is new, with the first
// differing line in expected/actual form.
QString CompareWithReferences(const QString& session, const QString& root, const QStringList& leftOut);

}  // namespace sessions
