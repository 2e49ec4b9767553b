#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# Checks the Debian package as a user's system gets it: lintian, the control
# fields, the files and their modes, hardened and stripped programs, and the
# programs, menu entry and AppStream data unpacked into a temporary root and
# run from there (the window on a private X server).
# Usage: check_package.sh path/to/quantaro_<version>_amd64.deb
set -uo pipefail
deb=$(realpath "$1")
id=com.velkor.Quantaro

. "$(dirname "${BASH_SOURCE[0]}")/../lib/session.sh"

failed=0
fail() { echo "FAIL: $*"; failed=1; }

# Lintian on the upload, source and binary packages, pedantically: no tag
# but those the packages override (with their reasons) and the experimental
# ones (X:), so a new info or pedantic tag is seen and dealt with too.
changes=${deb%.deb}.changes
if [ ! -f "$changes" ]; then
  fail "no $(basename "$changes") beside the package"
elif ! lintian --pedantic --display-info --fail-on error,warning "$changes" >"$work/lintian" 2>&1 ||
  grep -q '^[EWIP]:' "$work/lintian"; then
  cat "$work/lintian"
  fail "lintian"
fi
# The debug symbols of both programs, found by their build IDs.
dbgsym=$(dirname "$deb")/quantaro-dbgsym_$(dpkg-deb -f "$deb" Version)_amd64.deb
[ "$(dpkg-deb -c "$dbgsym" 2>/dev/null | grep -c '/usr/lib/debug/\.build-id/.*\.debug$')" = 3 ] ||
  fail "quantaro-dbgsym does not hold the debug symbols of the three programs"
# The build leaves nothing above the checkout that holds build-package/.
above=$(dirname "$deb")/../..
ls "$above"/quantaro_* "$above"/quantaro-dbgsym_* 2>/dev/null && fail "package files above the checkout"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = quantaro ] || fail "Package: $(field Package)"
[ "$(field Section)" = utils ] || fail "Section: $(field Section)"
[ "$(field Architecture)" = amd64 ] || fail "Architecture: $(field Architecture)"
[ "$(basename "$deb")" = "quantaro_$(field Version)_amd64.deb" ] || fail "file name $(basename "$deb") for version $(field Version)"
[ "$(field Recommends)" = qt6-wayland ] || fail "Recommends: $(field Recommends)"
# Computed from the programs: the Qt libraries the window and the search service link, and the C library.
for lib in libc6 libqt6core6 libqt6dbus6 libqt6gui6 libqt6widgets6; do
  field Depends | tr ',' '\n' | grep -q "^ *$lib (>= " || fail "Depends lacks $lib with its version: $(field Depends)"
done
[ "$(field Description | sed 1d | wc -l)" -ge 3 ] || fail "no long description"

# Every directory 0755 and owned by root; every file root's.
dpkg-deb -c "$deb" >"$work/contents"
awk '$1 ~ /^d/ && $1 != "drwxr-xr-x" { print }' "$work/contents" | grep . && fail "directories not 0755"
awk '$2 != "root/root" { print }' "$work/contents" | grep . && fail "files not owned by root"

