#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# The search service as the desktop meets it: a private session bus whose
# service folder is the build's, so the first call starts the service as a
# desktop session's bus would. Called with gdbus as the Plasma runner and the
# GNOME Shell provider call it: every kind of query, calls the service does
# not offer, 10,000 queries in a row (its memory stays flat), the end after
# its idle time and the start again; a chosen result opens the window.
# Usage: search_bus.sh SERVICE_DIR path/to/search_load path/to/quantaro
set -uo pipefail
services=$(realpath "$1")
load=$2
window=$3
. "$(dirname "${BASH_SOURCE[0]}")/../lib/session.sh"
. "$(dirname "${BASH_SOURCE[0]}")/../lib/bus.sh"
require dbus-daemon gdbus dbus-send

failed=0
fail() { echo "FAIL: $*"; failed=1; }

# What the bus starts gets this environment: ending after 3 s without calls,
# and the built window program for a chosen result (on Xvfb, below).
export QUANTARO_SEARCH_IDLE_MS=3000 QUANTARO_WINDOW_PROGRAM=$window
# The answers below are the British measure's, whatever the tester's locale.
export LC_MEASUREMENT=C
# Built with the address sanitizer, freed memory waits in its quarantine
# (256 MiB), which would read as growth: freed at once there, and its
# allocator's own caches allowed for (1.8 to 2.2 MiB over the 9000 queries,
# against a few KiB in the ordinary build). A leak there is the leak
# checker's to report; the ordinary runs hold the memory to 256 KiB.
margin=256
if [ -n "${ASAN_OPTIONS:-}" ]; then
  export ASAN_OPTIONS="$ASAN_OPTIONS:quarantine_size_mb=0"
  margin=4096
fi
have_x=0
if command -v Xvfb >/dev/null && command -v xdotool >/dev/null && start_xvfb 1280x1024x24; then
  have_x=1
  own_settings
  use_x
fi
start_session_bus "$services" || { echo "FAIL: the private bus did not start"; exit 1; }

runner=(--session --dest com.velkor.Quantaro.Runner --object-path /runner --method)
provider=(--session --dest com.velkor.Quantaro.SearchProvider --object-path /com/velkor/Quantaro/SearchProvider --method)

# Started by the first call, not before.
[ -z "$(bus_name_pid com.velkor.Quantaro.Runner)" ] || fail "the service runs before any call"

