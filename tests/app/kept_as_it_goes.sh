#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# The real converter keeps its state as it goes, whatever ends the run. On a
# private X server without a window manager ("x11"), under openbox
# ("openbox"), or as a native Wayland client of weston ("wayland", weston's
# X11 backend on the private X server, so that keys reach its seat):
#  1. type "42" on other rows, wait two seconds, kill -9 the converter: the
#     file holds the text, the rows and both recent pairs, which
#     quantaro-convert --recent prints too;
#  2. the next run shows them; Alt+2 takes the older pair back; kill -9;
#  3. (wayland) the same after killing the compositor instead;
#  4. (x11) the file replaced by a folder while the window is open: one line
#     on standard error for any number of failed writes, and the next write
#     after the folder has gone holds the whole state;
#  5. (x11, wayland) kill -9 within 0.1 s of a keystroke that starts a write
#     of a large state: the file is always one whole state, old or new, and
#     the run after the kills still saves;
#  6. (x11) two windows on one file: each write leaves a whole file, the last
#     writer's.
# Usage: kept_as_it_goes.sh x11|openbox|wayland path/to/quantaro path/to/quantaro-convert
set -uo pipefail
mode=$1
bin=$2
convert=$3
. "$(dirname "${BASH_SOURCE[0]}")/../lib/session.sh"
require Xvfb xdotool
case $mode in
  openbox) require openbox xprop ;;
  wayland) require weston ;;
  x11) ;;
  *) echo "usage: $0 x11|openbox|wayland QUANTARO QUANTARO_CONVERT"; exit 2 ;;
esac
# The Wayland protocol lines on standard error are left out.
fail() { echo "FAIL ($mode): $*"; [ -s "$work/stderr" ] && grep -v '^\[' "$work/stderr" | sed 's/^/converter: /'; exit 1; }

start_xvfb 1024x768x24 || fail "Xvfb did not start"
own_settings
if [ "$mode" = wayland ]; then
  start_weston || fail "weston did not start"
  export QT_QPA_PLATFORM=wayland
else
  use_x
fi
if [ "$mode" = openbox ]; then
  openbox --config-file /dev/null >/dev/null 2>&1 &
  started+=($!)
  for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
fi

title_of() { echo "$("$convert" --from "$1" --to "$2" -- "$3") - Velkor Quantaro"; }

# Starts the converter; on Wayland, with its protocol lines on standard error.
run_converter() {
  if [ "$mode" = wayland ]; then
    launch -u DISPLAY WAYLAND_DEBUG=client "$bin"
    # The compositor's window is the X server's only one: the pointer over
    # it keeps the keys going there, and the compositor gives them to the
    # window it mapped last.
    xdotool mousemove 790 590
  else
    launch "$bin"
  fi
}

# The converter's title, once it has one (20 s at most).
any_title() {
  local title
  for _ in $(seq 200); do
    if [ "$mode" = wayland ]; then
      title=$(wayland_title)
    else
      title=$(xdotool search --onlyvisible --class '^quantaro$' getwindowname %@ 2>/dev/null | head -n 1)
    fi
    [ -n "$title" ] && { echo "$title"; return 0; }
    sleep 0.1
  done
  return 1
}

# Gives the keyboard to the converter's window titled $1; on Wayland, waits
# until the compositor has given it (keys sent before are lost).
take_keyboard() {
  if [ "$mode" != wayland ]; then
    xdotool windowfocus --sync "$(window_titled "$1")"
    return
  fi
  for _ in $(seq 200); do
    grep -q 'wl_keyboard@[0-9]*\.enter(' "$work/stderr" && return 0
    sleep 0.1
  done
  fail "the compositor gave the window no keyboard"
}

# Starts the converter, waits until it shows title $1 ($2 says which run), and gives it the keyboard.
start() {
  run_converter
  titled "$1" || fail "$2: the window did not show \"$1\""
  take_keyboard "$1"
}

