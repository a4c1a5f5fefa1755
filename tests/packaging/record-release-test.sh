#!/usr/bin/env bash
# scripts/record-release.sh on a small package of release 1.1.0: its shipped
# files' lines are written once (a stale line of 1.1.0 replaced), the
# generated template among them, never the tables' pages nor the list;
# the earlier releases' lines and the comments stay as they were.
# The checksums were worked out with sha256sum.
set -euo pipefail
script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
mkdir -p "$root/DEBIAN" "$root/usr/share/talvaron/Howells" "$root/usr/share/talvaron/tables"
printf 'Package: talvaron\nVersion: 1.1.0-2\nArchitecture: all\nMaintainer: T <t@example.org>\nDescription: t\n' \
  >"$root/DEBIAN/control"
printf 'SQLite format 3\n' >"$root/usr/share/talvaron/BRIDGEMATE.BWS"
printf '4 tables\r\n' >"$root/usr/share/talvaron/Howells/A7-0.TXT"
printf '<html></html>\n' >"$root/usr/share/talvaron/tables/index.html"
bws=06b119646754d4fe739d7e5cdf8694105abdc0415bd12a6e71c38396f70845fa
a7=2cbc476dfdd3766a093a49091a07ffc54894bd823131513f83d4a64fe1b3c39a
old=1111111111111111111111111111111111111111111111111111111111111111
printf 'Talvaron 1.1.0-2\nHowells/A7-0.TXT\t%s\t%s\nBRIDGEMATE.BWS\t%s\n' "$a7" "$old" "$bws" \
  >"$root/usr/share/talvaron/fichiers-livres.txt"
dpkg-deb --root-owner-group -b "$root" "$work/talvaron.deb" >/dev/null

sums=$work/shipped-checksums.txt
printf '# comment\n1.0.0\tHowells/A7-0.TXT\t%s\n1.1.0\tHowells/A7-0.TXT\t%s\n' "$old" "$old" >"$sums"
"$script" "$work/talvaron.deb" "$sums" >/dev/null
printf '# comment\n1.0.0\tHowells/A7-0.TXT\t%s\n1.1.0\tBRIDGEMATE.BWS\t%s\n1.1.0\tHowells/A7-0.TXT\t%s\n' \
  "$old" "$bws" "$a7" >"$work/expected"
diff "$work/expected" "$sums"
# Run again: the same lines.
"$script" "$work/talvaron.deb" "$sums" >/dev/null
diff "$work/expected" "$sums"
echo "record-release: ok"
