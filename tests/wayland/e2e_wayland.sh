#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# The real converter as a native Wayland client (run it through with_weston.sh),
# on a settings file from an X11 session: the window at (640, 480) and data
# other than the first run's. The compositor places the window; SIGTERM ends
# the run through the window's cancel path, as Esc would. The place from the
# X11 session must stay stored as it was, while the input and the rows are
# written as the run ended with them: From names no row (500), so the window
# shows none and ends with -1.
# Usage: with_weston.sh e2e_wayland.sh path/to/quantaro
set -uo pipefail
bin=$1
[ -n "${WAYLAND_DISPLAY:-}" ] || { echo "FAIL: no WAYLAND_DISPLAY; run this through with_weston.sh"; exit 1; }
[ -z "${DISPLAY:-}" ] || { echo "FAIL: DISPLAY is set; the program could reach an X server"; exit 1; }

. "$(dirname "${BASH_SOURCE[0]}")/../lib/session.sh"
# The Wayland protocol lines on standard error are left out.
fail() { echo "FAIL: $*"; grep -v '^\[' "$work/stderr" | sed 's/^/converter: /'; exit 1; }

own_settings
mkdir -p "${conf%/*}"
printf '[Config]\nXPosition=640\nYPosition=480\n\n[Data]\nSource=12\nFrom=500\nTo=21\n' >"$conf"

# The client's side of the protocol goes to standard error: it shows the
# window the program asks the compositor for, and under which application ID.
launch WAYLAND_DEBUG=client "$bin"

# 12 (no source row: the number stays in metres) in centimetres. The window
# has its title once it is created, after the signal handler is in place.
title='set_title("1200 - Velkor Quantaro")'
for _ in $(seq 200); do
  grep -qF "$title" "$work/stderr" && break
  kill -0 "$app" 2>/dev/null || break
  sleep 0.1
done
grep -qF "$title" "$work/stderr" || fail "no Wayland window titled \"1200 - Velkor Quantaro\""
grep -qF 'set_app_id("com.velkor.Quantaro")' "$work/stderr" || fail "the window's application ID is not com.velkor.Quantaro"

kill -TERM "$app"
await_exit
[ "$status" = "still running" ] && fail "still running 20 s after SIGTERM"
[ "$status" = 143 ] || fail "ended with $status after SIGTERM, expected the signal's 143"

expect_saved '640|480|12|-1|21' "after SIGTERM"
echo "end-to-end on Wayland: the place stayed, the data was written"
