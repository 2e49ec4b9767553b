#!/usr/bin/env bash
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
for tool in Xvfb xdotool; do
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

# -displayfd: the server picks a free display and reports it once it accepts clients.
Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 1280x1024x24 3>"$work/display" 2>"$work/xvfb.log" &
started+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { cat "$work/xvfb.log"; fail "Xvfb did not start"; }

export DISPLAY=:$(head -n 1 "$work/display")
export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
unset WAYLAND_DISPLAY SESSION_MANAGER
mkdir -m 700 "$work/runtime"
conf=$XDG_CONFIG_HOME/Velkor/quantaro.conf

app=
launch() {
  # A shell starts background jobs with SIGINT ignored, and the converter
  # keeps a signal ignored that way; give it the default dispositions.
  env --default-signal=HUP,INT,TERM "$bin" 2>"$work/stderr" &
  app=$!
  started+=("$app")
}

# Prints the id of the visible window whose title is exactly $1, within 20 s.
window_titled() {
  local id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
  done
  echo "no window titled \"$1\"; open: $(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | tr '\n' '|')" >&2
  return 1
}

# Waits up to 20 s until the converter shows $1 windows (menus included).
await_windows() {
  for _ in $(seq 200); do
    [ "$(xdotool search --onlyvisible --class '^quantaro$' 2>/dev/null | wc -l)" -ge "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

# Sets status to the exit status of the converter, within 20 s. Not in a
# subshell: only this shell can wait for its children.
await_exit() {
  for _ in $(seq 200); do
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$app" 2>/dev/null; then status="still running"; return; fi
  wait "$app"
  status=$?
}

# The raw line of key $2 in section [$1] of the settings file.
setting() {
  awk -v section="[$1]" -v key="$2" '
    /^\[/ { inside = ($0 == section); next }
    inside && index($0, key "=") == 1 { print substr($0, length(key) + 2) }' "$conf"
}

expect_settings() {
  local want got
  want="$1|$2|$3|$4|$5"
  got="$(setting Config XPosition)|$(setting Config YPosition)|$(setting Data Source)|$(setting Data From)|$(setting Data To)"
  [ "$got" = "$want" ] || { cat "$conf"; fail "$6: settings are $got, expected $want"; }
}

expect_position() {
  local at
  at=$(xdotool getwindowgeometry "$1" | sed -n 's/^ *Position: \([-0-9]*,[-0-9]*\).*/\1/p')
  [ "$at" = "$2" ] || fail "window at $at, expected $2"
}

# 1. First run: 5 in. to mm at (300, 100).
launch
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
expect_settings 200 150 '" 10\""' 219 218 "after Esc"

# 2. All five come back: the place, and in the title the input converted
#    from knots to miles per hour; Esc at once writes the same five back.
launch
id=$(window_titled "11.497852541159627 - Velkor Quantaro") || fail "second run"
expect_position "$id" 200,150
xdotool windowfocus --sync "$id"
xdotool key Escape
await_exit
[ "$status" = 0 ] || fail "second run ended with $status after Esc"
expect_settings 200 150 '" 10\""' 219 218 "after the second run's Esc"

# 3. From points past the list, so it shows no row and the input passes
#    unchanged into miles per hour as metres per second.
sed -i 's/^From=.*/From=500/' "$conf"
launch
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
expect_settings 400 300 '' -1 218 "after SIGTERM"

# 4. A folder where the settings file belongs: defaults, and one line saying
#    the state was not saved.
rm -f "$conf" && mkdir "$conf"
launch
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
