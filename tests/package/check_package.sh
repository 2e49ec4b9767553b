#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# Checks the Debian packages as a user's system gets them: lintian, the
# control fields, the files of each package and their modes, hardened and
# stripped programs, and the programs, menu entry, AppStream data and search
# service registration of both packages unpacked into one temporary root and
# run from there (the window on a private X server).
# Usage: check_package.sh path/to/quantaro-convert_<version>_amd64.deb path/to/quantaro_<version>_amd64.deb
set -uo pipefail
id=com.velkor.Quantaro

. "$(dirname "${BASH_SOURCE[0]}")/../lib/session.sh"

failed=0
fail() { echo "FAIL: $*"; failed=1; }

declare -A debs
for path; do
  debs[$(dpkg-deb -f "$path" Package)]=$(realpath "$path")
done
for package in quantaro quantaro-convert; do
  [ -f "${debs[$package]:-}" ] || { echo "usage: $0 quantaro-convert.deb quantaro.deb (no $package given)"; exit 2; }
done
deb=${debs[quantaro]} cli=${debs[quantaro-convert]}
version=$(dpkg-deb -f "$deb" Version)
dir=$(dirname "$deb")

# Lintian on the upload, source and binary packages, pedantically and with
# the experimental tags: no tag but those the packages override (with their
# reasons), so a new info, pedantic or experimental tag is seen and dealt with.
changes=${deb%.deb}.changes
if [ ! -f "$changes" ]; then
  fail "no $(basename "$changes") beside the package"
elif ! lintian --pedantic --display-info --display-experimental --fail-on error,warning "$changes" >"$work/lintian" 2>&1 ||
  grep -q '^[EWIPX]:' "$work/lintian"; then
  cat "$work/lintian"
  fail "lintian"
fi
# The debug symbols of each package's programs, found by their build IDs.
for package in quantaro:2 quantaro-convert:1; do
  dbgsym=$dir/${package%:*}-dbgsym_${version}_amd64.deb
  [ "$(dpkg-deb -c "$dbgsym" 2>/dev/null | grep -c '/usr/lib/debug/\.build-id/.*\.debug$')" = "${package#*:}" ] ||
    fail "${package%:*}-dbgsym does not hold the debug symbols of its ${package#*:} program(s)"
done
# The build leaves nothing above the checkout that holds build-package/: no
# package, source package or upload file of either package (any one of them
# fails, whatever else is there; the reproducibility check's own folder
# beside the checkout, quantaro-rebuild.*, is none of them).
above=$dir/../..
leftovers=$(shopt -s nullglob; printf '%s\n' "$above"/quantaro_* "$above"/quantaro-*_*)
[ -z "$leftovers" ] || fail "package files above the checkout: $leftovers"

field() { dpkg-deb -f "$1" "$2"; }
depends() { field "$1" Depends | tr ',' '\n' | sed 's/^ *//'; }
for package in quantaro quantaro-convert; do
  d=${debs[$package]}
  [ "$(field "$d" Section)" = utils ] || fail "$package: Section: $(field "$d" Section)"
  [ "$(field "$d" Architecture)" = amd64 ] || fail "$package: Architecture: $(field "$d" Architecture)"
  [ "$(field "$d" Version)" = "$version" ] || fail "$package: Version $(field "$d" Version), quantaro $version"
  [ "$(basename "$d")" = "${package}_${version}_amd64.deb" ] || fail "file name $(basename "$d") for $package $version"
  [ "$(field "$d" Description | sed 1d | wc -l)" -ge 3 ] || fail "$package: no long description"
  # Every directory 0755 and owned by root; every file root's.
  dpkg-deb -c "$d" >"$work/contents"
  awk '$1 ~ /^d/ && $1 != "drwxr-xr-x" { print }' "$work/contents" | grep . && fail "$package: directories not 0755"
  awk '$2 != "root/root" { print }' "$work/contents" | grep . && fail "$package: files not owned by root"
done
[ "$(field "$deb" Recommends)" = "qt6-wayland, quantaro-convert" ] || fail "quantaro: Recommends: $(field "$deb" Recommends)"
# Computed from the programs: the Qt libraries the window and the search
# service link and the C library; the command line's are the C and C++
# runtimes alone.
for lib in libc6 libqt6core6 libqt6dbus6 libqt6gui6 libqt6widgets6; do
  depends "$deb" | grep -q "^$lib (>= " || fail "quantaro: Depends lacks $lib with its version: $(field "$deb" Depends)"
