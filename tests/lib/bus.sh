# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# A private D-Bus session bus for the scripts that source tests/lib/session.sh
# first (its $work and its list of processes killed on exit).

# Starts a session bus whose one service folder is $1, so that a call to a
# name it lists starts the program there as a desktop session's bus would;
# exports DBUS_SESSION_BUS_ADDRESS and sets bus_pid. What the bus and the
# programs it starts write goes to $work/bus.log. They get this shell's
# environment: export what they need first.
start_session_bus() {
  cat >"$work/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$work</listen>
  <servicedir>$1</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
  : >"$work/bus.address"
  dbus-daemon --nofork --config-file="$work/bus.conf" --print-address=3 3>"$work/bus.address" >>"$work/bus.log" 2>&1 &
  bus_pid=$!
  started+=("$bus_pid")
  for _ in $(seq 100); do [ -s "$work/bus.address" ] && break; sleep 0.1; done
  [ -s "$work/bus.address" ] || { cat "$work/bus.log"; return 1; }
  DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus.address")
  export DBUS_SESSION_BUS_ADDRESS
}

# The process id of the owner of bus name $1, or nothing when none owns it.
bus_name_pid() {
  gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.GetConnectionUnixProcessID "$1" 2>/dev/null | sed -n 's/^(uint32 \([0-9]*\),)$/\1/p'
}

# Starts a session bus (start_session_bus) on which the accessibility bus is
# D-Bus-activated, and turns accessibility on as a screen reader does, so that
# Qt programs started next join it. Its settings live in memory: no dconf.
start_accessibility_bus() {
  export GSETTINGS_BACKEND=memory
  mkdir -p "$work/a11y-services"
  printf '[D-BUS Service]\nName=org.a11y.Bus\nExec=/usr/libexec/at-spi-bus-launcher\n' \
    >"$work/a11y-services/org.a11y.Bus.service"
  start_session_bus "$work/a11y-services" || return 1
  gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
    --method org.freedesktop.DBus.Properties.Set org.a11y.Status ScreenReaderEnabled '<true>' >/dev/null
}
