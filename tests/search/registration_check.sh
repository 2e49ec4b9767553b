#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# Installs the build into a temporary prefix and checks that the desktops find
# the search service: the bus's service files start the installed program,
# and the Plasma runner's plugin file and the GNOME Shell provider's file name
# the bus names and objects it serves, and the application's menu entry.
# Usage: registration_check.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failed=0
fail() { echo "FAIL: $*"; failed=1; }
value() { sed -n "s/^$1=//p" "$2"; }

program=libexec/quantaro/quantaro-search-provider
[ -x "$prefix/$program" ] || fail "$program missing or not executable"
for name in com.velkor.Quantaro.Runner com.velkor.Quantaro.SearchProvider; do
  service=$prefix/share/dbus-1/services/$name.service
  if [ -f "$service" ]; then
    [ "$(value Name "$service")" = "$name" ] || fail "$name.service is for $(value Name "$service")"
    # The path the build was configured to install to, whatever prefix this installation took.
    [[ "$(value Exec "$service")" == /*/"$program" ]] || fail "$name.service starts $(value Exec "$service")"
  else
    fail "share/dbus-1/services/$name.service missing"
  fi
done

plugin=$prefix/share/krunner/dbusplugins/com.velkor.Quantaro.Runner.desktop
if [ -f "$plugin" ]; then
  [ "$(value X-Plasma-API "$plugin")" = DBus ] || fail "the runner's plugin file is not for a D-Bus runner"
  [ "$(value X-Plasma-DBusRunner-Service "$plugin")" = com.velkor.Quantaro.Runner ] || fail "the runner's plugin file names another service"
  [ "$(value X-Plasma-DBusRunner-Path "$plugin")" = /runner ] || fail "the runner's plugin file names another object"
  if command -v desktop-file-validate >/dev/null; then
    out=$(desktop-file-validate "$plugin" 2>&1) || true
    [ -z "$out" ] || fail "desktop-file-validate on the runner's plugin file: $out"
  fi
else
  fail "share/krunner/dbusplugins/com.velkor.Quantaro.Runner.desktop missing"
fi

provider=$prefix/share/gnome-shell/search-providers/com.velkor.Quantaro.search-provider.ini
if [ -f "$provider" ]; then
  [ "$(value BusName "$provider")" = com.velkor.Quantaro.SearchProvider ] || fail "the provider file names another bus name"
  [ "$(value ObjectPath "$provider")" = /com/velkor/Quantaro/SearchProvider ] || fail "the provider file names another object"
  [ "$(value Version "$provider")" = 2 ] || fail "the provider file is not for version 2 of the interface"
  [ -f "$prefix/share/applications/$(value DesktopId "$provider")" ] || fail "the provider's DesktopId is no installed menu entry"
else
  fail "share/gnome-shell/search-providers/com.velkor.Quantaro.search-provider.ini missing"
fi
exit $failed
