#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# Light or dark as the desktop says: the real converter in a private X server,
# with a stand-in for the desktop portal (portal_stand_in.py) on a private
# session bus; the window's background read from the X server's frame buffer.
#  1. the portal answers 1: the window opens dark; SettingChanged to 0 turns
#     it light within 500 ms (the best of five tries), to 1 dark again;
#  2. an older portal with Read only, answering 1: dark;
#  3. 0, 2, an unknown value, a wrong type, a portal that never answers, and
#     no portal: light, with no message box; the window that waits for a
#     silent portal is shown as fast as the one without a portal.
# Usage: colour_scheme.sh path/to/quantaro
set -uo pipefail
bin=$1
here=$(dirname "${BASH_SOURCE[0]}")
. "$here/../lib/session.sh"
. "$here/../lib/bus.sh"
require Xvfb xdotool xwininfo dbus-daemon gdbus
python=
for candidate in /usr/bin/python3 python3; do
  "$candidate" -c 'from gi.repository import Gio' 2>/dev/null && { python=$candidate; break; }
done
[ -n "$python" ] || { echo "skipped: python3-gi is not installed"; exit 77; }

mkdir -p "$work/fb" "$work/services"
start_xvfb 1280x1024x24 -fbdir "$work/fb" || fail "Xvfb did not start"
own_settings
use_x
# A desktop session's bus, without a portal unless the stand-in starts.
start_session_bus "$work/services" || fail "no session bus"
unset XDG_CURRENT_DESKTOP QT_QPA_PLATFORMTHEME
title="127 - Velkor Quantaro"
portal=

start_portal() {
  : >"$work/portal.out"
  "$python" "$here/portal_stand_in.py" "$1" >"$work/portal.out" 2>>"$work/portal.log" &
  portal=$!
  started+=("$portal")
  for _ in $(seq 100); do grep -q ready "$work/portal.out" && return 0; sleep 0.1; done
  cat "$work/portal.log"
  return 1
}
stop_portal() {
  [ -n "$portal" ] && { kill "$portal" 2>/dev/null; wait "$portal" 2>/dev/null; portal=; }
}

# Waits up to $2 s until the window's background, just inside its top-left
# corner (x, y), is dark or light, as $1 says.
await_background() {
  local level
  level=$("$python" "$here/pixel.py" "$work/fb/Xvfb_screen0" "$((x + 3))" "$((y + 3))" "$1" "$2") && return 0
  echo "background grey level $level, expected $1" >&2
  return 1
}
# Starts the converter, sets id once its window shows and elapsed to the milliseconds that took.
open_window() {
  rm -rf "$XDG_CONFIG_HOME"
  local start
  start=$(date +%s%N)
  launch "$bin"
  id=$(window_titled "$title") || fail "$1: the window did not show"
  elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
  local info
  info=$(xwininfo -id "$id") || fail "$1: the window went away"
  x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
  y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
}
close_window() {
  xdotool windowfocus --sync "$id" key Escape 2>/dev/null
  await_exit
  [ "$status" = 0 ] || fail "$1: ended with $status"
}
signal_scheme() {
  gdbus emit --session --object-path /org/freedesktop/portal/desktop \
    --signal org.freedesktop.portal.Settings.SettingChanged org.freedesktop.appearance color-scheme "<uint32 $1>"
}

# 1. Dark, then live.
start_portal dark || fail "the stand-in portal did not start"
open_window "prefer dark"
await_background dark 10 || fail "prefer dark: the window did not open dark"
# Timed from the signal's sending to the light pixel read; the best of five
# tries, so that a busy spell of the machine does not decide it.
best=
for _ in 1 2 3 4 5; do
  signal_scheme 0
  start=$(date +%s%N)
  await_background light 10 || fail "SettingChanged to 0: the window stayed dark"
  took=$(( ($(date +%s%N) - start) / 1000000 ))
  [ -z "$best" ] || [ "$took" -lt "$best" ] && best=$took
  signal_scheme 1
  await_background dark 10 || fail "SettingChanged to 1: the window stayed light"
  [ "$best" -le 500 ] && break
done
echo "light $best ms after SettingChanged"
[ "$best" -le 500 ] || fail "SettingChanged to 0: light only after $best ms"
close_window "prefer dark"
stop_portal

# 2. An older portal.
start_portal read-only || fail "the stand-in portal did not start"
open_window "Read only"
await_background dark 10 || fail "an older portal's Read: the window did not open dark"
close_window "Read only"
stop_portal

# 3. Light, without waiting.
declare -A shown
# The silent portal and none twice: the quicker of two starts each.
for mode in light prefer-light unknown wrong-type silent none silent none; do
  if [ "$mode" != none ]; then start_portal "$mode" || fail "the stand-in portal did not start"; fi
  open_window "$mode"
  [ -z "${shown[$mode]:-}" ] || [ "$elapsed" -lt "${shown[$mode]}" ] && shown[$mode]=$elapsed
  # Long enough for a wrong answer to have been applied.
  sleep 1
  await_background light 2 || fail "$mode: the window is not light"
  [ "$(xdotool search --onlyvisible --class '^quantaro$' | wc -l)" -eq 1 ] || fail "$mode: another window opened"
  close_window "$mode"
  stop_portal
done
echo "shown after ${shown[silent]} ms with a silent portal, ${shown[none]} ms with none"
# The answer is waited for up to a second, never before showing the window.
[ "${shown[silent]}" -le $(( ${shown[none]} + 700 )) ] || fail "a silent portal held the window back"
# 4. Plasma: its platform theme brings the desktop's colours (here a light
# window colour of 239, 240, 241) and keeps them, whatever the portal says.
start_portal dark || fail "the stand-in portal did not start"
XDG_CONFIG_HOME=$work/kde-config
mkdir -p "$XDG_CONFIG_HOME"
printf '[Colors:Window]\nBackgroundNormal=239,240,241\nForegroundNormal=35,38,41\n' >"$XDG_CONFIG_HOME/kdeglobals"
launch env XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5 "$bin"
id=$(window_titled "$title") || fail "Plasma: the window did not show"
info=$(xwininfo -id "$id")
x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
sleep 1
await_background light 2 || fail "Plasma: the portal's dark won over the theme's colours"
close_window "Plasma"
stop_portal
echo "colour scheme: all as expected"
