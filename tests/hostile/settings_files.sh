#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# The real converter (offscreen) against settings files no one writes on
# purpose: random bytes, a file cut short at several places, a file and a
# folder it may not write. Each run is ended by SIGTERM, which closes the
# window like Esc and writes the state. The program must start with the
# first-run values, end by the signal and write them back whole where it may;
# where it may not (a read-only file, or a writable file in a read-only
# folder), the file stays as it was and one line on standard error says so.
# Runs as "nobody" when started as root, who may write any file.
# Usage: settings_files.sh path/to/quantaro
set -uo pipefail
bin=$(realpath "$1")

. "$(dirname "${BASH_SOURCE[0]}")/../lib/session.sh"

as_user=()
if [ "$(id -u)" -eq 0 ]; then
  command -v setpriv >/dev/null || { echo "skipped: running as root without setpriv"; exit 77; }
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
  chmod 755 "$work"
  # The build folder may be closed to other users; a copy is not.
  cp "$bin" "$work/quantaro"
  chmod 755 "$work/quantaro"
  bin=$work/quantaro
fi
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Starts the converter with its settings under $work/$1, waits until it
# handles SIGTERM, sends it, and sets status and err.
run_case() {
  local home=$work/$1
  status=
  mkdir -p "$home/runtime"
  chmod 700 "$home/runtime"
  hand_over "$1"
  launch HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen \
    "${as_user[@]}" "$bin"
  # The handler is in place once the kernel lists SIGTERM (15) as caught by
  # the program itself: until the exec, the forked shell still holds this
  # script's own trap for it.
  local mask=0
  for _ in $(seq 300); do
    mask=0
    [ "$(readlink "/proc/$app/exe" 2>/dev/null)" = "$bin" ] &&
      mask=$(awk '/^SigCgt:/ { print $2 }' "/proc/$app/status" 2>/dev/null || echo 0)
    [ $(( (16#${mask:-0} >> 14) & 1 )) -eq 1 ] && break
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
  done
  kill -TERM "$app" 2>/dev/null
  await_exit 30
  [ "$status" = "still running" ] && kill -KILL "$app" && wait "$app"
  err=$(cat "$work/stderr")
}

# A settings folder of its own per case.
settings_dir() {
  mkdir -p "$work/$1/config/Velkor"
  echo "$work/$1/config/Velkor"
}

# Gives the case's folders and files to the user the program runs as.
hand_over() {
  [ -z "${as_user[*]}" ] || chown -R nobody:nogroup "$work/$1"
}

# The run started with the first-run values and wrote them back whole.
expect_defaults_written() {
  local name=$1 conf=$2
  [ "$status" = 143 ] || { fail "$name: ended with $status, expected 143 (SIGTERM)"; echo "$err"; return; }
  [ -z "$err" ] || fail "$name: standard error: $err"
  [ -n "$(setting Config XPosition "$conf")" ] && [ -n "$(setting Config YPosition "$conf")" ] ||
    fail "$name: no window position in the rewritten file"
  local data
  data="$(setting Data Source "$conf")|$(setting Data From "$conf")|$(setting Data To "$conf")"
  [ "$data" = "5|2|1" ] || fail "$name: input and rows written as $data, expected the first run's 5|2|1"
}

expect_refused() {
  local name=$1 conf=$2 before=$3
  [ "$status" = 143 ] || { fail "$name: ended with $status, expected 143 (SIGTERM)"; echo "$err"; return; }
  local lines
  lines=$(printf '%s' "$err" | grep -c 'quantaro\.conf')
  [ "$lines" = 1 ] || fail "$name: $lines lines about the settings file on standard error, expected 1: $err"
  [ "$(cat "$conf" 2>/dev/null)" = "$before" ] || fail "$name: the file it may not write was changed"
}

good='[Config]
XPosition=210
YPosition=120
[Data]
Source=1.5e3 und mehr
From=23
To=21
'

# Random bytes.
dir=$(settings_dir random)
LC_ALL=C awk 'BEGIN { srand(20240611); for (i = 0; i < 4096; i++) printf "%c", int(rand() * 256) }' >"$dir/quantaro.conf"
run_case random
expect_defaults_written "random bytes" "$dir/quantaro.conf"

# A good file cut short: in a section name, in a key, in a value, after a key.
for cut in 3 14 40 75; do
  dir=$(settings_dir "cut$cut")
  printf '%s' "$good" | head -c "$cut" >"$dir/quantaro.conf"
  run_case "cut$cut"
  expect_defaults_written "file cut after $cut bytes" "$dir/quantaro.conf"
done

# A file it may read but not write.
dir=$(settings_dir readonly)
printf '%s' "$good" >"$dir/quantaro.conf"
chmod 444 "$dir/quantaro.conf"
run_case readonly
expect_refused "read-only file" "$dir/quantaro.conf" "$(printf '%s' "$good")"

# A folder it may not write, and no file yet.
dir=$(settings_dir readonly-folder)
chmod 555 "$dir"
run_case readonly-folder
expect_refused "read-only folder" "$dir/quantaro.conf" ""

# A file it may write in a folder it may not (the user's own file in a folder
# someone else keeps): a write goes through a new file beside it and a rename,
# never into the file in place, so the file stays as it was.
dir=$(settings_dir writable-file-readonly-folder)
printf '%s' "$good" >"$dir/quantaro.conf"
chmod 644 "$dir/quantaro.conf"
chmod 555 "$dir"
run_case writable-file-readonly-folder
expect_refused "writable file in a read-only folder" "$dir/quantaro.conf" "$(printf '%s' "$good")"

[ "$failures" -eq 0 ] || exit 1
echo "settings files: all runs as expected"
