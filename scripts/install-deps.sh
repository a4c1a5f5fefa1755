#!/usr/bin/env bash
# Installs, from Debian's packages, only what this machine still lacks to build
# and test Talvaron, and the French locale the tests also run under.
#   --browser   also Debian's chromium, for the test that opens the web pages
#   --package   also dpkg-dev, which the Debian package's making uses
#   --tests     everything the tests use: chromium and xmllint, the tools that
#               make and check the Debian package (and show its window on a
#               virtual display: Xvfb, IceWM, xprop, xwd; the icon theme's
#               cache as apt makes it), zbarimg (which reads
#               the QR code of the tournament menu back), and node with npm (the
#               browser test of the tables' pages installs puppeteer-core with
#               scripts/install-puppeteer.sh)
set -euo pipefail

packages=(
  g++ cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev
  qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  libmicrohttpd-dev libqrencode-dev libdds-dev
  poppler-utils locales
  fonts-dejavu-core fonts-liberation
)

case "${1:-}" in
  --browser) packages+=(chromium) ;;
  --package) packages+=(dpkg-dev) ;;
  --tests) packages+=(chromium libxml2-utils dpkg-dev desktop-file-utils appstream lintian
    xvfb icewm x11-utils x11-apps netpbm zbar-tools gtk-update-icon-cache) ;;
esac
# node and npm: Debian's, unless a node is already there (it brings its npm).
if [ "${1:-}" = "--tests" ] && ! { command -v node >/dev/null && command -v npm >/dev/null; }; then
  packages+=(nodejs npm)
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qi '^fr_FR\.utf-\?8$'; then
  echo "Generating the locale fr_FR.UTF-8"
  $SUDO sed -i 's/^# *fr_FR.UTF-8 UTF-8/fr_FR.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^fr_FR.UTF-8 UTF-8' /etc/locale.gen || echo 'fr_FR.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
