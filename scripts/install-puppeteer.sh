#!/usr/bin/env bash
# Installs puppeteer-core, which drives Debian's chromium in the browser test
# of the tables' pages, into the folder given (build/node by default), from
# the npm registry. Nothing is downloaded when that version is already there.
# puppeteer-core 24 runs on node 18 (Debian 12) and later, and speaks to the
# chromium of Debian 12's security updates.
set -euo pipefail
cd "$(dirname "$0")/.."
folder="${1:-build/node}"
version=24.43.1
mkdir -p "$folder"
# Two tests may ask at once: one installs, the other waits for it. The mark
# is left only once npm has finished, so a cut install is made again.
exec 9>"$folder/.install.lock"
flock 9
installed="$folder/.installed-$version"
if [ -f "$installed" ]; then
  exit 0
fi
npm install --prefix "$folder" --no-audit --no-fund --no-save --loglevel=error "puppeteer-core@$version"
touch "$installed"
