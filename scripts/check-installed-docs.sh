#!/usr/bin/env bash
# Checks what an installed copy tells its users (scripts/check-package.sh on
# the package, the InstalledDocuments test on `cmake --install`): the
# director's guide in French, with every picture it shows installed beside it
# and nothing fetched from the internet; the developers' README left out;
# no placeholder web address in the metainfo (software centres would show
# broken pictures or links).
# Usage: scripts/check-installed-docs.sh <install prefix, /usr for the package>
set -euo pipefail
prefix=$1
docs=$prefix/share/doc/talvaron
guide=$docs/guide-arbitre.html
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

if [ ! -f "$guide" ]; then
  fail "no director's guide $guide"
else
  grep -q '<html lang="fr">' "$guide" || fail "the guide is not in French"
  pictures=$(grep -o ' src="[^"]*"' "$guide" | sed 's/^ src="//; s/"$//')
  [ -n "$pictures" ] || fail "the guide shows no picture"
  for picture in $pictures; do
    case $picture in
      *://* | /*) fail "the guide fetches $picture" ;;
      *) [ -f "$docs/$picture" ] || fail "the guide's picture $picture is not installed beside it" ;;
    esac
  done
fi
if find "$docs" -maxdepth 1 -iname 'README*' | grep .; then fail "the developers' README is installed"; fi

metainfo=$prefix/share/metainfo/org.talvaron.Talvaron.metainfo.xml
[ -f "$metainfo" ] || fail "no metainfo $metainfo"
# Names reserved for examples and tests never reach anyone's pages.
if grep -Eo 'https?://[^/"<[:space:]]+' "$metainfo" |
  grep -Ei '://([^/]*\.)?(example(\.(com|net|org))?|invalid|test|localhost)(:[0-9]+)?$'; then
  fail "the metainfo points at a placeholder address"
fi

[ "$failures" -eq 0 ] || { echo "$failures check(s) of the installed documents failed"; exit 1; }
echo "Installed documents under $prefix checked"
