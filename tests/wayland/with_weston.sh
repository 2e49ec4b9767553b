#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# Runs a command as a native Wayland client of a private headless compositor:
# weston on a socket of its own, in a runtime folder of its own, with no X
# display in reach (DISPLAY unset), so a Qt program can only run natively.
# The compositor is stopped afterwards, however the command ended. Exits with
# the command's status, or 77 (skipped) when weston cannot start at all.
# Usage: with_weston.sh COMMAND [ARGS...]
set -uo pipefail
command -v weston >/dev/null || { echo "skipped: weston is not installed"; exit 77; }

work=$(mktemp -d)
weston_pid=
cleanup() {
  if [ -n "$weston_pid" ]; then
    kill -TERM "$weston_pid" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$weston_pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$weston_pid" 2>/dev/null
    wait "$weston_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' HUP INT TERM

export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
socket=quantaro-test
# --no-config: no weston.ini of whoever runs the tests changes the compositor.
weston --backend=headless-backend.so --socket="$socket" --idle-time=0 --no-config >"$work/weston.log" 2>&1 &
weston_pid=$!

for _ in $(seq 100); do
  [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
  if ! kill -0 "$weston_pid" 2>/dev/null; then
    wait "$weston_pid"
    echo "skipped: weston could not start (status $?):"
    tail -n 20 "$work/weston.log"
    weston_pid=
    exit 77
  fi
  sleep 0.1
done
if [ ! -S "$XDG_RUNTIME_DIR/$socket" ]; then
  echo "FAIL: weston runs but opened no socket within 10 s:"
  tail -n 20 "$work/weston.log"
  exit 1
fi

env -u DISPLAY WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland "$@"
status=$?
if ! kill -0 "$weston_pid" 2>/dev/null; then
  echo "FAIL: weston ended while the command ran:"
  tail -n 20 "$work/weston.log"
  exit 1
fi
exit "$status"
