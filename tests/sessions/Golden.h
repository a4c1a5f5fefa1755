#pragma once
// Compares every file a session wrote with the references kept under
// tests/sessions/<session>/. The temporary folder of the run is replaced by
// "<tmp>" in both, so that paths written into files compare across machines.
// With TALVARON_UPDATE_REFERENCES=1 the references are rewritten instead.
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
