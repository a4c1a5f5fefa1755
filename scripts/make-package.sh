#!/usr/bin/env bash
# Makes the Debian package <build>/talvaron_<version>-<revision>_<arch>.deb
# (build by default) as Debian builds its packages: the compiler and linker
# flags of dpkg-buildflags (every hardening), the time stamps of the
# changelog's first entry (SOURCE_DATE_EPOCH: the executables' date, and with
# it the version the program shows, is the release's, and two packages made
# of one tree are the same bytes). Installs what is missing, builds only what
# the package holds, in <build>/package (its own flags, apart from the tests'
# build), then CPack packs it.
# Usage: scripts/make-package.sh [-j <jobs>] [<build>]; the jobs default to
# CMAKE_BUILD_PARALLEL_LEVEL, else every core.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
while getopts 'j:' option; do
  case $option in
    j) jobs=$OPTARG ;;
    *) echo "Usage: $0 [-j <jobs>] [<build>]" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
build=${1:-build}
scripts/install-deps.sh --package
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l packaging/changelog -S Timestamp)
export SOURCE_DATE_EPOCH
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
stage=$build/package
mkdir -p "$stage"
# The programs' bytes do not depend on the name of the folder they are built
# in: the compiler sees full paths (the compiler cache is not told to shorten
# them), the tree's and the build folder's are mapped to fixed names.
unset CCACHE_BASEDIR
cmake -S . -B "$stage" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALVARON_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$CXXFLAGS $CPPFLAGS -ffile-prefix-map=$(cd "$stage" && pwd)=build" \
  -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" >/dev/null
cmake --build "$stage" --parallel "$jobs" --target talvaron_shipped
# CPack dates every file of the package SOURCE_DATE_EPOCH.
cpack --config "$stage/CPackConfig.cmake" -B "$build" | grep -F 'package:'
