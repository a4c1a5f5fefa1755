#!/usr/bin/env bash
# Renders every window offscreen into docs/screenshots/ (or the folder given),
# then the tables' pages at phone size.
# Rerun it whenever a window changes; the README shows the main ones.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs/screenshots}"
export QT_QPA_PLATFORM=offscreen
if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build build --target talvaron_screenshots -j3
mkdir -p "$out"
build/bin/talvaron_screenshots "$out"
# The first page of each printout, as the printer gives it.
for pdf in "$out"/printout-*.pdf "$out"/hand-records.pdf; do
  [ -e "$pdf" ] || continue
  pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$pdf" "${pdf%.pdf}"
  rm -f "$pdf"
done
# The tables' pages at phone size (360 x 740), as the browser test's phones
# see them through a whole evening (node, chromium and the npm registry for
# puppeteer-core are needed; the pages are left out without them).
cmake --build build --target browser_tests talvaron_tables -j3
rm -f "$out"/tables-*.png
TALVARON_TABLES_SCREENSHOTS="$(cd "$out" && pwd)" build/bin/browser_tests >/dev/null || true
ls "$out"/tables-*.png >/dev/null 2>&1 || echo "The tables' pages were not pictured (is chromium there?)" >&2
