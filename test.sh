#!/usr/bin/env bash
# Installs what is missing, builds Talvaron with its tests and benchmarks
# (./run.sh builds the program alone) and runs the tests three times: with
# AddressSanitizer and UndefinedBehaviorSanitizer, every test but the slow
# ones run once only (the browser evenings, the whole evenings, the Debian
# package); under a French locale, the tests whose results may depend on the
# locale (labelled "locale") and the whole evenings; plainly, every test but
# the whole evenings (its summary closes the output).
set -euo pipefail
cd "$(dirname "$0")"
# One compiler cache for every checkout of the project.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
scripts/install-deps.sh --tests
jobs="$(nproc)"
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_UNITY_BUILD=ON >/dev/null
cmake --build build --parallel "$jobs"
# The Debian package, which a test checks and starts.
scripts/make-package.sh build >/dev/null
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTALVARON_SANITIZE=ON -DTALVARON_BENCH=OFF -DCMAKE_UNITY_BUILD=ON >/dev/null
cmake --build build-asan --parallel "$jobs"

# A run's summary only; everything when it fails.
quiet_ctest() {
  local log
  log="$(mktemp)"
  if ctest "$@" --output-on-failure --parallel "$jobs" --timeout 300 >"$log" 2>&1; then
    grep -E 'tests passed|tests failed' "$log" || tail -n 3 "$log"
    rm -f "$log"
  else
    cat "$log"
    rm -f "$log"
    return 1
  fi
}

echo "== Tests with AddressSanitizer and UndefinedBehaviorSanitizer"
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 quiet_ctest --test-dir build-asan -LE 'browser|evening|package'
echo "== Tests of what reads the locale, under the French locale"
LANG=fr_FR.UTF-8 LC_ALL=fr_FR.UTF-8 quiet_ctest --test-dir build -L 'locale|evening'
echo "== Tests"
ctest --test-dir build -LE evening --output-on-failure --parallel "$jobs" --timeout 300
