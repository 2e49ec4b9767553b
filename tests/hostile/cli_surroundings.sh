#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# quantaro-convert where its standard streams fail it: output to a full
# device, a directory as input, closed streams. Each run must end with
# status 1 and say why in one line on standard error (none when standard
# error itself is closed), never with success and never by a crash.
# Usage: cli_surroundings.sh path/to/quantaro-convert [full-device]
#   full-device: only the runs against /dev/full, skipped (status 77) on a
#   machine without a writable one; without it, every other run.
set -uo pipefail
bin=$1
part=${2:-streams}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
# expect NAME STATUS PATTERN: the last run ended with STATUS and its standard
# error is one line matching PATTERN (or empty when PATTERN is empty).
expect() {
  local name=$1 want=$2 pattern=$3 err
  err=$(cat "$work/err")
  if [ "$status" != "$want" ]; then
    echo "FAIL: $name: status $status, expected $want; standard error: $err"
    failures=$((failures + 1))
  elif [ -z "$pattern" ] && [ -n "$err" ]; then
    echo "FAIL: $name: standard error should be empty: $err"
    failures=$((failures + 1))
  elif [ -n "$pattern" ] && { [ "$(printf '%s\n' "$err" | wc -l)" != 1 ] || ! printf '%s' "$err" | grep -q -- "$pattern"; }; then
    echo "FAIL: $name: standard error is not one line saying \"$pattern\": $err"
    failures=$((failures + 1))
  fi
}

many_lines() { seq 1 200000; }

if [ "$part" = full-device ]; then
  [ -w /dev/full ] || { echo "skipped: no writable /dev/full on this machine"; exit 77; }
  "$bin" 5 >/dev/full 2>"$work/err"; status=$?
  expect "one result to a full device" 1 "cannot write the output: No space left on device"
  many_lines | "$bin" --json >/dev/full 2>"$work/err"; status=$?
  expect "many lines to a full device" 1 "cannot write the output: No space left on device"
  "$bin" --list >/dev/full 2>"$work/err"; status=$?
  expect "the list to a full device" 1 "cannot write the output: No space left on device"
  "$bin" 5 >/dev/full 2>&-; status=$?
  : >"$work/err"
  expect "a full device and no standard error" 1 ""
  [ "$failures" -eq 0 ] || exit 1
  echo "quantaro-convert: a full device reported"
  exit 0
fi

"$bin" <"$work" >/dev/null 2>"$work/err"; status=$?
expect "a directory as standard input" 1 "cannot read the input: Is a directory"

"$bin" <&- >/dev/null 2>"$work/err"; status=$?
expect "standard input closed" 1 "cannot read the input"

"$bin" 5 >&- 2>"$work/err"; status=$?
expect "standard output closed" 1 "cannot write the output"

[ "$failures" -eq 0 ] || exit 1
echo "quantaro-convert: every failing stream reported"
