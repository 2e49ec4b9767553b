#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# Installs and removes the two binary packages with dpkg in every order, into
# a private root (its own dpkg database, holding the libraries they depend on
# as the system has them), and after every step finds exactly the files of
# the packages installed: none lost, none left behind, and dpkg reporting no
# error or warning. Also from the single package that held everything until
# the split (quantaro 1.0.0-1, made here from the same files): upgraded with
# both packages at once, or quantaro alone; quantaro-convert alone is refused
# while the old quantaro is there, which would lose its files on removal.
# Usage: check_install_orders.sh path/to/quantaro-convert_<version>_amd64.deb path/to/quantaro_<version>_amd64.deb
set -uo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failed=0
fail() { echo "FAIL: $*"; failed=1; }

declare -A debs
for path; do
  debs[$(dpkg-deb -f "$path" Package)]=$(realpath "$path")
done
cli=${debs[quantaro-convert]:?no quantaro-convert package given}
gui=${debs[quantaro]:?no quantaro package given}

# The files a package holds (no folders: dpkg keeps a folder while any package has files in it).
files() { dpkg-deb -c "$1" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort; }
files "$cli" >"$work/cli.files"
files "$gui" >"$work/gui.files"

# The package before the split: quantaro 1.0.0-1 with every file of both.
old=$work/old
dpkg-deb -x "$cli" "$old"
dpkg-deb -x "$gui" "$old"
rm -r "$old/usr/share/doc/quantaro-convert" "$old/usr/share/lintian/overrides/quantaro-convert"
mkdir "$old/DEBIAN"
{
  dpkg-deb -f "$gui" Package Section Priority Maintainer Architecture Depends
  echo "Version: 1.0.0-1"
  echo "Description: unit converter for the desktop and the command line"
  echo " The single package that held the window and the command line."
} >"$old/DEBIAN/control"
dpkg-deb --root-owner-group -Zgzip -b "$old" "$work/old.deb" >/dev/null || { echo "FAIL: could not make the old package"; exit 1; }
files "$work/old.deb" >"$work/old.files"

# A root whose dpkg database holds the libraries the packages depend on,
# with the versions this system has.
new_root() {
  root=$work/root
  rm -rf "$root"
  mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
  : >"$root/var/lib/dpkg/available"
  local lib
  for lib in $({ dpkg-deb -f "$cli" Depends; dpkg-deb -f "$gui" Depends; } | tr ',' '\n' | sed 's/^ *\([^ ]*\).*/\1/' | sort -u); do
    dpkg-query -s "$lib" 2>/dev/null | grep -v '^\(Conffiles\|Depends\|Pre-Depends\|Recommends\|Suggests\|Breaks\|Conflicts\|Replaces\|Provides\):\|^ ' ||
      { echo "FAIL: $lib, which the packages depend on, is not installed here"; exit 1; }
    echo
    # An empty list of files: the libraries' own files are not in this root.
    : >"$root/var/lib/dpkg/info/$lib.list"
    : >"$root/var/lib/dpkg/info/$lib:$(dpkg-query -W -f='${Architecture}' "$lib").list"
  done >"$root/var/lib/dpkg/status"
  installed=()
}
dpkg_in_root() {
  # Nothing here needs to survive a power cut: no sync after every file.
  dpkg --root="$root" --log=/dev/null --force-unsafe-io "$@" >"$work/out" 2>&1
}
# STEP: what was done; then the set of files must be the installed packages'.
expect() {
  local name
  for name in "${installed[@]}"; do cat "$work/$name.files"; done | sort -u >"$work/expected"
  (cd "$root" && find . -path ./var/lib/dpkg -prune -o ! -type d -print | sed 's|^\./||' | sort) >"$work/present"
  diff "$work/expected" "$work/present" >"$work/diff" ||
    { fail "after $1: files differ from the packages installed (${installed[*]:-none}; < lost, > left behind)"; head -n 20 "$work/diff"; }
}
step() { # DESCRIPTION DPKG-ARGUMENTS...: must succeed without a word from dpkg on errors or warnings
  local what=$1
  shift
  if ! dpkg_in_root "$@"; then
    fail "$what: dpkg failed"
    cat "$work/out"
  elif grep -qi 'error\|warning' "$work/out"; then
    fail "$what: dpkg reported a problem"
    cat "$work/out"
  fi
}

# Every order of installing the two packages one at a time and removing them one at a time.
for first in cli gui; do
  for gone in cli gui; do
    second=$([ "$first" = cli ] && echo gui || echo cli)
    last=$([ "$gone" = cli ] && echo gui || echo cli)
    new_root
    name() { [ "$1" = cli ] && echo quantaro-convert || echo quantaro; }
    deb() { [ "$1" = cli ] && echo "$cli" || echo "$gui"; }
    order="$(name $first), then $(name $second), removing $(name $gone) first"
    step "$order: installing $(name $first)" -i "$(deb $first)"
    installed=("$first"); expect "$order: installing $(name $first)"
    step "$order: installing $(name $second)" -i "$(deb $second)"
    installed=(cli gui); expect "$order: installing $(name $second)"
    step "$order: removing $(name $gone)" --purge "$(name $gone)"
    installed=("$last"); expect "$order: removing $(name $gone)"
    step "$order: removing $(name $last)" --purge "$(name $last)"
    installed=(); expect "$order: removing $(name $last)"
  done
done

# From the old package: both new packages at once, the one that takes the
# files over first and the old package deconfigured meanwhile, as apt has
# dpkg do it; then each removed.
new_root
step "installing quantaro 1.0.0-1" -i "$work/old.deb"
installed=(old); expect "installing quantaro 1.0.0-1"
step "upgrading quantaro 1.0.0-1 to both packages" --auto-deconfigure -i "$cli" "$gui"
installed=(cli gui); expect "upgrading quantaro 1.0.0-1 to both packages"
step "removing quantaro after the upgrade" --purge quantaro
installed=(cli); expect "removing quantaro after the upgrade"
step "removing quantaro-convert after the upgrade" --purge quantaro-convert
installed=(); expect "removing quantaro-convert after the upgrade"

# From the old package to quantaro alone: the command line goes with the old package.
new_root
step "installing quantaro 1.0.0-1" -i "$work/old.deb"
step "upgrading quantaro 1.0.0-1 to quantaro alone" -i "$gui"
installed=(gui); expect "upgrading quantaro 1.0.0-1 to quantaro alone"

# quantaro-convert alone beside the old package: refused, the old package whole.
new_root
step "installing quantaro 1.0.0-1" -i "$work/old.deb"
if dpkg_in_root -i "$cli"; then
  fail "quantaro-convert was installed beside quantaro 1.0.0-1, whose files it takes"
fi
installed=(old); expect "installing quantaro-convert beside quantaro 1.0.0-1"
[ "$(dpkg-query --admindir="$root/var/lib/dpkg" -W -f='${Version} ${db:Status-Abbrev}' quantaro 2>/dev/null)" = "1.0.0-1 ii " ] ||
  fail "quantaro 1.0.0-1 is not left installed when quantaro-convert is refused"

[ "$failed" = 0 ] && echo "install orders: every order of installing and removing the packages, and the upgrade from 1.0.0-1, as expected"
exit $failed
