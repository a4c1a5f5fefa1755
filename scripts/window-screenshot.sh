#!/usr/bin/env bash
# Starts the program from the Debian package, unpacked, on a virtual X display
# with a window manager that shows windows' icons (IceWM), as a new user's
# first start; prints the window's class, name and icon sizes (xprop, the
# whole property) and saves the screen as a PNG
# (docs/screenshots/installed-window.png by default). scripts/check-package.sh
# runs it too. The system's data folders (/usr/share) follow the package's;
# a third argument names a folder that comes between them, as a copy of the
# package installed on this machine would.
# Usage: scripts/window-screenshot.sh <package.deb> [<picture.png> [<data folder>]]
# Needs: apt-get install xvfb icewm x11-utils x11-apps netpbm (scripts/install-deps.sh --tests)
set -euo pipefail
deb=$1
out=${2:-docs/screenshots/installed-window.png}
installed=${3:+$3:}
for tool in Xvfb icewm xprop xwininfo xwd xwdtopnm pnmtopng dpkg-deb; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: apt-get install xvfb icewm x11-utils x11-apps netpbm"; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
root=$work/root
dpkg-deb -x "$deb" "$root"
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"

# A display of its own: Xvfb names the first free one.
Xvfb -displayfd 3 -screen 0 800x640x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start: $(cat "$work/xvfb.log")"; exit 1; }
export DISPLAY=:$(cat "$work/display")
HOME=$work/home icewm >"$work/icewm.log" 2>&1 &
pids+=($!)
# The window manager is up once it names its own window on the root.
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done

# As the desktop's menu starts it: the package's files are the system's.
env -i HOME="$work/home" PATH=/usr/bin:/bin LANG=fr_FR.UTF-8 DISPLAY="$DISPLAY" \
  XDG_RUNTIME_DIR="$work/runtime" XDG_DATA_DIRS="$root/usr/share:$installed/usr/share" QT_QPA_PLATFORM=xcb \
  "$root/usr/bin/talvaron" >"$work/out" 2>&1 &
pids+=($!)
window=
for _ in $(seq 150); do
  window=$(xwininfo -root -tree | awk '/\("talvaron" "talvaron"\)/ && !/has no name/ && $0 ~ /[0-9][0-9][0-9]x[0-9][0-9][0-9]/ {print $1; exit}')
  [ -z "$window" ] || break
  sleep 0.2
done
[ -n "$window" ] || { echo "no window of the program: $(cat "$work/out")"; xwininfo -root -tree; exit 1; }
# Framed by the window manager (which then draws its icon), its icon set.
for _ in $(seq 100); do
  xprop -id "$window" WM_STATE _NET_WM_ICON 2>/dev/null | grep -q 'not found' || break
  sleep 0.1
done
xprop -id "$window" WM_CLASS WM_NAME
# xprop reads a property only in part unless told its length: the icons the
# window carries may then seem fewer than they are.
xprop -len 16000000 -id "$window" _NET_WM_ICON | grep -o "Icon ([0-9]* x [0-9]*)" | tr "\n" " "
echo
xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >"$out"
echo "saved $out"
