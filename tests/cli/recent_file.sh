#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# quantaro-convert --recent only reads the window's settings file: with a
# settings folder and no file it prints the first-run pair and leaves no file
# behind; a file its user may read but not write gives the stored pairs and
# status 0, and stays as it was. Runs as "nobody" when started as root, who
# may write any file.
# Usage: recent_file.sh path/to/quantaro-convert
set -uo pipefail
bin=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

as_user=()
if [ "$(id -u)" -eq 0 ]; then
  command -v setpriv >/dev/null || { echo "skipped: running as root without setpriv"; exit 77; }
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
  chmod 755 "$work"
  # The build folder may be closed to other users; a copy is not.
  cp "$bin" "$work/quantaro-convert"
  chmod 755 "$work/quantaro-convert"
  bin=$work/quantaro-convert
fi
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# recent CASE: runs --recent with the settings under $work/CASE/config as the
# unprivileged user; sets status, out and err.
recent() {
  local home=$work/$1
  [ -z "${as_user[*]}" ] || chown -R nobody:nogroup "$home"
  out=$(cd "$home" && HOME="$home" XDG_CONFIG_HOME="$home/config" "${as_user[@]}" "$bin" --recent 2>"$work/err")
  status=$?
  err=$(cat "$work/err")
}

# expect NAME OUTPUT: the last run printed OUTPUT, nothing on standard error,
# and ended with status 0.
expect() {
  [ "$status" = 0 ] || fail "$1: status $status, expected 0; standard error: $err"
  [ -z "$err" ] || fail "$1: standard error should be empty: $err"
  [ "$out" = "$2" ] || fail "$1: printed \"$out\", expected \"$2\""
}

first_run=$(printf '2\t1\tinch (in.) -> millimetre (mm)')
stored=$(printf '3\t4\tcentimetre (cm) -> foot (ft.)\n2\t1\tinch (in.) -> millimetre (mm)')

# A settings folder and no file: the first-run pair, and still no file.
mkdir -p "$work/no-file/config/Velkor"
recent no-file
expect "no settings file" "$first_run"
left=$(ls -A "$work/no-file/config/Velkor")
[ -z "$left" ] || fail "no settings file: left behind in the settings folder: $left"

# A file its user may read but not write, in a folder they may write.
conf=$work/read-only/config/Velkor/quantaro.conf
mkdir -p "${conf%/*}"
printf '[Data]\nFrom=3\nTo=4\nRecentPairs=3:4 2:1\n' >"$conf"
before=$(cat "$conf")
chmod 444 "$conf"
recent read-only
expect "a read-only settings file" "$stored"
[ "$(cat "$conf")" = "$before" ] || fail "a read-only settings file: the file was changed"
left=$(ls -A "${conf%/*}")
[ "$left" = quantaro.conf ] || fail "a read-only settings file: the settings folder holds $left"

[ "$failures" -eq 0 ] || exit 1
echo "quantaro-convert --recent: read only"
