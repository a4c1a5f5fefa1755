#!/usr/bin/env bash
# Renders the program's icon, packaging/org.talvaron.Talvaron.svg, to the
# PNG sizes the package ships and the program's windows carry
# (packaging/icons/<n>.png). Run it after changing the SVG and commit the
# PNGs: the build then needs no SVG renderer, the installed program no SVG
# image plugin, and every build ships the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v rsvg-convert >/dev/null || { echo "rsvg-convert is missing: apt-get install librsvg2-bin"; exit 1; }
mkdir -p packaging/icons
for size in 16 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" packaging/org.talvaron.Talvaron.svg \
    >"packaging/icons/$size.png"
done
