#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# The real converter in a private X server, with the context menu's keys and
# the remembered Display/ResultForm, runs on one settings file:
#  1. the old switch ShortestResult=true: 5 in. to cm reads "12.7";
#     Ctrl+Shift+R brings the seventeen digits back, and Esc writes the form
#     under its own key;
#  2. ShortestResult=banana: off; Ctrl+Shift+R turns it on; Ctrl+F, "sea
#     league" and Enter put the sea league into the From list; Esc writes it
#     all, the form as "Shortest";
#  3. the old switches ShortestResult and ExactResult both true, 3 ft. to m:
#     the Exact form, "0.9144"; Ctrl+Shift+E twice turns it off and on; Esc
#     writes "Exact" and removes the old switches;
#  4. the next run shows "0.9144" again; Ctrl+Shift+R turns the shortest form
#     on and the Exact form off, and Esc writes "Shortest";
#  5. 170 cm to ft; Ctrl+Shift+M shows "5 ft 6.93 in", and Esc writes "Mixed";
#  6. the next run opens on "5 ft 6.93 in".
# Usage: e2e_context_menu_xvfb.sh path/to/quantaro
set -uo pipefail
bin=$1
. "$(dirname "${BASH_SOURCE[0]}")/../lib/session.sh"
require Xvfb xdotool

start_xvfb 1280x1024x24 || fail "Xvfb did not start"
own_settings
use_x
mkdir -p "${conf%/*}"

expect_settings() {
  local got
  got="$(setting Data Source)|$(setting Data From)|$(setting Data To)|$(setting Display ResultForm)"
  [ "$got" = "$1" ] || { cat "$conf"; fail "$2: settings are $got, expected $1"; }
}

# 5 in. (From row 31) to cm (To row 21).
write_settings() {
  printf '[Data]\nSource=5\nFrom=31\nTo=21\n\n[Display]\nShortestResult=%s\n' "$1" >"$conf"
}

# 1. Remembered on.
write_settings true
launch "$bin"
id=$(window_titled "12.7 - Velkor Quantaro") || fail "first run with the shortest result"
xdotool windowfocus --sync "$id"
xdotool key ctrl+shift+r
window_titled "12.699999999999999 - Velkor Quantaro" >/dev/null || fail "Ctrl+Shift+R"
xdotool key Escape
await_exit
[ "$status" = 0 ] || fail "first run ended with $status after Esc"
expect_settings "5|31|21|SeventeenDigits" "after the first run"

# 2. Unreadable: off. Then on, and a unit found by name.
write_settings banana
launch "$bin"
id=$(window_titled "12.699999999999999 - Velkor Quantaro") || fail "second run, an unreadable switch"
xdotool windowfocus --sync "$id"
xdotool key ctrl+shift+r
window_titled "12.7 - Velkor Quantaro" >/dev/null || fail "Ctrl+Shift+R"
xdotool key ctrl+f
await_windows 2 || fail "Ctrl+F opened no popup"
xdotool type 'sea league'
xdotool key Return
# 5 sea leagues: 5 x 3 x 6080 ft x 30.48 cm.
window_titled "2779776 - Velkor Quantaro" >/dev/null || fail "picking the sea league"
await_windows 1 || fail "the popup stayed open"
xdotool key Escape
await_exit
[ "$status" = 0 ] || fail "second run ended with $status after Esc"
expect_settings "5|49|21|Shortest" "after the second run"

# 3. Both result forms on as written: the Exact form.
printf '[Data]\nSource=3\nFrom=34\nTo=23\n\n[Display]\nShortestResult=true\nExactResult=true\n' >"$conf"
launch "$bin"
id=$(window_titled "0.9144 - Velkor Quantaro") || fail "third run, both result forms on"
xdotool windowfocus --sync "$id"
xdotool key ctrl+shift+e
window_titled "0.9144000000000001 - Velkor Quantaro" >/dev/null || fail "Ctrl+Shift+E off"
xdotool key ctrl+shift+e
window_titled "0.9144 - Velkor Quantaro" >/dev/null || fail "Ctrl+Shift+E on"
xdotool key Escape
await_exit
[ "$status" = 0 ] || fail "third run ended with $status after Esc"
expect_settings "3|34|23|Exact" "after the third run"
! grep -q 'ShortestResult\|ExactResult' "$conf" || { cat "$conf"; fail "the old switches were kept"; }

# 4. Kept across the restart; then the shortest form takes its place.
launch "$bin"
id=$(window_titled "0.9144 - Velkor Quantaro") || fail "fourth run, the Exact form kept"
xdotool windowfocus --sync "$id"
xdotool key ctrl+shift+r
window_titled "0.9144000000000001 - Velkor Quantaro" >/dev/null || fail "Ctrl+Shift+R after the Exact form"
xdotool key Escape
await_exit
[ "$status" = 0 ] || fail "fourth run ended with $status after Esc"
expect_settings "3|34|23|Shortest" "after the fourth run"

# 5. The Mixed form, centimetre (From row 21) to foot (To row 34).
printf '[Data]\nSource=170\nFrom=21\nTo=34\n' >"$conf"
launch "$bin"
id=$(window_titled "5.577427821522309 - Velkor Quantaro") || fail "fifth run, 170 cm to ft"
xdotool windowfocus --sync "$id"
xdotool key ctrl+shift+m
window_titled "5 ft 6.93 in - Velkor Quantaro" >/dev/null || fail "Ctrl+Shift+M"
xdotool key Escape
await_exit
[ "$status" = 0 ] || fail "fifth run ended with $status after Esc"
expect_settings "170|21|34|Mixed" "after the fifth run"

# 6. Kept across the restart.
launch "$bin"
window_titled "5 ft 6.93 in - Velkor Quantaro" >/dev/null || fail "sixth run, the Mixed form kept"
xdotool key Escape
await_exit
[ "$status" = 0 ] || fail "sixth run ended with $status after Esc"

echo "end-to-end, context menu: all runs as expected"
