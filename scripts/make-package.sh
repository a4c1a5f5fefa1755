#!/usr/bin/env bash
# Makes the Debian package <build>/talvaron_<version>-<revision>_<arch>.deb
# (build by default) as Debian builds its packages: the compiler and linker
# flags of dpkg-buildflags (every hardening), the time stamps of the
# changelog's first entry (SOURCE_DATE_EPOCH: the executables' date, and with
# it the version the program shows, is the release's, and two packages made
# of one tree are the same bytes). Installs what is missing, builds only what
# the package holds, in <build>/package (its own flags, apart from the tests'
# build), then CPack packs it.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
# One compiler cache for every checkout of the project.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
scripts/install-deps.sh --package
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l packaging/changelog -S Timestamp)
export SOURCE_DATE_EPOCH
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
stage=$build/package
cmake -S . -B "$stage" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALVARON_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$CXXFLAGS $CPPFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" >/dev/null
cmake --build "$stage" --parallel "$(nproc)" --target talvaron_shipped
# What the package holds takes the release's time stamp (CPack keeps the
# files' own), then CPack packs it.
cpack --config "$stage/CPackConfig.cmake" -B "$build" | grep -F 'package:'
