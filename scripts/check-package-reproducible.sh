#!/usr/bin/env bash
# Makes the Debian package that scripts/make-package.sh made (./test.sh does,
# before the tests) again from the same tree, in a build folder of its own:
# it must be the same bytes. (Beside the first one: Qt's generated sources
# include the headers by relative paths, which a build folder at another
# depth changes.) Its build may find no compiled object in the compiler's
# cache; it shares nothing else with the other tests, which run beside it.
# Usage: scripts/check-package-reproducible.sh <package.deb>
# Exits 77 (ctest's "skipped") when the package has not been made.
set -euo pipefail
deb=$1
if [ ! -f "$deb" ]; then
  echo "No package $deb: make it with scripts/make-package.sh"
  exit 77
fi
again=$(dirname "$deb")-reproduced
log=$(mktemp)
trap 'rm -rf "$again" "$log"' EXIT
rm -rf "$again"
if ! "$(dirname "$0")/make-package.sh" "$again" >"$log" 2>&1; then
  echo "FAILED: the second build of the package failed: $(tail -n 20 "$log")"
  exit 1
fi
if ! cmp "$deb" "$again/$(basename "$deb")"; then
  echo "FAILED: a second build of the package differs (or it was not made from this tree)"
  exit 1
fi
echo "Package $deb made again: the same bytes"
