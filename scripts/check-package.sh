#!/usr/bin/env bash
# Checks the Debian package that scripts/make-package.sh makes (./test.sh
# does, before the tests): its control fields and file list, the list of its
# shipped files, its desktop entry and metainfo, lintian, then the installed
# program started headless from an unpacked copy with an empty home folder,
# twice: the first start makes and seeds the user's program folder, the
# second keeps it as the director left it; then a short tablets evening
# played from that copy alone: one phone in headless Chromium joins the
# tables' server the program starts, sends a result, the program takes it.
# Nothing is ever written under the install prefix. (That the package made
# again from the same tree is the same bytes, scripts/check-package-reproducible.sh
# checks.)
# Usage: scripts/check-package.sh <package.deb> <resources folder> [<node folder>]
# (puppeteer-core for the phone goes to the node folder, build/node by
# default). Exits 77 (ctest's "skipped") when the package has not been made.
set -euo pipefail
# The tools' own words (readelf's, lintian's) are read in English.
export LC_ALL=C.UTF-8

deb=$1
resources=$2
node_folder=${3:-$resources/../build/node}
if [ ! -f "$deb" ]; then
  echo "No package $deb: make it with scripts/make-package.sh"
  exit 77
fi
for tool in dpkg-deb dpkg-parsechangelog desktop-file-validate appstreamcli lintian sha256sum objdump readelf Xvfb icewm xprop xwd gtk-update-icon-cache \
  chromium node npm; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: scripts/install-deps.sh --tests installs it"; exit 1; }
done

failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}
work=$(mktemp -d)
program=
trap '[ -z "$program" ] || kill "$program" 2>/dev/null; rm -rf "$work"' EXIT

# Control fields: the version of the changelog's first entry, with its Debian
# revision; the Qt libraries, the tables' server's HTTP library, the
# double-dummy solver and the plugin
# loaded at run time among the dependencies, not the VNC platform; xdg-utils
# recommended.
version=$(dpkg-deb -f "$deb" Version)
[ "$version" = "$(dpkg-parsechangelog -l "$resources/../packaging/changelog" -S Version)" ] ||
  fail "the package's version $version is not the changelog's"
[[ $version == *-* ]] || fail "the version $version has no Debian revision"
upstream=${version%-*}
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6core6 libqt6gui6 libqt6widgets6 libqt6sql6 libqt6network6 libqt6printsupport6 \
  libqt6sql6-sqlite libmicrohttpd12 libdds0; do
  grep -Eq "(^|, )$dep( |,|$)" <<<"$depends" || fail "Depends lacks $dep: $depends"
done
! grep -q qt6-qpa-plugins <<<"$depends" || fail "Depends still names qt6-qpa-plugins: $depends"
grep -Eq "(^|, )xdg-utils( |,|$)" <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "xdg-utils is not recommended"

# The file list: everything under /usr; the programs, the shipped files and
# the desktop's files are there; the tests' stand-ins and files are not.
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/list"
while read -r f; do fail "outside /usr: $f"; done < <(grep -v -e '^/usr/' -e '^/$' "$work/list")
for f in /usr/bin/talvaron /usr/bin/talvaron-tables /usr/share/talvaron/BRIDGEMATE.BWS \
  /usr/share/applications/org.talvaron.Talvaron.desktop \
  /usr/share/metainfo/org.talvaron.Talvaron.metainfo.xml \
  /usr/share/icons/hicolor/scalable/apps/org.talvaron.Talvaron.svg \
  /usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/org.talvaron.Talvaron.png \
  /usr/share/man/man1/talvaron.1.gz /usr/share/man/man1/talvaron-tables.1.gz \
  /usr/share/doc/talvaron/copyright /usr/share/doc/talvaron/changelog.Debian.gz \
  /usr/share/doc/talvaron/guide-arbitre.html /usr/share/doc-base/talvaron.talvaron-guide-arbitre \
  /usr/share/doc/talvaron/tables-server.md.gz \
  /usr/share/talvaron/fichiers-livres.txt /usr/share/talvaron/tables/index.html \
  /usr/share/lintian/overrides/talvaron; do
  grep -qx "$f" "$work/list" || fail "missing $f"
