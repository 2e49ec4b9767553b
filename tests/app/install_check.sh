#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that the converter,
# its menu entry and its icons land where desktops look for them.
# Usage: install_check.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

failed=0
fail() { echo "FAIL: $*"; failed=1; }

[ -x "$prefix/bin/quantaro" ] || fail "bin/quantaro missing or not executable"
entry=$prefix/share/applications/quantaro.desktop
if cmp -s "$source/res/quantaro.desktop" "$entry"; then
  grep -qx 'Exec=quantaro' "$entry" || fail "the entry does not start quantaro"
  grep -qx 'Icon=quantaro' "$entry" || fail "the entry does not name the quantaro icon"
else
  fail "share/applications/quantaro.desktop missing or different from res/quantaro.desktop"
fi

icons=$prefix/share/icons/hicolor
for size in 16 32 48 64 128 256; do
  cmp -s "$source/res/icons/quantaro-$size.png" "$icons/${size}x${size}/apps/quantaro.png" ||
    fail "icon ${size}x${size} not installed"
done
cmp -s "$source/res/icons/quantaro.svg" "$icons/scalable/apps/quantaro.svg" || fail "scalable icon not installed"
find "$prefix" -path '*/icons/*' -type f | grep -v '/apps/quantaro\.\(png\|svg\)$' && fail "stray files under icons/"

exit $failed
