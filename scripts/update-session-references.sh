#!/bin/sh
# Rewrites the references of the whole-session tests from a fresh run.
# Review the difference (git diff tests/sessions) before committing it.
set -e
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target sessions_tests
TALVARON_UPDATE_REFERENCES=1 QT_QPA_PLATFORM=offscreen "$build"/bin/sessions_tests
git status --short tests/sessions