# Waits up to 20 s until the converter's title is $1.
titled() {
  if [ "$mode" != wayland ]; then
    window_titled "$1" >/dev/null
    return
  fi
  for _ in $(seq 200); do
    [ "$(wayland_title)" = "$1" ] && return 0
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
  done
  echo "last title: \"$(wayland_title)\"" >&2
  return 1
}

kill_hard() {
  kill -KILL "$app"
  await_exit
}

# Fails unless the file holds the input $1, the rows $2 and $3 and the recent pairs $4.
expect_kept() {
  local got
  got="$(setting Data Source)|$(setting Data From)|$(setting Data To)|$(setting Data RecentPairs)"
  [ "$got" = "$1|$2|$3|$4" ] || { cat "$conf"; fail "$5: settings are $got, expected $1|$2|$3|$4"; }
}

# Fails unless the file is one whole state: every value the window writes,
# each once, in its section, and a line end at the end.
expect_whole() {
  local keys
  keys=$(awk '/^\[/ { section = $0; next } /=/ { print section substr($0, 1, index($0, "=") - 1) }' "$conf" | sort | tr '\n' ' ')
  [ "$keys" = "[Config]XPosition [Config]YPosition [Data]From [Data]RecentPairs [Data]Source [Data]To [Display]FractionDenominator [Display]ResultForm " ] \
    || { head -c 300 "$conf"; fail "$1: not a whole settings file: $keys"; }
  [ "$(tail -c 1 "$conf" | od -An -c | tr -d ' ')" = '\n' ] || fail "$1: the file ends in the middle of a line"
}

# 1. Nothing in the file yet. From one row down (the centimetre preset, row 3),
#    which moves To to its partner (row 4); then "42" into the input field.
rm -f "$conf"
start "127 - Velkor Quantaro" "first run"
xdotool key Tab Down
titled "$(title_of 3 4 5)" || fail "choosing another From row"
xdotool key shift+Tab ctrl+a BackSpace
xdotool type 42
titled "$(title_of 3 4 42)" || fail "typing 42"
sleep 2
kill_hard
expect_kept 42 3 4 "3:4 2:1" "kill -9 two seconds after typing"
recent=$(XDG_CONFIG_HOME=$work/config "$convert" --recent) || fail "quantaro-convert --recent failed"
[ "$recent" = "$(printf '3\t4\tcentimetre (cm) -> foot (ft.)\n2\t1\tinch (in.) -> millimetre (mm)')" ] \
  || fail "quantaro-convert --recent printed: $recent"

# 2. All of it comes back; Alt+2 takes the second pair, inch to millimetre.
start "$(title_of 3 4 42)" "second run"
xdotool key alt+2
titled "$(title_of 2 1 42)" || fail "Alt+2"
sleep 2
kill_hard
expect_kept 42 2 1 "2:1 3:4" "kill -9 after Alt+2"

# 3. The compositor goes away; Qt's Wayland plugin then ends the program at once.
if [ "$mode" = wayland ]; then
  start "$(title_of 2 1 42)" "third run"
  xdotool key Tab Down
  titled "$(title_of 3 4 42)" || fail "choosing another From row"
  # Back in the field, its text is selected as on any Shift+Tab.
  xdotool key shift+Tab End
  xdotool type 0
  titled "$(title_of 3 4 420)" || fail "typing 0"
  sleep 2
  kill -KILL "$weston"
  await_exit
  [ "$status" = "still running" ] && fail "the converter still runs without its compositor"
  expect_kept 420 3 4 "3:4 2:1" "the compositor killed two seconds after typing"
  start_weston || fail "weston did not start again"
fi

