#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# The real converter as a screen reader meets it: a private X server, a
# private session bus whose accessibility bus (at-spi-bus-launcher, with
# at-spi2-registryd) is turned on as a screen reader turns it on, and an
# AT-SPI client (a11y_listener.py, through pyatspi) that types and reads.
# Usage: a11y_xvfb.sh path/to/quantaro
set -uo pipefail
bin=$1
here=$(dirname "${BASH_SOURCE[0]}")
. "$here/../lib/session.sh"
. "$here/../lib/bus.sh"
require Xvfb xdotool dbus-daemon gdbus
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || { echo "skipped: at-spi2-core is not installed"; exit 77; }
# pyatspi is Debian's, for Debian's Python.
python=
for candidate in /usr/bin/python3 python3; do
  "$candidate" -c 'import pyatspi' 2>/dev/null && { python=$candidate; break; }
done
[ -n "$python" ] || { echo "skipped: python3-pyatspi is not installed"; exit 77; }

start_xvfb 1280x1024x24 || fail "Xvfb did not start"
own_settings
use_x
start_accessibility_bus || fail "no accessibility bus"

# 0 inches to centimetres, the shortest result form: "5" reads 12.7.
mkdir -p "${conf%/*}"
printf '[Data]\nSource=\nFrom=31\nTo=21\n\n[Display]\nShortestResult=true\n' >"$conf"
launch "$bin"
id=$(window_titled "Velkor Quantaro") || fail "the window did not show"
xdotool windowfocus --sync "$id"
"$python" "$here/a11y_listener.py" "$id" || fail "read over AT-SPI"
echo "accessibility: all as expected"
