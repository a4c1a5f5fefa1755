#!/usr/bin/env bash
# Installs what is missing, builds the program alone (./test.sh builds the
# tests and benchmarks) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
# One compiler cache for every checkout of the project.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)" --target talvaron_app
# The program refuses to start without a players file: a build run gets an
# empty one (a director's own file is never replaced).
if [ ! -e build/bin/JOUEURS.TXT ] && [ ! -e build/bin/FICHIER.TXT ]; then
  : > build/bin/JOUEURS.TXT
fi
exec build/bin/talvaron "$@"
