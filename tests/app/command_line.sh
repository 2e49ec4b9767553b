#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# The window program's own command line, run as a user runs it:
#  1. without any display: --help and --version print and end with 0, a plain
#     start says in one line that there is no display (status 1, no abort),
#     a query that cannot be answered gives its reason (status 2);
#  2. a display that accepts the connection but takes no X: the same line
#     (the toolkit's write to it fails; it must not kill the program);
#  3. in a private X server, "quantaro 5 in cm" opens on 5 in. to cm, and Esc
#     saves the query's number and rows like any run; --exact --from --to
#     open on rows in the Exact form without saving the form, --mixed in the
#     Mixed form likewise.
# Usage: command_line.sh path/to/quantaro
set -uo pipefail
bin=$1
. "$(dirname "${BASH_SOURCE[0]}")/../lib/session.sh"

no_display="quantaro: no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY reachable); quantaro-convert converts on the command line"

# expect STATUS STDOUT-BEGINNING STDERR ARGUMENTS...: a run without any display.
expect() {
  local want_status=$1 want_out=$2 want_err=$3
  shift 3
  local out err got
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u QT_QPA_PLATFORM "$bin" "$@" 2>"$work/err")
  got=$?
  err=$(cat "$work/err")
  [ "$got" = "$want_status" ] || fail "quantaro $*: status $got, expected $want_status (stderr: $err)"
  [[ "$out" == "$want_out"* ]] || fail "quantaro $*: printed \"$out\""
  [ "$err" = "$want_err" ] || fail "quantaro $*: said \"$err\", expected \"$want_err\""
}

own_settings
# 1.
expect 0 "Usage: quantaro [--shortest | --exact | --mixed] [QUERY...]" "" --help
expect 0 "Usage: quantaro [--shortest | --exact | --mixed] [QUERY...]" "" 5 in cm -h
expect 0 "quantaro (Velkor Quantaro) 1." "" --version
expect 1 "" "$no_display"
expect 1 "" "$no_display" 5 in cm
expect 1 "" "$no_display" -style fusion
expect 2 "" 'quantaro: kilogramme (kg) (a mass) and metre (m) (a length) cannot be converted into one another' 1 kg m
expect 2 "" 'quantaro: no unit matches "lbz"; did you mean lb (pound)?' 70 kg lbz
expect 2 "" 'quantaro: no unit after the number' 5
expect 2 "" 'quantaro: unknown option "--frobnicate"
Try '"'quantaro --help'"' for more information.' --frobnicate
expect 2 "" 'quantaro: option -platform needs a value
Try '"'quantaro --help'"' for more information.' -platform
[ -e "$conf" ] && fail "a run without a window wrote $conf"

# 2. Something listens where the X server would, and stops reading what it
# is sent: the toolkit's first words meet a connection closed for writing.
# The toolkit reads the authority file between connecting and writing; it is
# a pipe that gives it its end of file only once the stand-in has shut both
# connections (the reachability probe's and the toolkit's), or 5 s passed.
require python3
mkfifo "$work/xauthority"
python3 - "$work/fake" "$work/shut" <<'PY' &
import os, socket, sys
for n in range(900, 1000):
    s = socket.socket(socket.AF_UNIX)
    try:
        s.bind("\0/tmp/.X11-unix/X%d" % n)
    except OSError:
        continue
    s.listen(8)
    open(sys.argv[1], "w").write(str(n))
    held = []
    while True:
        c, _ = s.accept()
        try:
            c.shutdown(socket.SHUT_RD)
        except OSError:
            pass  # the probe may have gone already
        held.append(c)
        open(sys.argv[2], "w").write(str(len(held)))
PY
started+=($!)
for _ in $(seq 50); do [ -s "$work/fake" ] && break; sleep 0.1; done
[ -s "$work/fake" ] || fail "no stand-in display"
env -u WAYLAND_DISPLAY DISPLAY=":$(cat "$work/fake")" QT_QPA_PLATFORM=xcb XAUTHORITY="$work/xauthority" \
  "$bin" >/dev/null 2>"$work/err" &
pid=$!
started+=("$pid")
for _ in $(seq 50); do [ "$(cat "$work/shut" 2>/dev/null)" = 2 ] && break; sleep 0.1; done
timeout 10 sh -c ': >"$1"' - "$work/xauthority"
for _ in $(seq 200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "a display that is no X server: the program did not end"
wait "$pid"
got=$?
[ "$got" = 1 ] || fail "a display that is no X server: status $got"
grep -qxF "$no_display" "$work/err" || fail "a display that is no X server: said $(cat "$work/err")"

# 3.
require Xvfb xdotool
start_xvfb 1024x768x24 || fail "Xvfb did not start"
use_x
launch "$bin" 5 in cm
id=$(window_titled "12.699999999999999 - Velkor Quantaro") || fail "quantaro 5 in cm"
xdotool windowfocus --sync "$id"
xdotool key Escape
await_exit
[ "$status" = 0 ] || fail "quantaro 5 in cm ended with $status after Esc"
[ "$(setting Data Source)|$(setting Data From)|$(setting Data To)" = "5|31|21" ] || { cat "$conf"; fail "the query was not saved"; }

# The next plain start shows what the query left; a query with a unit alone
# goes to its partner: 212 ºF.
launch "$bin" -40 °C -\> °F
window_titled "-40 - Velkor Quantaro" >/dev/null || fail "quantaro -40 °C -> °F"
kill -TERM "$app"
await_exit
[ "$(setting Data Source)|$(setting Data From)|$(setting Data To)" = "-40|222|223" ] || { cat "$conf"; fail "the second query was not saved"; }
launch "$bin" 100 ºC
window_titled "212 - Velkor Quantaro" >/dev/null || fail "quantaro 100 ºC"
kill -TERM "$app"
await_exit

# Rows and the form for one run, as the desktop's search opens the window:
# the Exact form shows 12.7 for 5 in. (5 × 2.54), and the saved result form stays
# off; --to alone moves From to a partner of kilogramme (the lists' rules).
launch "$bin" --exact --from 31 --to 21 5
window_titled "12.7 - Velkor Quantaro" >/dev/null || fail "quantaro --exact --from 31 --to 21 5"
kill -TERM "$app"
await_exit
[ "$(setting Data Source)|$(setting Data From)|$(setting Data To)" = "5|31|21" ] || { cat "$conf"; fail "the rows were not saved"; }
[ "$(setting Display ResultForm)" = SeventeenDigits ] || { cat "$conf"; fail "--exact changed the saved form"; }
# 170 cm = 170 / 30.48 ft = 5 ft 6.929… in.
launch "$bin" --mixed --from 21 --to 34 170
window_titled "5 ft 6.93 in - Velkor Quantaro" >/dev/null || fail "quantaro --mixed --from 21 --to 34 170"
kill -TERM "$app"
await_exit
[ "$(setting Display ResultForm)" = SeventeenDigits ] || { cat "$conf"; fail "--mixed changed the saved form"; }
echo "ok"
