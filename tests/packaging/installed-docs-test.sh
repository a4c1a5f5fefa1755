#!/usr/bin/env bash
# The build installed into a folder of its own, then its documents checked.
# Usage: installed-docs-test.sh <build folder> <check script>
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
"$2" "$prefix"
