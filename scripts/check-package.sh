#!/usr/bin/env bash
# Checks the Debian package that scripts/make-package.sh makes (./test.sh
# does, before the tests): its control fields and file list, its
# desktop entry and metainfo, lintian, then the installed program started
# headless from an unpacked copy with an empty home folder, twice: the first
# start makes and seeds the user's program folder, the second keeps it as the
# director left it; nothing is ever written under the install prefix.
# Usage: scripts/check-package.sh <package.deb> <resources folder>
# Exits 77 (ctest's "skipped") when the package has not been made.
set -euo pipefail

deb=$1
resources=$2
if [ ! -f "$deb" ]; then
  echo "No package $deb: make it with scripts/make-package.sh"
  exit 77
fi
for tool in dpkg-deb desktop-file-validate appstreamcli lintian; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: scripts/install-deps.sh --tests installs it"; exit 1; }
done

failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Control fields: the version everywhere alike; the Qt libraries, the tables'
# server's HTTP library and the plugins loaded at run time among the
# dependencies.
version=$(dpkg-deb -f "$deb" Version)
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6core6 libqt6gui6 libqt6widgets6 libqt6sql6 libqt6network6 libqt6printsupport6 \
  libqt6sql6-sqlite qt6-qpa-plugins libmicrohttpd12; do
  grep -Eq "(^|, )$dep( |,|$)" <<<"$depends" || fail "Depends lacks $dep: $depends"
done

# The file list: everything under /usr; the programs, the shipped files and
# the desktop's files are there; the tests' stand-ins and files are not.
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/list"
while read -r f; do fail "outside /usr: $f"; done < <(grep -v -e '^/usr/' -e '^/$' "$work/list")
for f in /usr/bin/talvaron /usr/bin/talvaron-tables /usr/share/talvaron/BRIDGEMATE.BWS \
  /usr/share/applications/org.talvaron.Talvaron.desktop \
  /usr/share/metainfo/org.talvaron.Talvaron.metainfo.xml \
  /usr/share/icons/hicolor/scalable/apps/org.talvaron.Talvaron.svg \
  /usr/share/man/man1/talvaron.1.gz /usr/share/doc/talvaron/copyright /usr/share/doc/talvaron/changelog.gz; do
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

desktop="$root/usr/share/applications/org.talvaron.Talvaron.desktop"
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate"
[ -z "$out" ] || fail "desktop-file-validate: $out"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.talvaron.Talvaron.metainfo.xml" ||
  fail "appstreamcli validate"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/org.talvaron.Talvaron.metainfo.xml" ||
  fail "the metainfo has no release $version"
zcat "$root/usr/share/doc/talvaron/changelog.gz" | head -n 1 | grep -q "^talvaron ($version)" ||
  fail "the changelog does not begin with version $version"
lintian --fail-on error "$deb" >"$work/lintian" 2>&1 || fail "lintian reports an error"
grep -v 'root privileges' "$work/lintian" || true

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
  grep -Fxq "Résultats : $folder/Resultats/" "$work/out" ||
  fail "the first start does not say where the folder is: $(cat "$work/out")"
diff -r "$root/usr/share/talvaron/Howells" "$folder/Howells" >/dev/null || fail "Howells/ not seeded"
cmp -s "$root/usr/share/talvaron/BRIDGEMATE.BWS" "$folder/BRIDGEMATE.BWS" || fail "BRIDGEMATE.BWS not seeded"
cmp -s "$root/usr/share/talvaron/BEStyle.css" "$folder/BEStyle.css" || fail "the web page's files not seeded"
[ -f "$folder/JOUEURS.TXT" ] && [ ! -s "$folder/JOUEURS.TXT" ] || fail "no empty JOUEURS.TXT"
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

snapshot >"$work/after"
diff "$work/before" "$work/after" || fail "the program wrote under the install prefix"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) of $deb failed"
  exit 1
fi
echo "Package $deb ($version) checked"
