#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# The real converter scaled by 1, 1.5 and 2 (QT_SCALE_FACTOR, as on a
# high-density screen) in a private X server: the window and the About picture
# grow by the scale on the screen, the picture to 750 x 375 and 1000 x 500
# pixels, and Find Unit's popup with them.
# Usage: scale_xvfb.sh path/to/quantaro
set -uo pipefail
bin=$1
. "$(dirname "${BASH_SOURCE[0]}")/../lib/session.sh"
require Xvfb xdotool xwininfo
start_xvfb 2048x1536x24 || fail "Xvfb did not start"
use_x

size() { xwininfo -id "$1" | awk '/^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print w "x" h }'; }
# The converter's other window (the About picture or Find Unit), within 20 s.
other_window() {
  local ids
  for _ in $(seq 200); do
    ids=$(xdotool search --onlyvisible --class '^quantaro$' 2>/dev/null | grep -vx "$id")
    [ -n "$ids" ] && { head -n 1 <<<"$ids"; return 0; }
    sleep 0.1
  done
  return 1
}
# Whether $1 (WxH) is $2 (WxH) times $3, give or take 3 pixels of rounding.
scaled() {
  awk -v got="$1" -v base="$2" -v s="$3" 'BEGIN {
    split(got, g, "x"); split(base, b, "x")
    exit !((g[1] - b[1] * s) ^ 2 <= 9 && (g[2] - b[2] * s) ^ 2 <= 9) }'
}

declare -A window about finder
for scale in 1 1.5 2; do
  own_settings
  rm -rf "$XDG_CONFIG_HOME"
  launch env QT_SCALE_FACTOR=$scale "$bin"
  id=$(window_titled "127 - Velkor Quantaro") || fail "scale $scale: the window did not show"
  window[$scale]=$(size "$id")
  xdotool windowfocus --sync "$id" key F1
  picture=$(other_window) || fail "scale $scale: F1 showed no picture"
  about[$scale]=$(size "$picture")
  xdotool key Escape
  await_windows 1 || fail "scale $scale: the picture stayed"
  xdotool windowfocus --sync "$id" key ctrl+f
  popup=$(other_window) || fail "scale $scale: Ctrl+F opened no popup"
  finder[$scale]=$(size "$popup")
  xdotool key Escape
  await_windows 1 || fail "scale $scale: the popup stayed"
  xdotool key Escape
  await_exit
  [ "$status" = 0 ] || fail "scale $scale: ended with $status"
  echo "scale $scale: window ${window[$scale]}, About ${about[$scale]}, Find Unit ${finder[$scale]}"
done
[ "${about[1]}" = 500x250 ] || fail "the About picture is ${about[1]} at scale 1"
for scale in 1.5 2; do
  scaled "${window[$scale]}" "${window[1]}" "$scale" || fail "scale $scale: the window is ${window[$scale]}"
  scaled "${about[$scale]}" "${about[1]}" "$scale" || fail "scale $scale: the About picture is ${about[$scale]}"
  scaled "${finder[$scale]}" "${finder[1]}" "$scale" || fail "scale $scale: Find Unit is ${finder[$scale]}"
done
echo "scaled: all as expected"
