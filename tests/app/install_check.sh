#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# Installs the build into a temporary prefix and checks that the converter,
# its manual page, its menu entry, its icons and its AppStream data land where
# desktops and software centres look for them, all under the application ID.
# Usage: install_check.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
id=com.velkor.Quantaro
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

failed=0
fail() { echo "FAIL: $*"; failed=1; }

[ -x "$prefix/bin/quantaro" ] || fail "bin/quantaro missing or not executable"
cmp -s "$source/app/quantaro.1" "$prefix/share/man/man1/quantaro.1" || fail "man page quantaro.1 not installed"
entry=$prefix/share/applications/$id.desktop
if cmp -s "$source/res/$id.desktop" "$entry"; then
  grep -qx 'Exec=quantaro' "$entry" || fail "the entry does not start quantaro"
  grep -qx "Icon=$id" "$entry" || fail "the entry does not name the icon $id"
else
  fail "share/applications/$id.desktop missing or different from res/$id.desktop"
fi
metainfo=$prefix/share/metainfo/$id.metainfo.xml
if cmp -s "$source/res/$id.metainfo.xml" "$metainfo"; then
  grep -q "<id>$id</id>" "$metainfo" || fail "the metainfo does not carry the id $id"
  grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $id.desktop"
else
  fail "share/metainfo/$id.metainfo.xml missing or different from res/$id.metainfo.xml"
fi

icons=$prefix/share/icons/hicolor
for size in 16 22 24 32 48 64 128 256; do
  cmp -s "$source/res/icons/quantaro-$size.png" "$icons/${size}x${size}/apps/$id.png" ||
    fail "icon ${size}x${size} not installed"
  [ "$(file -b "$icons/${size}x${size}/apps/$id.png" 2>/dev/null | grep -o '[0-9]* x [0-9]*')" = "$size x $size" ] ||
    fail "icon ${size}x${size} is not $size pixels square"
done
cmp -s "$source/res/icons/quantaro.svg" "$icons/scalable/apps/$id.svg" || fail "scalable icon not installed"
find "$prefix" -path '*/icons/*' -type f | grep -v "/apps/$id\.\(png\|svg\)\$" && fail "stray files under icons/"

exit $failed
