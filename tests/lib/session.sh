# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# The scaffolding the end-to-end scripts share: a scratch folder and the
# processes they start, both gone on exit; a private X server; the converter
# with a settings folder of its own; its windows found by title; its settings
# file read back. Sourced after `set -uo pipefail`; a script that counts
# failures instead of stopping at the first defines its own fail after this.

work=$(mktemp -d)
started=()
app=
cleanup() {
  for pid in "${started[@]}"; do kill -KILL "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' HUP INT TERM

# Ends the script as failed, with what the converter wrote to standard error.
fail() { echo "FAIL: $*"; [ -s "$work/stderr" ] && sed "s/^/converter: /" "$work/stderr"; exit 1; }

# Ends the script as skipped (77) unless every program named is installed.
require() {
  for tool; do command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }; done
}

# Starts Xvfb with screen $1 (and the Xvfb options after it) on a free display, waits until it accepts clients, exports DISPLAY and sets xvfb.
start_xvfb() {
  # -displayfd: the server picks the display and reports it once it is ready.
  : >"$work/display"
  Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 "$1" "${@:2}" 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb=$!
  started+=("$xvfb")
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || { cat "$work/xvfb.log"; return 1; }
  export DISPLAY=:$(head -n 1 "$work/display")
}

# Gives the converter a settings folder of its own under $work, and sets conf to its settings file.
own_settings() {
  export XDG_CONFIG_HOME=$work/config
  unset SESSION_MANAGER
  conf=$XDG_CONFIG_HOME/Velkor/quantaro.conf
}

# Sends the converter to the X server on DISPLAY, with a runtime folder of its own.
use_x() {
  export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work/runtime
  unset WAYLAND_DISPLAY
  mkdir -m 700 "$work/runtime"
}

# Starts the converter ("$@": [NAME=VALUE...] program) in the background, standard error to $work/stderr; sets app.
launch() {
  # A shell starts background jobs with SIGINT ignored, and the converter
  # keeps a signal ignored that way; give it the default dispositions.
  env --default-signal=HUP,INT,TERM "$@" 2>"$work/stderr" &
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

# Waits up to 20 s until the converter shows exactly $1 windows (menus and popups included).
await_windows() {
  for _ in $(seq 200); do
    [ "$(xdotool search --onlyvisible --class '^quantaro$' 2>/dev/null | wc -l)" -eq "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

# Sets status to the converter's exit status, or "still running" after $1 s (20 by default).
await_exit() {
  # Not in a subshell: only this shell can wait for its children.
  for _ in $(seq "$(( ${1:-20} * 10 ))"); do
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$app" 2>/dev/null; then status="still running"; return; fi
  wait "$app"
  status=$?
  # Reaped, its number may go to another process: not one to kill on exit.
  local pid kept=()
  for pid in "${started[@]}"; do [ "$pid" = "$app" ] || kept+=("$pid"); done
  started=("${kept[@]}")
}

# The raw value of key $2 in section [$1] of settings file $3 (conf by default).
setting() {
  awk -v section="[$1]" -v key="$2" '
    /^\[/ { inside = ($0 == section); next }
    inside && index($0, key "=") == 1 { print substr($0, length(key) + 2) }' "${3:-$conf}"
}

# Fails, showing the file, unless the saved place, input and rows are $1 ("x|y|source|from|to"); $2 says when.
expect_saved() {
  local got
  got="$(setting Config XPosition)|$(setting Config YPosition)|$(setting Data Source)|$(setting Data From)|$(setting Data To)"
  [ "$got" = "$1" ] || { cat "$conf"; fail "$2: settings are $got, expected $1"; }
}

# Starts weston on the X server of start_xvfb, through its X11 backend, so that
# xdotool's keys reach the compositor's seat and from there the focused
# Wayland client; exports WAYLAND_DISPLAY and XDG_RUNTIME_DIR, sets weston.
# Each call opens a new socket, so it can follow a compositor that was killed.
start_weston() {
  export XDG_RUNTIME_DIR=$work/runtime
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
  local socket=quantaro-test-${#started[@]}
  weston --backend=x11-backend.so --use-pixman --socket="$socket" --idle-time=0 --no-config \
    --width=800 --height=600 >>"$work/weston.log" 2>&1 &
  weston=$!
  started+=("$weston")
  for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/$socket" ] && { export WAYLAND_DISPLAY=$socket; return 0; }
    kill -0 "$weston" 2>/dev/null || break
    sleep 0.1
  done
  tail -n 20 "$work/weston.log"
  return 1
}

# The last title the converter gave its Wayland window, from the protocol
# lines that WAYLAND_DEBUG=client writes to its standard error.
wayland_title() {
  grep -o 'set_title("[^"]*")' "$work/stderr" 2>/dev/null | tail -n 1 | sed 's/^set_title("//; s/")$//'
}
