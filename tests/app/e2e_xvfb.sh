#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# The real converter in a private X server, four runs on one settings file:
#  1. first run: defaults on screen; change all five remembered values (type
#     a text, pick a From and a To row with the keyboard, move the window), Esc;
#  2. next run shows all five again, and Esc writes them back unchanged;
#  3. an index outside the list; SIGTERM while the context menu is open
#     still writes the state;
#  4. the settings file cannot be written: SIGINT while the About picture is
#     open ends the run with one line on standard error.
# Usage: e2e_xvfb.sh path/to/quantaro
set -uo pipefail
bin=$1
. "$(dirname "${BASH_SOURCE[0]}")/../lib/session.sh"
require Xvfb xdotool

start_xvfb 1280x1024x24 || fail "Xvfb did not start"
own_settings
use_x

expect_position() {
  local at
  at=$(xdotool getwindowgeometry "$1" | sed -n 's/^ *Position: \([-0-9]*,[-0-9]*\).*/\1/p')
  [ "$at" = "$2" ] || fail "window at $at, expected $2"
}

# 1. First run: 5 in. to mm at (300, 100).
launch "$bin"
id=$(window_titled "127 - Velkor Quantaro") || fail "first run"
expect_position "$id" 300,100
xdotool windowfocus --sync "$id"
xdotool key ctrl+a BackSpace
window_titled "Velkor Quantaro" >/dev/null || fail "emptying the input field"
xdotool type ' 10"'
window_titled "254 - Velkor Quantaro" >/dev/null || fail "typing into the input field"
# Letters typed into a list jump to the next row starting with them: From
# "knots (kn)", then To "miles per hour (mi/h)"; 10 kn is 5.14 m/s.
xdotool key Tab && xdotool type kn
window_titled "5.1400000000000006 - Velkor Quantaro" >/dev/null || fail "picking knots in the From list"
xdotool key Tab && xdotool type mi
window_titled "11.497852541159627 - Velkor Quantaro" >/dev/null || fail "picking miles per hour in the To list"
xdotool windowmove --sync "$id" 200 150
xdotool key Escape
await_exit
[ "$status" = 0 ] || fail "first run ended with $status after Esc"
expect_saved '200|150|" 10\""|219|218' "after Esc"

# 2. All five come back: the place, and in the title the input converted
#    from knots to miles per hour; Esc at once writes the same five back.
launch "$bin"
id=$(window_titled "11.497852541159627 - Velkor Quantaro") || fail "second run"
expect_position "$id" 200,150
xdotool windowfocus --sync "$id"
xdotool key Escape
await_exit
[ "$status" = 0 ] || fail "second run ended with $status after Esc"
expect_saved '200|150|" 10\""|219|218' "after the second run's Esc"

# 3. From points past the list, so it shows no row and the input passes
#    unchanged into miles per hour as metres per second.
sed -i 's/^From=.*/From=500/' "$conf"
launch "$bin"
id=$(window_titled "22.36936292054402 - Velkor Quantaro") || fail "third run"
expect_position "$id" 200,150
xdotool windowmove --sync "$id" 400 300
xdotool windowfocus --sync "$id"
xdotool key ctrl+a BackSpace
# Once the title follows the key, the move before it has been seen too.
window_titled "Velkor Quantaro" >/dev/null || fail "emptying the input field"
# A menu runs a loop of its own, which the signal must end as well.
xdotool mousemove --window "$id" 5 5 click 3
await_windows 2 || fail "the context menu did not open"
kill -TERM "$app"
await_exit
[ "$status" = 143 ] || fail "third run ended with $status after SIGTERM, expected the signal's 143"
expect_saved '400|300||-1|218' "after SIGTERM"

# 4. A folder where the settings file belongs: defaults, and one line saying
#    the state was not saved.
rm -f "$conf" && mkdir "$conf"
launch "$bin"
id=$(window_titled "127 - Velkor Quantaro") || fail "fourth run"
xdotool windowfocus --sync "$id"
xdotool key F1
await_windows 2 || fail "the About picture did not open"
kill -INT "$app"
await_exit
[ "$status" = 130 ] || fail "fourth run ended with $status after SIGINT, expected the signal's 130"
lines=$(grep -c 'quantaro\.conf' "$work/stderr")
[ "$lines" = 1 ] || { cat "$work/stderr"; fail "$lines lines about the settings file on standard error, expected 1"; }
[ -d "$conf" ] || fail "the folder in the settings file's place was touched"

echo "end-to-end: all runs as expected"