done
while read -r f; do
  grep -qx "$f" "$work/list" || fail "shipped file missing: $f"
done < <(cd "$resources" && find . -type f ! -name '.*' | sed 's|^\./|/usr/share/talvaron/|')
if grep -E '/standins|_tests$|talvaron_screenshots|make_bws_template|talvaron_bench|JOUEURS|PATH\.TXT|Resultats|/\.[^/]+$' \
  "$work/list"; then
  fail "files of the tests or of a run in the package"
fi

root=$work/root
dpkg-deb -x "$deb" "$root"

# The list of the shipped files: this version's, naming every shipped file
# but the tables' pages (served from here) with its checksum first, and the
# checksum each had in 1.0.0 (the first release) among the others.
shared=$root/usr/share/talvaron
list=$shared/fichiers-livres.txt
[ "$(head -n 1 "$list")" = "Talvaron $version" ] || fail "the shipped files' list is not version $version"
(cd "$shared" && find . -type f ! -path './tables/*' ! -name fichiers-livres.txt | sed 's|^\./||' | LC_ALL=C sort) \
  >"$work/shipped"
tail -n +2 "$list" | cut -f 1 | LC_ALL=C sort >"$work/listed"
diff "$work/shipped" "$work/listed" || fail "the list does not name exactly the shipped files but the pages"
while IFS=$'\t' read -r name sums; do
  [ "${sums%%$'\t'*}" = "$(sha256sum <"$shared/$name" | cut -d ' ' -f 1)" ] || fail "wrong checksum for $name"
done < <(tail -n +2 "$list")
while IFS=$'\t' read -r released name sum; do
  [ "$released" = 1.0.0 ] || continue
  grep -q "^$name"$'\t'".*$sum" "$list" || fail "the list forgets $name of 1.0.0"
done < <(grep -v '^#' "$resources/../packaging/shipped-checksums.txt")

"$resources/../scripts/check-installed-docs.sh" "$root/usr" >"$work/docs" || fail "the documents: $(cat "$work/docs")"

desktop="$root/usr/share/applications/org.talvaron.Talvaron.desktop"
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate"
[ -z "$out" ] || fail "desktop-file-validate: $out"
# The window's class (WM_CLASS "talvaron", from the executable's name) and the
# entry's categories are the metainfo's.
grep -qx 'StartupWMClass=talvaron' "$desktop" && grep -qx 'StartupNotify=true' "$desktop" ||
  fail "the desktop entry does not name the window's class"
metainfo="$root/usr/share/metainfo/org.talvaron.Talvaron.metainfo.xml"
categories=$(sed -n 's/^Categories=//p' "$desktop" | tr ';' '\n' | sed '/^$/d')
[ "$categories" = "$(sed -n 's|.*<category>\(.*\)</category>.*|\1|p' "$metainfo")" ] ||
  fail "the desktop entry's and the metainfo's categories differ"
# Debian 12's AppStream (0.16) has two remarks it cannot be spared: the id,
# the desktop entry's, has capitals; <developer> is newer than itself.
appstreamcli validate --pedantic --no-net "$metainfo" >"$work/appstream" 2>&1 || fail "appstreamcli validate"
if grep -E '^[EWIP]: ' "$work/appstream" | grep -v -e 'cid-contains-uppercase-letter org.talvaron.Talvaron$' \
  -e 'unknown-tag developer$'; then
  fail "appstreamcli validate --pedantic"
fi
grep -q "<release version=\"$upstream\"" "$metainfo" || fail "the metainfo has no release $upstream"
for binary in talvaron talvaron-tables; do
  grep -q "<binary>$binary</binary>" "$metainfo" || fail "the metainfo does not provide $binary"
