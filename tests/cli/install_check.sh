#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that quantaro-convert
# and its man page land where the shell and man look for them.
# Usage: install_check.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
[ "$("$prefix/bin/quantaro-convert" --from m --to cm 1)" = 100 ] || { echo "FAIL: bin/quantaro-convert"; exit 1; }
cmp -s "$2/cli/quantaro-convert.1" "$prefix/share/man/man1/quantaro-convert.1" || { echo "FAIL: man page"; exit 1; }