root=$work/root
dpkg-deb -x "$deb" "$root"
expected=(
  usr/bin/quantaro usr/bin/quantaro-convert
  usr/share/man/man1/quantaro.1.gz usr/share/man/man1/quantaro-convert.1.gz
  usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml
  usr/share/icons/hicolor/scalable/apps/$id.svg
  usr/share/doc/quantaro/copyright usr/share/doc/quantaro/changelog.Debian.gz
  usr/share/lintian/overrides/quantaro
  usr/share/bash-completion/completions/quantaro-convert
  usr/libexec/quantaro/quantaro-search-provider
  usr/share/dbus-1/services/com.velkor.Quantaro.Runner.service
  usr/share/dbus-1/services/com.velkor.Quantaro.SearchProvider.service
  usr/share/krunner/dbusplugins/com.velkor.Quantaro.Runner.desktop
  usr/share/gnome-shell/search-providers/com.velkor.Quantaro.search-provider.ini
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
  [ "$(file -b "$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png" | grep -o '[0-9]* x [0-9]*')" = "$size x $size" ] ||
    fail "icon ${size}x${size} is not $size pixels square"
done
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$root" && find . -type f | sed 's|^\./||' | sort) ||
  fail "the package's files differ from the expected (< expected, > packaged)"

for page in quantaro quantaro-convert; do
  gzip -t "$root/usr/share/man/man1/$page.1.gz" 2>/dev/null || fail "man page $page.1.gz is not gzipped"
done
copyright=$root/usr/share/doc/quantaro/copyright
head -n 1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "copyright is not in the machine-readable format"
grep -q '^Copyright: .*Velkor' "$copyright" || fail "copyright does not name Velkor"
grep -qx 'License: GPL-3.0-or-later' "$copyright" || fail "copyright does not give the GPL, version 3 or later"
zcat "$root/usr/share/doc/quantaro/changelog.Debian.gz" | head -n 1 | grep -q "^quantaro ($(field Version)) " ||
  fail "the changelog's newest entry is not for $(field Version)"

# Hardened as dpkg-buildflags asks (PIE, RELRO, BIND_NOW, fortified calls,
# stack protector), stripped, and loading libraries only from the system's places.
for program in bin/quantaro bin/quantaro-convert libexec/quantaro/quantaro-search-provider; do
  bin=$root/usr/$program
  # Each tool's whole output first: grep -q stops reading at its first match,
  # and the tool's SIGPIPE would then fail the pipe under pipefail.
  header=$(readelf -h "$bin") segments=$(readelf -lW "$bin") dynamic=$(readelf -d "$bin")
  symbols=$(nm -D "$bin") sections=$(readelf -SW "$bin")
  grep -q 'Type: *DYN' <<<"$header" || fail "$program is not position-independent"
  grep -q GNU_RELRO <<<"$segments" || fail "$program has no RELRO segment"
  grep -q 'FLAGS.*BIND_NOW' <<<"$dynamic" || fail "$program is not bound at load time (BIND_NOW)"
  grep -q 'R\(UN\)\?PATH' <<<"$dynamic" && fail "$program carries a library search path"
  grep -q ' U __[a-z]*_chk@' <<<"$symbols" || fail "$program calls no fortified function"
  grep -q ' U __stack_chk_fail@' <<<"$symbols" || fail "$program has no stack protector"
  grep -q '\.symtab\|\.debug_\|\.comment' <<<"$sections" && fail "$program is not stripped"
done
# No static copy of a packaged library: both use the system's C++ runtime.
for program in quantaro quantaro-convert; do
  grep -q 'NEEDED.*libstdc++' <<<"$(readelf -d "$root/usr/bin/$program")" || fail "$program does not load the shared C++ runtime"
done

# The unpacked files at work.
[ "$("$root/usr/bin/quantaro-convert" 5)" = 127 ] || fail "usr/bin/quantaro-convert 5 does not print 127"
entry=$root/usr/share/applications/$id.desktop
out=$(desktop-file-validate "$entry" 2>&1)
[ -z "$out" ] || { echo "$out"; fail "desktop-file-validate"; }
# The bus starts the search service where the package put it.
for service in Runner SearchProvider; do
  grep -qx "Exec=/usr/libexec/quantaro/quantaro-search-provider" "$root/usr/share/dbus-1/services/com.velkor.Quantaro.$service.service" ||
    fail "com.velkor.Quantaro.$service.service does not start the packaged search service"
done
out=$(desktop-file-validate "$root/usr/share/krunner/dbusplugins/com.velkor.Quantaro.Runner.desktop" 2>&1)
[ -z "$out" ] || { echo "$out"; fail "desktop-file-validate on the runner's plugin file"; }
out=$(appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" 2>&1) ||
  { echo "$out"; fail "appstreamcli validate"; }

# The window, started as the menu starts it, with no settings yet.
if start_xvfb 1280x1024x24; then
  own_settings
  use_x
  mkdir -m 700 "$work/config"
  launch "$root/usr/bin/quantaro"
  if ! window=$(window_titled "127 - Velkor Quantaro"); then
    cat "$work/stderr"
    fail "the unpacked quantaro showed no window titled \"127 - Velkor Quantaro\""
  else
    # Desktops match the window to its menu entry by the X11 window class.
    class=$(xprop -id "$window" WM_CLASS | sed -n 's/.*= "[^"]*", "\([^"]*\)"$/\1/p')
    grep -qx "StartupWMClass=$class" "$entry" || fail "window class \"$class\" is not the entry's StartupWMClass"
    kill -TERM "$app"
    await_exit 10
    [ -f "$conf" ] || fail "no settings in Velkor/quantaro.conf after the run"
  fi
else
  fail "Xvfb did not start"
fi

[ "$failed" = 0 ] && echo "package: $(basename "$deb") as expected"
exit $failed