done
zcat "$root/usr/share/doc/talvaron/changelog.Debian.gz" | head -n 1 | grep -q "^talvaron ($version)" ||
  fail "the changelog does not begin with version $version"
# lintian, pedantic: every tag it finds is overridden, each override with its
# reason.
lintian --pedantic -I --show-overrides "$deb" >"$work/lintian" 2>&1 || fail "lintian reports an error"
if grep -E '^[EWIPX]: ' "$work/lintian"; then fail "lintian tags not overridden"; fi
awk '/^#/ {reason = 1; next} /^talvaron: / {if (!reason) print; next} {reason = 0}' \
  "$root/usr/share/lintian/overrides/talvaron" | grep . && fail "a lintian override without its reason"
# The programs are built with Debian's hardening: the stack protector, the
# checked C library functions (_FORTIFY_SOURCE), read-only relocations bound
# at start, position-independent.
for exe in talvaron talvaron-tables; do
  symbols=$(objdump -T "$root/usr/bin/$exe")
  grep -q '__stack_chk_fail' <<<"$symbols" || fail "$exe is built without the stack protector"
  grep -E '__[a-z0-9_]+_chk' <<<"$symbols" | grep -vq '__stack_chk_fail' || fail "$exe is built without _FORTIFY_SOURCE"
  readelf -d "$root/usr/bin/$exe" | grep -q 'BIND_NOW' || fail "$exe binds its relocations lazily"
  readelf -h "$root/usr/bin/$exe" | grep -q 'Position-Independent' || fail "$exe is not position-independent"
done
# The executables are the release's, dated by the changelog's first entry.
epoch=$(dpkg-parsechangelog -l "$resources/../packaging/changelog" -S Timestamp)
for exe in talvaron talvaron-tables; do
  [ "$(stat -c %Y "$root/usr/bin/$exe")" = "$epoch" ] || fail "$exe is not dated $(date -u -d "@$epoch")"
done

# The installed program, started as from the desktop's menu: no setting of
# ours in the environment, a home folder of its own.
home=$work/home
mkdir -p "$home" "$work/runtime"
chmod 700 "$work/runtime"
snapshot() { (cd "$root" && find . -printf '%p %y %s %T@ %m\n' | sort); }
snapshot >"$work/before"
start() {
  env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 XDG_RUNTIME_DIR="$work/runtime" \
    QT_QPA_PLATFORM=offscreen TALVARON_CLOSE_START_SCREEN=1 \
    timeout 60 "$root/usr/bin/talvaron" >"$work/out" 2>"$work/err" || {
    fail "the program ended with code $? ($(cat "$work/err"))"
    return
  }
  grep -q '^start screen shown: visible$' "$work/out" || fail "no start screen: $(cat "$work/out" "$work/err")"
}
folder=$home/.local/share/talvaron

start
grep -Fxq "start screen status: Premier démarrage : dossier du programme créé, $folder/" "$work/out" &&
  grep -Fxq "Fichier de joueurs à compléter (vide) : $folder/JOUEURS.TXT" "$work/out" &&
  grep -Fxq "Résultats : $folder/Resultats/" "$work/out" && grep -Fxq "Talvaron $version" "$work/out" ||
  fail "the first start does not say where the folder is: $(cat "$work/out")"
