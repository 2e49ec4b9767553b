#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# The real converter in a private X server, with the context menu's keys and
# the remembered Display/ShortestResult, two runs on one settings file:
#  1. ShortestResult=true: 5 in. to cm reads "12.7"; Ctrl+Shift+R brings the
#     seventeen digits back, and Esc writes the switch off;
#  2. ShortestResult=banana: off; Ctrl+Shift+R turns it on; Ctrl+F, "sea
#     league" and Enter put the sea league into the From list; Esc writes it
#     all, the switch as "true";
#  3. ShortestResult and ExactResult both true, 3 ft. to m: the Exact form,
#     "0.9144"; Ctrl+Shift+E twice turns it off and on; Esc writes Exact on
#     and Shortest off;
#  4. the next run shows "0.9144" again; Ctrl+Shift+R turns the shortest form
#     on and the Exact form off, and Esc writes both.
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
  got="$(setting Data Source)|$(setting Data From)|$(setting Data To)|$(setting Display ShortestResult)"
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
expect_settings "5|31|21|false" "after the first run"

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
expect_settings "5|49|21|true" "after the second run"

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
expect_settings "3|34|23|false" "after the third run"
[ "$(setting Display ExactResult)" = true ] || { cat "$conf"; fail "the Exact form was not kept"; }

# 4. Kept across the restart; then the shortest form takes its place.
launch "$bin"
id=$(window_titled "0.9144 - Velkor Quantaro") || fail "fourth run, the Exact form kept"
xdotool windowfocus --sync "$id"
xdotool key ctrl+shift+r
window_titled "0.9144000000000001 - Velkor Quantaro" >/dev/null || fail "Ctrl+Shift+R after the Exact form"
xdotool key Escape
await_exit
[ "$status" = 0 ] || fail "fourth run ended with $status after Esc"
expect_settings "3|34|23|true" "after the fourth run"
[ "$(setting Display ExactResult)" = false ] || { cat "$conf"; fail "the Exact form stayed on beside the shortest"; }

echo "end-to-end, context menu: all runs as expected"
