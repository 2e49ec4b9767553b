#!/usr/bin/env bash
# The real converter in a private X server, with the context menu's keys and
# the remembered Display/ShortestResult, two runs on one settings file:
#  1. ShortestResult=true: 5 in. to cm reads "12.7"; Ctrl+Shift+R brings the
#     seventeen digits back, and Esc writes the switch off;
#  2. ShortestResult=banana: off; Ctrl+Shift+R turns it on; Ctrl+F, "sea
#     league" and Enter put the sea league into the From list; Esc writes it
#     all, the switch as "true".
# Usage: e2e_context_menu_xvfb.sh path/to/quantaro
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

Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 1280x1024x24 3>"$work/display" 2>"$work/xvfb.log" &
started+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { cat "$work/xvfb.log"; fail "Xvfb did not start"; }

export DISPLAY=:$(head -n 1 "$work/display")
export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
unset WAYLAND_DISPLAY SESSION_MANAGER
mkdir -m 700 "$work/runtime"
mkdir -p "$XDG_CONFIG_HOME/Velkor"
conf=$XDG_CONFIG_HOME/Velkor/quantaro.conf

app=
launch() {
  "$bin" 2>"$work/stderr" &
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

# Waits up to 20 s until the converter shows $1 windows (popups included).
await_windows() {
  for _ in $(seq 200); do
    [ "$(xdotool search --onlyvisible --class '^quantaro$' 2>/dev/null | wc -l)" -eq "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

await_exit() {
  for _ in $(seq 200); do
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$app" 2>/dev/null; then status="still running"; return; fi
  wait "$app"
  status=$?
}

setting() {
  awk -v section="[$1]" -v key="$2" '
    /^\[/ { inside = ($0 == section); next }
    inside && index($0, key "=") == 1 { print substr($0, length(key) + 2) }' "$conf"
}

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
launch
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
launch
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

echo "end-to-end, context menu: all runs as expected"