diff -r "$root/usr/share/talvaron/Howells" "$folder/Howells" >/dev/null || fail "Howells/ not seeded"
cmp -s "$root/usr/share/talvaron/BRIDGEMATE.BWS" "$folder/BRIDGEMATE.BWS" || fail "BRIDGEMATE.BWS not seeded"
cmp -s "$root/usr/share/talvaron/BEStyle.css" "$folder/BEStyle.css" || fail "the web page's files not seeded"
[ -f "$folder/JOUEURS.TXT" ] && [ ! -s "$folder/JOUEURS.TXT" ] || fail "no empty JOUEURS.TXT"
cmp -s "$list" "$folder/fichiers-livres.txt" || fail "the folder does not keep the list it was seeded from"
[ ! -e "$folder/tables" ] || fail "the tables' pages were copied into the user's folder"
[ "$(cat "$folder/PATH.TXT" 2>/dev/null)" = "$folder/Resultats/" ] || fail "PATH.TXT does not name $folder/Resultats/"
[ -d "$folder/Resultats" ] || fail "no Resultats/"
if find "$home/.local/share" -maxdepth 1 -name 'talvaron.*' | grep -q .; then fail "a half-made folder is left"; fi

# The second start takes the folder as the director left it.
printf 'DUPONT Jean 1021\r\n' >"$folder/JOUEURS.TXT"
rm "$folder/Howells/HOWELL04.TXT"
start
grep -Fxq "start screen status: Dossier du programme : $folder/" "$work/out" ||
  fail "the second start does not say where the folder is: $(cat "$work/out")"
[ "$(cat "$folder/JOUEURS.TXT")" = $'DUPONT Jean 1021\r' ] || fail "the players file was replaced"
[ ! -e "$folder/Howells/HOWELL04.TXT" ] || fail "the folder was seeded again"

# A tablets evening from the package alone. The club has its own tablets'
# password and a players file; nothing of the Windows tablet programs, nor
# any stand-in, is in the folders. The director starts a new tablets
# tournament of six pairs, their players typed at the tables (a Mitchell of
# three tables, two boards a table, no deals); the program starts the
# installed tables' server itself and shows its address and the password.
# One phone joins at that port on the loopback address, gives the players of
# table 1 by their licences, plays board 1 (4♠ by South, one overtrick) and
# waits until the program has taken it. Then the director quits, which stops
# the server.
printf 'ARNAUD Paul 1001\r\nBLANC Marie 1002\r\nCARON Luc 1003\r\nDUMAS Anne 1004\r\nEVRARD Jean 1005\r\nFAURE Lise 1006\r\nGIRARD Marc 1007\r\nHENRY Rose 1008\r\n' \
  >"$folder/JOUEURS.TXT"
printf 'Colvert7\r\n' >"$folder/ANDROIDPASSWORD.TXT"
if find "$root" "$home" -iname 'PCQuillmarkeServer.EXE' -o -iname 'TABLOSSE.EXE' | grep .; then
  fail "a Windows tablet program is in the folders"
fi
steps=$work/steps
cat >"$steps" <<'STEPS'
window TForm1
click BridgeBox
click CheckBox3
click SpeedButton1
window TForm2
fill Code SOIR
fill Nom Soirée du paquet
click OK
window TForm11
type 6
key Return
window TForm9
click Button1
window TForm7
fill Edit1 2
key Return
window TForm6
key Return
window TForm5
print Label13
print Label14
STEPS
env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen \
  TALVARON_ANSWER_MESSAGES=1 TALVARON_TEST_STEPS="$steps" \
  timeout 60 "$root/usr/bin/talvaron" >"$work/evening" 2>"$work/evening-err" &
program=$!
server=
for _ in $(seq 150); do
  grep -q '^Label14: ' "$work/evening" && break
  kill -0 "$program" 2>/dev/null || break
  sleep 0.2
done
evening() { cat "$work/evening" "$work/evening-err" "$@"; }
port=$(sed -n 's|^Label13: Tables : ouvrez http://[^/]*:\([0-9]*\)/$|\1|p' "$work/evening")
if [ -z "$port" ]; then
  fail "the menu shows no address for the tables: $(evening)"
