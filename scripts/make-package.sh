#!/usr/bin/env bash
# Makes the Debian package <build>/talvaron_<version>_<arch>.deb (build by
# default): installs what is missing, builds only what the package holds (the
# programs and the files made for it), then CPack packs it.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
# One compiler cache for every checkout of the project.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
scripts/install-deps.sh --package
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target talvaron_shipped
cpack --config "$build/CPackConfig.cmake" -B "$build" | grep -F 'package:'
