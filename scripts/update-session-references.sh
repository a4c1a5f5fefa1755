#!/bin/sh
# Rewrites the references of the whole-session tests from a fresh run: the
# list of files each session writes (tests/sessions/references/<session>.txt)
# and the texts they must equal, each distinct text stored once in
# tests/sessions/references/store/. Review the difference before committing
# it: `git diff -M tests/sessions` shows a changed text as a renamed file with
# its changed lines.
set -e
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target sessions_tests
TALVARON_UPDATE_REFERENCES=1 QT_QPA_PLATFORM=offscreen "$build"/bin/sessions_tests
git add -N tests/sessions/references
git diff -M --stat tests/sessions