else
  grep -Fxq 'Label14: Mot de passe des tables : Colvert7' "$work/evening" ||
    fail "the menu does not show the tables' password: $(evening)"
  server=$(pgrep -P "$(pgrep -P "$program" | head -n 1)" | head -n 1 || true)
  [ -n "$server" ] && [ "$(readlink "/proc/$server/exe")" = "$root/usr/bin/talvaron-tables" ] ||
    fail "the program's tables' server is not the installed one: $(readlink "/proc/$server/exe" 2>&1)"
  node_folder=$(mkdir -p "$node_folder" && cd "$node_folder" && pwd)
  if "$resources/../scripts/install-puppeteer.sh" "$node_folder" >"$work/npm" 2>&1; then
    (cd "$resources/../tests/browser" && TALVARON_NODE_FOLDER=$node_folder TALVARON_PAGE_TIMEOUT=20000 \
      timeout 60 node package-evening.mjs "http://127.0.0.1:$port/" "$(command -v chromium)" Colvert7 \
      </dev/null >"$work/phone" 2>&1) || fail "the phone's evening: $(cat "$work/phone"; evening)"
    report=$(grep '^REPORT ' "$work/phone" || true)
    for seen in '"round":"Tour 1 sur 3"' '"confirmed":"4♠ S +1"' '"echo":"✓ Résultat pris par le programme."' \
      '"score":"N/S marque 450"'; do
      grep -Fq "$seen" <<<"$report" || fail "the phone was not shown $seen: $report"
    done
  else
    fail "puppeteer-core could not be installed: $(cat "$work/npm")"
  fi
  # The tournament's files: board 1 of table 1's first round, pair 1 against
  # pair 4, 4♠ made with an overtrick not vulnerable: 120 + 300 + 30 = 450 to
  # North-South; pair 1's players are the players file's.
  tournament=$folder/Resultats/SOIR
  grep -q $'^1 4 450 1 1 1 0 4PS+1\r$' "$tournament.VAR" 2>/dev/null ||
    fail "the result is not in the tournament's files: $(cat "$tournament.VAR" 2>&1)"
  grep -q '^1 1001 1002 ARNAUD Paul - BLANC Marie' "$tournament.PAI" 2>/dev/null ||
    fail "pair 1 is not named from the players file: $(cat "$tournament.PAI" 2>&1)"
fi
printf 'window TForm5\nclick BitBtn2\nwindow TForm59\nclick Button1\n' >>"$steps"
if wait "$program"; then
  [ -z "$server" ] || ! kill -0 "$server" 2>/dev/null || fail "the tables' server still runs after the quit"
else
  fail "the program ended the evening with code $? ($(evening))"
fi
program=

snapshot >"$work/after"
diff "$work/before" "$work/after" || fail "the program wrote under the install prefix"

# On an X display the window's class is the one the desktop entry names, and
# it carries the icon in every size the package ships; the same when a copy
# of the package is installed on the machine too (its icons in the system's
# theme, whose cache apt's trigger refreshes), found first by the theme.
system=$work/system/share
mkdir -p "$system/icons"
cp -r "$root/usr/share/icons/hicolor" "$system/icons/"
cp /usr/share/icons/hicolor/index.theme "$system/icons/hicolor/"
gtk-update-icon-cache -q -f "$system/icons/hicolor" || fail "the icons' cache could not be made"
for installed in '' "$system"; do
  where=${installed:+ (the package installed on the machine too)}
  if "$resources/../scripts/window-screenshot.sh" "$deb" "$work/window.png" $installed >"$work/window" 2>&1; then
    grep -Fxq "WM_CLASS(STRING) = \"talvaron\", \"$(sed -n 's/^StartupWMClass=//p' "$desktop")\"" "$work/window" ||
      fail "the window's class is not the desktop entry's$where: $(cat "$work/window")"
    for size in 16 32 48 64 128 256; do
      grep -q "Icon ($size x $size)" "$work/window" || fail "the window has no $size-pixel icon$where: $(cat "$work/window")"
    done
  else
    fail "the window could not be shown$where: $(cat "$work/window")"
  fi
done

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) of $deb failed"
  exit 1
fi
echo "Package $deb ($version) checked"
