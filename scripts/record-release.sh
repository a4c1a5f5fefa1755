#!/usr/bin/env bash
# Writes a release's lines in packaging/shipped-checksums.txt from the package
# made of it (scripts/make-package.sh), so that later versions recognise a
# file a user never changed: for each file of the package's list of shipped
# files ("fichiers-livres.txt": every file of /usr/share/talvaron but the
# tables' pages, the generated BridgeMates template included), the release
# (the package's version without its Debian revision), the file's name and
# the SHA-256 of its bytes in the package, tab-separated. Lines that the
# release had already are replaced, so it may run again.
# Usage: scripts/record-release.sh <package.deb> [<checksums file>]
set -euo pipefail
deb=${1:?Usage: $0 <package.deb> [<checksums file>]}
sums=${2:-$(dirname "$0")/../packaging/shipped-checksums.txt}
version=$(dpkg-deb -f "$deb" Version)
release=${version%-*}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
shared=$work/root/usr/share/talvaron
list=$shared/fichiers-livres.txt
[ "$(head -n 1 "$list" 2>/dev/null)" = "Talvaron $version" ] || {
  echo "$deb holds no list of its shipped files for $version" >&2
  exit 1
}
awk -F '\t' -v release="$release" '$1 != release' "$sums" >"$work/sums"
tail -n +2 "$list" | cut -f 1 | LC_ALL=C sort | while IFS= read -r name; do
  [ -f "$shared/$name" ] || { echo "$deb lists $name but does not ship it" >&2; exit 1; }
  printf '%s\t%s\t%s\n' "$release" "$name" "$(sha256sum <"$shared/$name" | cut -d ' ' -f 1)"
done >>"$work/sums"
cp "$work/sums" "$sums"
echo "$(awk -F '\t' -v release="$release" '$1 == release' "$sums" | wc -l) files of $release recorded in $sums"
