#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# The real converter loses its X server with a typed text in the window, once
# without a window manager and once under openbox. On the way, the About
# picture closes on Return (keypad Enter under openbox) and the keys typed
# next reach the input field again. Qt ends the program through exit(1) when
# the display goes away; the settings file must then hold the typed text, the
# rows and the window's place.
# Usage: display_loss.sh path/to/quantaro
set -uo pipefail
bin=$1
. "$(dirname "${BASH_SOURCE[0]}")/../lib/session.sh"
require Xvfb xdotool xprop xwininfo openbox

own_settings
use_x

# Waits up to 20 s until the converter's window has a title other than $1.
retitled() {
  for _ in $(seq 200); do
    xdotool search --onlyvisible --class '^quantaro$' getwindowname %@ 2>/dev/null | grep -qvx "$1" && return 0
    sleep 0.1
  done
  echo "no window titled other than \"$1\"; open: $(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | tr '\n' '|')" >&2
  return 1
}

# One run: $1 is "openbox" or empty, $2 the key that closes the About picture.
run() {
  local label=${1:-no window manager}
  rm -f "$conf"
  start_xvfb 1024x768x24 || fail "Xvfb did not start"
  if [ "$1" = openbox ]; then
    openbox --config-file /dev/null >/dev/null 2>&1 &
    started+=($!)
    for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
  fi

  # The program ends inside Qt's event loop with everything Qt holds still
  # alive; libraries below it (fontconfig) have then dropped pointers that a
  # leak check at that exit reports. The address checks stay on.
  launch ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" "$bin"
  local window
  window=$(window_titled "127 - Velkor Quantaro") || fail "$label: the window did not open"
  xdotool windowmove --sync "$window" 210 160
  xdotool windowfocus --sync "$window"
  xdotool type 42
  window_titled "1066.8 - Velkor Quantaro" >/dev/null || fail "$label: typing into the input field"
  xdotool key F1
  await_windows 2 || fail "$label: the About picture did not open"
  xdotool key "$2"
  await_windows 1 || fail "$label: $2 did not close the About picture"
  xdotool type 0
  window_titled "10668 - Velkor Quantaro" >/dev/null || fail "$label: the input field did not get the keys back after the About picture"
  # From one row down; the partner rule moves To with it.
  xdotool key Tab Down
  retitled "10668 - Velkor Quantaro" || fail "$label: choosing another From row"

  # Where the window's frame is: the client's corner less the frame's extents.
  local x y left=0 top=0
  x=$(xwininfo -id "$window" | sed -n 's/^ *Absolute upper-left X: *//p')
  y=$(xwininfo -id "$window" | sed -n 's/^ *Absolute upper-left Y: *//p')
  if [ "$1" = openbox ]; then
    read -r left _ top _ < <(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  fi
  local want="$((x - left))|$((y - top))|420|3|4"

  kill -KILL "$xvfb"
  wait "$xvfb" 2>/dev/null
  await_exit
  [ "$status" = "still running" ] && fail "$label: the converter still runs without its display"
  [ "$status" = 1 ] || fail "$label: ended with $status without its display, expected 1"
  [ -f "$conf" ] || fail "$label: no settings file"
  expect_saved "$want" "$label"
}

run "" Return
run openbox KP_Enter
echo "display loss: the state was written, with and without a window manager"