# 4. A folder where the file belongs: every write fails, with one line on
#    standard error; once the folder has gone, the next write holds it all.
if [ "$mode" = x11 ]; then
  start "$(title_of 2 1 42)" "fourth run"
  rm -f "$conf" && mkdir "$conf"
  xdotool key End
  for digit in 1 2 3; do
    xdotool type "$digit"
    sleep 1.5
  done
  titled "$(title_of 2 1 42123)" || fail "typing with the file blocked"
  lines=$(grep -c 'quantaro\.conf' "$work/stderr")
  [ "$lines" = 1 ] || fail "$lines lines about the settings file while it could not be written, expected 1"
  rmdir "$conf"
  xdotool key Tab Down
  titled "$(title_of 3 4 42123)" || fail "choosing another From row"
  sleep 2
  kill_hard
  expect_kept 42123 3 4 "3:4 2:1" "the first write after the folder went"
fi

# 5. A large input makes every write long; a keystroke a second after the
#    last one starts a write, and kill -9 follows within 0.1 s.
if [ "$mode" != openbox ]; then
  zeros=$(head -c 300000 /dev/zero | tr '\0' 0)
  # A whole state to begin with: a kill before the first write leaves it
  # as it was, which is whole too.
  printf '[Config]\nXPosition=300\nYPosition=100\n\n[Data]\nSource=1%s\nFrom=20\nTo=20\nRecentPairs=20:20\n\n[Display]\nFractionDenominator=0\nResultForm=SeventeenDigits\n' "$zeros" >"$conf"
  for round in 1 2 3 4 5 6; do
    run_converter
    title=$(any_title) || fail "round $round: no window"
    take_keyboard "$title"
    xdotool key End 0
    sleep 1
    xdotool key 0
    sleep "0.0$((RANDOM % 10))"
    kill_hard
    expect_whole "kill -9 in round $round"
    length=$(setting Data Source | wc -c)
    [ "$length" -ge 300002 ] || fail "round $round: the input has $length characters, fewer than at the start"
  done
  # Whatever the kills left behind (a lock file among it), the next run saves.
  run_converter
  title=$(any_title) || fail "no window after the kills"
  take_keyboard "$title"
  xdotool key ctrl+a BackSpace
  xdotool type 7
  titled "$(title_of 20 20 7)" || fail "typing 7 after the kills"
  sleep 2
  kill_hard
  expect_kept 7 20 20 "20:20" "the run after the kills"
fi

# 6. Two windows on one file: each write leaves it whole; the last one wins.
if [ "$mode" = x11 ]; then
  printf '[Data]\nSource=1\nFrom=2\nTo=1\n' >"$conf"
  launch "$bin"
  first=$app
  first_window=$(window_titled "$(title_of 2 1 1)") || fail "the first of two windows"
  xdotool windowmove --sync "$first_window" 0 0
  launch "$bin"
  second=$app
  second_window=
  for _ in $(seq 200); do
    second_window=$(xdotool search --onlyvisible --name "^$(title_of 2 1 1)\$" | grep -vx "$first_window" | head -n 1)
    [ -n "$second_window" ] && break
    sleep 0.1
  done
  [ -n "$second_window" ] || fail "the second of two windows"
  xdotool windowmove --sync "$second_window" 500 400
  # The second window's own first write (its opening and its move) comes a
  # second after them; typing into the first only after it makes the first
  # window's write the last one.
  sleep 1.5
  xdotool windowfocus --sync "$first_window"
  xdotool key ctrl+a BackSpace
  xdotool type 111
  window_titled "$(title_of 2 1 111)" >/dev/null || fail "typing into the first window"
  sleep 2
  expect_whole "the first window's write"
  [ "$(setting Data Source)" = 111 ] || fail "the first window's write holds $(setting Data Source)"
  xdotool windowfocus --sync "$second_window"
  xdotool key ctrl+a BackSpace
  xdotool type 222
  window_titled "$(title_of 2 1 222)" >/dev/null || fail "typing into the second window"
  sleep 2
  kill -KILL "$first" "$second"
  expect_whole "the second window's write"
  expect_kept 222 2 1 "2:1" "two windows, the second written last"
fi

echo "kept as it goes ($mode): every end left the state of the last second"