done
for lib in libc6 libstdc++6 libgcc-s1; do
  depends "$cli" | grep -q "^$lib (>= " || fail "quantaro-convert: Depends lacks $lib with its version: $(field "$cli" Depends)"
done
depends "$cli" | grep -v '^\(libc6\|libstdc++6\|libgcc-s1\) (>= ' | grep . &&
  fail "quantaro-convert depends on more than the C and C++ runtimes"
# The command line, its manual page and its completion were in quantaro
# until the split: the package that takes them over breaks and replaces the
# versions that held them (Policy 7.6.1), and nothing else.
for relation in Breaks Replaces; do
  [ "$(field "$cli" "$relation")" = "quantaro (<< 1.1.0-1~)" ] || fail "quantaro-convert: $relation: $(field "$cli" "$relation")"
  [ -z "$(field "$deb" "$relation")" ] || fail "quantaro: $relation: $(field "$deb" "$relation")"
done

# Each package's files, and none in both.
expected_cli=(
  usr/bin/quantaro-convert
  usr/share/man/man1/quantaro-convert.1.gz
  usr/share/bash-completion/completions/quantaro-convert
  usr/share/doc/quantaro-convert/copyright usr/share/doc/quantaro-convert/changelog.Debian.gz
  usr/share/doc/quantaro-convert/changelog.gz
  usr/share/lintian/overrides/quantaro-convert
)
expected=(
  usr/bin/quantaro
  usr/share/man/man1/quantaro.1.gz
  usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml
  usr/share/icons/hicolor/scalable/apps/$id.svg
  usr/share/doc/quantaro/copyright usr/share/doc/quantaro/changelog.Debian.gz
  usr/share/doc/quantaro/changelog.gz
  usr/share/lintian/overrides/quantaro
  usr/libexec/quantaro/quantaro-search-provider
  usr/share/dbus-1/services/com.velkor.Quantaro.Runner.service
  usr/share/dbus-1/services/com.velkor.Quantaro.SearchProvider.service
  usr/lib/systemd/user/com.velkor.Quantaro.SearchProvider.service
  usr/share/krunner/dbusplugins/com.velkor.Quantaro.Runner.desktop
  usr/share/gnome-shell/search-providers/com.velkor.Quantaro.search-provider.ini
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
files() { dpkg-deb -c "$1" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort; }
diff <(printf '%s\n' "${expected_cli[@]}" | sort) <(files "$cli") ||
  fail "quantaro-convert's files differ from the expected (< expected, > packaged)"
diff <(printf '%s\n' "${expected[@]}" | sort) <(files "$deb") ||
  fail "quantaro's files differ from the expected (< expected, > packaged)"

# Both unpacked into one root, as a system with both installed holds them.
root=$work/root
dpkg-deb -x "$cli" "$root"
dpkg-deb -x "$deb" "$root"
for size in 16 22 24 32 48 64 128 256; do
  [ "$(file -b "$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png" | grep -o '[0-9]* x [0-9]*')" = "$size x $size" ] ||
    fail "icon ${size}x${size} is not $size pixels square"
done

for page in quantaro quantaro-convert; do
  gzip -t "$root/usr/share/man/man1/$page.1.gz" 2>/dev/null || fail "man page $page.1.gz is not gzipped"
done
for package in quantaro quantaro-convert; do
  doc=$root/usr/share/doc/$package
  head -n 1 "$doc/copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "$package: copyright is not in the machine-readable format"
  grep -q '^Copyright: .*Velkor' "$doc/copyright" || fail "$package: copyright does not name Velkor"
  grep -qx 'License: GPL-3.0-or-later' "$doc/copyright" || fail "$package: copyright does not give the GPL, version 3 or later"
  grep -qx 'Files: debian/\*' "$doc/copyright" || fail "$package: copyright has no stanza for the packaging"
  zcat "$doc/changelog.Debian.gz" | head -n 1 | grep -q "^quantaro ($version) " ||
    fail "$package: the changelog's newest entry is not for $version"
  # The upstream changes, newest release first: the project's version.
  zcat "$doc/changelog.gz" | grep -m 1 '^## ' | grep -q "^## ${version%-*} " ||
    fail "$package: the upstream changelog's newest release is not ${version%-*}"
done

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
"$(dirname "${BASH_SOURCE[0]}")/check_search_units.sh" "$root" || fail "the search service's registration"
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

[ "$failed" = 0 ] && echo "package: $(basename "$cli") and $(basename "$deb") as expected"
exit $failed
