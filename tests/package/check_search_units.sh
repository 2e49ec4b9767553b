#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# The search service's registration as installed under ROOT: the systemd user
# unit and both D-Bus service files name each other (each service file's
# SystemdService= is the unit, the unit waits for a bus name that a service
# file gives, and both start the same installed program), systemd parses the
# unit without a complaint, and a private session bus that is not systemd's starts the
# service for each name from the service files alone and finds both names
# served by that program.
# Usage: check_search_units.sh ROOT   (/ for the installed packages, or an unpacked tree)
set -uo pipefail
root=$(realpath "$1")
root=${root%/}
. "$(dirname "${BASH_SOURCE[0]}")/../lib/session.sh"
. "$(dirname "${BASH_SOURCE[0]}")/../lib/bus.sh"
require dbus-daemon gdbus

failed=0
fail() { echo "FAIL: $*"; failed=1; }
value() { sed -n "s/^$1=//p" "$2"; }

units=$root/usr/lib/systemd/user
services=$root/usr/share/dbus-1/services
names=(com.velkor.Quantaro.Runner com.velkor.Quantaro.SearchProvider)
unit_names=()
for name in "${names[@]}"; do
  service=$services/$name.service
  [ -f "$service" ] || { fail "usr/share/dbus-1/services/$name.service missing"; continue; }
  [ "$(value Name "$service")" = "$name" ] || fail "$name.service is for $(value Name "$service")"
  unit=$(value SystemdService "$service")
  [ -n "$unit" ] || { fail "$name.service names no SystemdService"; continue; }
  unit_names+=("$unit")
  if [ ! -f "$units/$unit" ]; then
    fail "$name.service names the unit $unit, which is not in usr/lib/systemd/user"
    continue
  fi
  [ "$(value Exec "$service")" = "$(value ExecStart "$units/$unit")" ] ||
    fail "$name.service runs $(value Exec "$service"), its unit $(value ExecStart "$units/$unit")"
  program=$(value Exec "$service")
  [ -x "$root$program" ] || fail "$name.service runs $program, which is not installed"
done
# One unit serves both names; it is ready once the service has taken a bus
# name that one of the service files gives.
if [ ${#unit_names[@]} -eq ${#names[@]} ]; then
  [ "$(printf '%s\n' "${unit_names[@]}" | sort -u | wc -l)" = 1 ] || fail "the service files name different units: ${unit_names[*]}"
  unit=$units/${unit_names[0]}
  if [ -f "$unit" ]; then
    [ "$(value Type "$unit")" = dbus ] || fail "${unit_names[0]} is of type $(value Type "$unit"), not dbus"
    printf '%s\n' "${names[@]}" | grep -qxF -- "$(value BusName "$unit")" ||
      fail "${unit_names[0]} waits for the bus name $(value BusName "$unit"), which no service file gives"
    grep -q '^\[Install\]' "$unit" && fail "${unit_names[0]} can be enabled; only the bus starts it"
    # systemd's own reading of the unit: a line it cannot parse is reported
    # with the file's name and line number. (Outside a user session it also
    # reports that it has no manager, and under an unpacked root that the
    # program is not at its installed path; neither is the unit's fault.)
    if command -v systemd-analyze >/dev/null; then
      mkdir -m 700 "$work/analyze"
      out=$(XDG_RUNTIME_DIR=$work/analyze systemd-analyze verify --user --man=no "$unit" 2>&1)
      grep -F "$unit:" <<<"$out" && fail "systemd-analyze verify ${unit_names[0]}"
    fi
  fi
fi

# Activation by a bus that starts programs itself: the service files as
# installed, their programs found under ROOT.
mkdir "$work/services"
for name in "${names[@]}"; do
  [ -f "$services/$name.service" ] &&
    sed "s|^Exec=/|Exec=$root/|" "$services/$name.service" >"$work/services/$name.service"
done
# The service must still run at the second call, however loaded the machine
# (./test builds beside this check): it is ended below, not by its idle time.
export QUANTARO_SEARCH_IDLE_MS=120000
start_session_bus "$work/services" || { echo "FAIL: the private bus did not start"; exit 1; }
pids=()
for name in "${names[@]}"; do
  if ! out=$(gdbus call --session --dest "$name" --object-path / --method org.freedesktop.DBus.Peer.Ping 2>&1); then
    sed 's/^/bus: /' "$work/bus.log"
    fail "the bus did not start the service for $name: $out"
    continue
  fi
  pid=$(bus_name_pid "$name")
  pids+=("$pid")
  exe=$(readlink "/proc/$pid/exe")
  [ "$exe" = "$root$(value Exec "$services/$name.service")" ] || fail "$name is served by $exe"
done
[ ${#pids[@]} -eq 2 ] && [ "${pids[0]}" != "${pids[1]}" ] && fail "the two names are served by two processes"
for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
[ "$failed" = 0 ] && echo "search service: the unit, the bus files and activation agree"
exit $failed
