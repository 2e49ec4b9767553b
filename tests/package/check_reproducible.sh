#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# Builds quantaro-convert a second time from the source package beside the
# given one, in another folder, at another time, with another umask, time
# zone and locale, as another user when run as root (the build needs no root:
# Rules-Requires-Root: no) and without network (it needs none), and finds it
# and its debug symbols byte for byte the same as the first build's. The
# rebuild is binary-only from the source package, leaves out the test suite
# as scripts/package does (nocheck) and, with the build profile
# pkg.quantaro.nogui, the window's package and Qt: it builds the command
# line's program and nothing else (and skips the clean of the fresh unpacked
# tree), a quarter of the CPU time of building both packages again.
# Usage: check_reproducible.sh path/to/quantaro_<version>_amd64.deb [...]
#        (the other packages given are found beside it)
set -uo pipefail
deb=
for path; do
  [ "$(dpkg-deb -f "$path" Package)" = quantaro ] && deb=$(realpath "$path")
done
[ -n "$deb" ] || { echo "usage: $0 path/to/quantaro_<version>_amd64.deb"; exit 2; }
dir=$(dirname "$deb")
version=$(dpkg-deb -f "$deb" Version)
arch=$(dpkg-deb -f "$deb" Architecture)
work=$(mktemp -d /tmp/quantaro-rebuild.XXXXXXXXXX)
trap 'rm -rf "$work"' EXIT

as_other=()
if [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1; then
  chown nobody "$work"
  as_other=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
fi
# Without network where the machine lets us take it away: the build needs none.
no_network=()
if unshare --net true 2>/dev/null; then
  no_network=(unshare --net)
fi
# The umask is set before unpacking, so the source files get it too.
if ! (umask 0077 && cd "$work" &&
  "${no_network[@]}" "${as_other[@]}" env HOME="$work" TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 \
    DEB_BUILD_OPTIONS=nocheck DEB_BUILD_PROFILES="nocheck pkg.quantaro.nogui" \
    sh -c 'dpkg-source -x "$0" rebuilt && cd rebuilt && dpkg-buildpackage -us -uc -b --no-pre-clean -j"$(nproc)"' \
    "$dir/quantaro_${version#*:}.dsc") >"$work/log" 2>&1; then
  tail -n 30 "$work/log"
  echo "FAIL: the second build"
  exit 1
fi

failed=0
for package in quantaro-convert quantaro-convert-dbgsym; do
  name=${package}_${version#*:}_$arch.deb
  if cmp -s "$dir/$name" "$work/$name"; then
    echo "$name: the same in both builds ($(sha256sum <"$work/$name" | cut -c1-16))"
  else
    diff <(dpkg-deb -c "$dir/$name") <(dpkg-deb -c "$work/$name") | head -n 20
    echo "FAIL: $name differs between the two builds ($dir/$name, $work/$name)"
    failed=1
  fi
done
exit $failed
