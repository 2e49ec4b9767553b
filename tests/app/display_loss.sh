#!/usr/bin/env bash
# The real converter loses its X server with a typed text in the window, once
# without a window manager and once under openbox. On the way, the About
# picture closes on Return (keypad Enter under openbox) and the keys typed
# next reach the input field again. Qt ends the program through exit(1) when
# the display goes away; the settings file must then hold the typed text, the
# rows and the window's place.
# Usage: display_loss.sh path/to/quantaro
set -uo pipefail
bin=$1
for tool in Xvfb xdotool xprop xwininfo openbox; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
started=()
cleanup() {
  for pid in "${started[@]}"; do kill -KILL "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' HUP INT TERM

fail() { echo "FAIL: $*"; [ -s "$work/stderr" ] && sed "s/^/converter: /" "$work/stderr"; exit 1; }

export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
unset WAYLAND_DISPLAY SESSION_MANAGER
mkdir -m 700 "$work/runtime"
conf=$XDG_CONFIG_HOME/Velkor/quantaro.conf

# The window whose title is $1 exactly, or any title but $2's, within 20 s.
window_titled() {
  for _ in $(seq 200); do
    if [ -n "$1" ]; then
      id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    else
      id=$(xdotool search --onlyvisible --class '^quantaro$' getwindowname %@ 2>/dev/null | grep -qvx "$2" && echo yes)
    fi
    [ -n "$id" ] && return 0
    sleep 0.1
  done
  echo "no window titled \"${1:-other than $2}\"; open: $(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | tr '\n' '|')" >&2
  return 1
}

await_windows() {
  for _ in $(seq 200); do
    [ "$(xdotool search --onlyvisible --class '^quantaro$' 2>/dev/null | wc -l)" -eq "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

setting() {
  awk -v section="[$1]" -v key="$2" '
    /^\[/ { inside = ($0 == section); next }
    inside && index($0, key "=") == 1 { print substr($0, length(key) + 2) }' "$conf"
}

# One run: $1 is "openbox" or empty, $2 the key that closes the About picture.
run() {
  local label=${1:-no window manager}
  rm -f "$conf"
  Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 1024x768x24 3>"$work/display" 2>"$work/xvfb.log" &
  local xvfb=$!
  started+=("$xvfb")
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || { cat "$work/xvfb.log"; fail "Xvfb did not start"; }
  export DISPLAY=:$(head -n 1 "$work/display")
  : >"$work/display"
  if [ "$1" = openbox ]; then
    openbox --config-file /dev/null >/dev/null 2>&1 &
    started+=($!)
    for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
  fi

  # The program ends inside Qt's event loop with everything Qt holds still
  # alive; libraries below it (fontconfig) have then dropped pointers that a
  # leak check at that exit reports. The address checks stay on.
  env --default-signal=HUP,INT,TERM ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
    "$bin" 2>"$work/stderr" &
  local app=$!
  started+=("$app")
  window_titled "127 - Velkor Quantaro" || fail "$label: the window did not open"
  local window=$id
  xdotool windowmove --sync "$window" 210 160
  xdotool windowfocus --sync "$window"
  xdotool type 42
  window_titled "1066.8 - Velkor Quantaro" || fail "$label: typing into the input field"
  xdotool key F1
  await_windows 2 || fail "$label: the About picture did not open"
  xdotool key "$2"
  await_windows 1 || fail "$label: $2 did not close the About picture"
  xdotool type 0
  window_titled "10668 - Velkor Quantaro" || fail "$label: the input field did not get the keys back after the About picture"
  # From one row down; the partner rule moves To with it.
  xdotool key Tab Down
  window_titled "" "10668 - Velkor Quantaro" || fail "$label: choosing another From row"

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
  for _ in $(seq 200); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$app" 2>/dev/null && fail "$label: the converter still runs without its display"
  wait "$app"
  local status=$?
  [ "$status" = 1 ] || fail "$label: ended with $status without its display, expected 1"
  [ -f "$conf" ] || fail "$label: no settings file"
  local got
  got="$(setting Config XPosition)|$(setting Config YPosition)|$(setting Data Source)|$(setting Data From)|$(setting Data To)"
  [ "$got" = "$want" ] || { cat "$conf"; fail "$label: settings are $got, expected $want"; }
}

run "" Return
run openbox KP_Enter
echo "display loss: the state was written, with and without a window manager"