# The runner's matches: (id, text, icon, kind: 100 exact or 30 possible, relevance, {subtext}).
# Results in the Exact form, from the unit table's constants with Python's
# fractions (17 significant digits, half to even, and "…" where they go on):
# 5 × 0.0254 / 0.01 = 12.7 cm; 70 × 1000 / 453.59237 = 154.32358352941431… lb.;
# a British pint 0.000568261 / 0.001 = 0.568261 l, a US liquid pint
# 0.000473176 / 0.001 = 0.473176 l. List indices: 21 cm, 31 in., 81 l, 95
# British and 117 US liquid pint, 144 kg, 154 lb. Into a unit of a family
# the Mixed form follows, a little less relevant: 154.32358352941431… lb. =
# 154 lb 5.1773364706… oz.
none='(@a(sssida{sv}) [],)'
match() { # QUERY EXPECTED
  local got
  got=$(gdbus call "${runner[@]}" org.kde.krunner1.Match "$1" 2>&1)
  [ "$got" = "$2" ] || fail "Match(\"${1:0:40}\"): $got; expected $2"
}
exact() { # ID TEXT SUBTEXT: one exact match's part of the reply (a TEXT in quotes as it is)
  local text="'$2'"
  [[ "$2" == [\'\"]* ]] && text=$2
  echo "('$1', $text, 'com.velkor.Quantaro', 100, 1.0, {'actions': <@as []>, 'subtext': <'$3'>})"
}
mixed() { # ID TEXT SUBTEXT: the Mixed form's exact match after its plain one
  echo "('$1', '$2', 'com.velkor.Quantaro', 100, 0.98999999999999999, {'actions': <@as []>, 'subtext': <'$3'>})"
}
kg2lb='1 kg = 2.2046226218487757 lb.'
kgInLb="([$(exact 144:154:70 '154.32358352941431… lb.' "$kg2lb"), $(mixed 144:154:70:mixed '154 lb 5.18 oz' "$kg2lb")],)"
match "5 in to cm" "([$(exact 31:21:5 '12.7 cm' '1 in. = 2.54 cm')],)"
match "70 kg lb" "$kgInLb"
# A name the British and US measures share: the locale's variant first (the
# service's locale is British below), each answer saying which row it took;
# a unit alone converts into its partner.
pint95="'0.568261 l: British pint'"
pint117="'0.473176 l: US liquid pint'"
pints="([$(exact 95:81:1 "$pint95" '1 pt. British = 0.568261 l'), $(exact 117:81:1 "$pint117" '1 liq. pt. U.S. = 0.473176 l')],)"
match "1 pt to l" "$pints"
match "1 pt" "$pints"
match "70 kg" "$kgInLb"
# A name only begun: a possible match, less relevant.
got=$(gdbus call "${runner[@]}" org.kde.krunner1.Match "5 kilog to lb")
[[ "$got" =~ ^\(\[\(\'144:154:5\',\ \'11.023113109243879…\ lb.\',\ \'com.velkor.Quantaro\',\ 30,\ 0\.[0-9]+, ]] ||
  fail "Match(\"5 kilog to lb\"): $got"
for query in "pt 1" "1 kg m" "" "%\$#@! ¿¿" "$(head -c 20000 /dev/zero | tr '\0' 9) kg lb"; do
  match "$query" "$none"
done
[ "$(gdbus call "${runner[@]}" org.kde.krunner1.Actions)" = '(@a(sss) [],)' ] || fail "Actions"

pid=$(bus_name_pid com.velkor.Quantaro.Runner)
[ -n "$pid" ] || fail "the first call did not start the service"
[ "$(bus_name_pid com.velkor.Quantaro.SearchProvider)" = "$pid" ] || fail "one process does not serve both names"

# The provider: GetInitialResultSet, then GetResultMetas for what it gave.
search() { # "TERM..." EXPECTED_IDS EXPECTED_METAS
  local ids list again metas
  ids=$(gdbus call "${provider[@]}" org.gnome.Shell.SearchProvider2.GetInitialResultSet "$1" 2>&1)
  [ "$ids" = "$2" ] || fail "GetInitialResultSet($1): $ids; expected $2"
  list=$(sed 's/^(\(.*\),)$/\1/' <<<"$ids")
  again=$(gdbus call "${provider[@]}" org.gnome.Shell.SearchProvider2.GetSubsearchResultSet "$list" "$1" 2>&1)
  [ "$again" = "$2" ] || fail "GetSubsearchResultSet($1): $again; expected $2"
  metas=$(gdbus call "${provider[@]}" org.gnome.Shell.SearchProvider2.GetResultMetas "$list" 2>&1)
  [ "$metas" = "$3" ] || fail "GetResultMetas for $1: $metas; expected $3"
}
meta() { # ID NAME DESCRIPTION RESULT (a NAME in quotes as it is)
  local name="'$2'"
  [[ "$2" == [\'\"]* ]] && name=$2
  echo "{'clipboardText': <'$4'>, 'description': <'$3'>, 'gicon': <'com.velkor.Quantaro'>, 'id': <'$1'>, 'name': <$name>}"
}
search "['5', 'in', 'to', 'cm']" "(['31:21:5'],)" "([$(meta 31:21:5 '12.7 cm' '1 in. = 2.54 cm' 12.7)],)"
search "['70', 'kg', 'lb']" "(['144:154:70', '144:154:70:mixed'],)" \
  "([$(meta 144:154:70 '154.32358352941431… lb.' "$kg2lb" 154.32358352941431), $(meta 144:154:70:mixed '154 lb 5.18 oz' "$kg2lb" '154 lb 5.18 oz')],)"
search "['1', 'pt', 'to', 'l']" "(['95:81:1', '117:81:1'],)" \
  "([$(meta 95:81:1 "$pint95" '1 pt. British = 0.568261 l' 0.568261), $(meta 117:81:1 "$pint117" '1 liq. pt. U.S. = 0.473176 l' 0.473176)],)"
for terms in "['pt', '1']" "['1', 'kg', 'm']" "['%\$#@!']" "@as []" "['', ' ']"; do
  search "$terms" "(@as [],)" "(@aa{sv} [],)"
done
# Identifiers the service did not give out for a recent query have no metas,
# sound ones ("31:23:5", 5 in. to m) included: the metas are what the search
# showed, not worked out again.
got=$(gdbus call "${provider[@]}" org.gnome.Shell.SearchProvider2.GetResultMetas "['x', '31:144:5', '2:21:5', '31:23:5', '31:21:5']")
[ "$got" = "([$(meta 31:21:5 '12.7 cm' '1 in. = 2.54 cm' 12.7)],)" ] || fail "GetResultMetas with foreign identifiers: $got"
# At most 100 identifiers per call: 100 get their metas, 101 an error.
ids() { local list="'31:21:5'"; for _ in $(seq 2 "$1"); do list+=", '31:21:5'"; done; echo "[$list]"; }
got=$(gdbus call "${provider[@]}" org.gnome.Shell.SearchProvider2.GetResultMetas "$(ids 100)" 2>&1)
[ "$(grep -o "'id': <'31:21:5'>" <<<"$got" | wc -l)" = 100 ] || fail "GetResultMetas of 100 identifiers: ${got:0:200}"
got=$(gdbus call "${provider[@]}" org.gnome.Shell.SearchProvider2.GetResultMetas "$(ids 101)" 2>&1)
[[ "$got" == *org.freedesktop.DBus.Error.LimitsExceeded* ]] || fail "GetResultMetas of 101 identifiers: ${got:0:200}"

# Calls it does not offer, with wrong argument types, for unknown results:
# an error reply each, and the same process serves on.
error() { # EXPECTED_ERROR dbus-send ARGS...
  local want=$1 got
  shift
  got=$(dbus-send --session --print-reply "$@" 2>&1)
  [[ "$got" == "Error $want"* ]] || fail "dbus-send $*: $got; expected the error $want"
}
r=(--dest=com.velkor.Quantaro.Runner /runner)
p=(--dest=com.velkor.Quantaro.SearchProvider /com/velkor/Quantaro/SearchProvider)
unknown=org.freedesktop.DBus.Error.UnknownMethod
error $unknown "${r[@]}" org.kde.krunner1.Match int32:5
error $unknown "${r[@]}" org.kde.krunner1.Match
error $unknown "${r[@]}" org.kde.krunner1.Match string:"5 in cm" string:more
error $unknown "${r[@]}" org.kde.krunner1.Run string:31:21:5
error $unknown "${r[@]}" org.kde.krunner1.Delete string:x
error org.freedesktop.DBus.Error.UnknownInterface "${r[@]}" org.example.Other.Match string:x
error $unknown "${p[@]}" org.gnome.Shell.SearchProvider2.GetInitialResultSet string:"5 in cm"
error $unknown "${p[@]}" org.gnome.Shell.SearchProvider2.GetResultMetas array:int32:1,2
error $unknown "${p[@]}" org.gnome.Shell.SearchProvider2.ActivateResult string:31:21:5 array:string:5 int32:-1
error org.freedesktop.DBus.Error.InvalidArgs "${r[@]}" org.kde.krunner1.Run string:31:144:5 string:
error org.freedesktop.DBus.Error.InvalidArgs "${p[@]}" org.gnome.Shell.SearchProvider2.ActivateResult string:nothing array:string: uint32:0
error org.freedesktop.DBus.Error.UnknownObject --dest=com.velkor.Quantaro.Runner /elsewhere org.kde.krunner1.Match string:x
[ "$(bus_name_pid com.velkor.Quantaro.Runner)" = "$pid" ] || fail "the service did not survive the calls it does not offer"
match "5 in to cm" "([$(exact 31:21:5 '12.7 cm' '1 in. = 2.54 cm')],)"

# 10,000 queries in a row, every kind; the resident memory after the last
# within $margin KiB of what it was after the first thousand.
if memory=$("$load" 10000); then
  read -r early last <<<"$memory"
  echo "search service resident memory: $early KiB after 1000 queries, $last KiB after 10000"
  [ "$last" -le $((early + margin)) ] || fail "memory grew from $early KiB to $last KiB over 9000 queries"
else
  fail "10,000 queries in a row: $memory"
fi
# One GetResultMetas of 500,000 identifiers (some 10 MB): refused, and the
# memory it took comes back. Under the address sanitizer the memory is its
# allocator's, which keeps what was freed for later calls (some 30 MB here,
# whatever its release options say), so there only the refusal is checked;
# the ordinary runs check the memory.
if memory=$("$load" large 500000); then
  read -r before after <<<"$memory"
  echo "search service resident memory: $before KiB before a call of 500,000 identifiers, $after KiB after"
  [ -n "${ASAN_OPTIONS:-}" ] || [ "$after" -le $((before + margin)) ] ||
    fail "memory grew from $before KiB to $after KiB over one large call"
else
  fail "a call of 500,000 identifiers: $memory"
fi

# A chosen result opens the window on its rows and number, in the Exact form
# the result showed: Run for the runner, ActivateResult and LaunchSearch for
# the provider; on Xvfb, titled with the result's number. The desktop's token
# (Plasma) or time of the click (GNOME) reaches the window's environment.
if ! env -u DISPLAY -u WAYLAND_DISPLAY timeout 10 "$window" --help 2>&1 | grep -q -- --from; then
  echo "skipped the window: $window takes no rows yet"
elif [ "$have_x" = 1 ]; then
  # window_titled watches $app while it looks: the bus outlives the windows it starts.
  app=$bus_pid
  opened() { # HOW TITLE [PATTERN...]: a line of the started window's arguments or environment matches each PATTERN; none of its environment matches a !PATTERN
    local how=$1 title=$2 id wpid pattern
    shift 2
    if ! id=$(window_titled "$title"); then
      fail "$how opened no window titled \"$title\""
      return
    fi
    wpid=$(xdotool getwindowpid "$id")
    started+=("$wpid")
    for pattern in "$@"; do
      if [ "${pattern:0:1}" = "!" ]; then
        ! tr '\0' '\n' <"/proc/$wpid/environ" | grep -qx -- "${pattern:1}" ||
          fail "$how: the window's environment holds \"${pattern:1}\""
      else
        cat "/proc/$wpid/cmdline" "/proc/$wpid/environ" | tr '\0' '\n' | grep -qx -- "$pattern" ||
          fail "$how: the window's arguments and environment hold no line \"$pattern\""
      fi
    done
    kill -TERM "$wpid"
  }
  gdbus call "${runner[@]}" org.kde.krunner1.SetActivationToken "token-from-plasma" >/dev/null || fail "SetActivationToken"
  gdbus call "${runner[@]}" org.kde.krunner1.Run 31:21:5 "" >/dev/null || fail "Run"
  opened "Run of 5 in. to cm" "12.7 - Velkor Quantaro" "XDG_ACTIVATION_TOKEN=token-from-plasma" "--exact"
  # The token is for one Run only.
  gdbus call "${runner[@]}" org.kde.krunner1.Run 117:81:1 "" >/dev/null || fail "Run of the second pint"
  opened "Run of the second pint" "0.473176 - Velkor Quantaro" "117" "81" "!XDG_ACTIVATION_TOKEN=.*"
  gdbus call "${provider[@]}" org.gnome.Shell.SearchProvider2.ActivateResult 144:154:70 "['70', 'kg', 'lb']" 4242 >/dev/null ||
    fail "ActivateResult"
  opened "ActivateResult of 70 kg to lb." "154.32358352941431… - Velkor Quantaro" "DESKTOP_STARTUP_ID=quantaro-search-.*_TIME4242"
  # The Mixed result opens the window in the Mixed form, for that run.
  gdbus call "${provider[@]}" org.gnome.Shell.SearchProvider2.ActivateResult 144:154:70:mixed "['70', 'kg', 'lb']" 4243 >/dev/null ||
    fail "ActivateResult of the Mixed result"
  opened "ActivateResult of 70 kg to lb. mixed" "154 lb 5.18 oz - Velkor Quantaro" "--mixed"
  gdbus call "${provider[@]}" org.gnome.Shell.SearchProvider2.LaunchSearch "['-40', '°C', 'to', '°F']" 0 >/dev/null ||
    fail "LaunchSearch"
  opened "LaunchSearch of -40 °C to °F" "-40 - Velkor Quantaro"
else
  echo "skipped the window: Xvfb or xdotool is not installed"
fi

# Calls of one kind alone keep it running past its idle time: one a second
# for 5 s, Match, then GetInitialResultSet.
pid=$(bus_name_pid com.velkor.Quantaro.Runner)
for _ in 1 2 3 4 5; do gdbus call "${runner[@]}" org.kde.krunner1.Match "5 in cm" >/dev/null; sleep 1; done
[ "$(bus_name_pid com.velkor.Quantaro.Runner)" = "$pid" ] || fail "Match calls alone did not keep the service running"
for _ in 1 2 3 4 5; do
  gdbus call "${provider[@]}" org.gnome.Shell.SearchProvider2.GetInitialResultSet "['5', 'in', 'cm']" >/dev/null
  sleep 1
done
[ "$(bus_name_pid com.velkor.Quantaro.Runner)" = "$pid" ] || fail "GetInitialResultSet calls alone did not keep the service running"

# Without calls it ends by itself, and the next call starts it again.
for _ in $(seq 150); do [ -z "$(bus_name_pid com.velkor.Quantaro.Runner)" ] && break; sleep 0.1; done
[ -z "$(bus_name_pid com.velkor.Quantaro.Runner)" ] || fail "still running 15 s after its idle time of 3 s"
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "process $pid still there 5 s after giving up its names"
match "70 kg lb" "$kgInLb"
[ -n "$(bus_name_pid com.velkor.Quantaro.SearchProvider)" ] || fail "not started again by a call after its end"

# Whatever the service wrote (Qt's warnings included) goes to the bus's log.
grep -v '^dbus-daemon\[' "$work/bus.log" | grep . && fail "the service wrote the lines above"
[ "$failed" = 0 ] || { echo "the bus and the service wrote:"; cat "$work/bus.log"; }
exit $failed
