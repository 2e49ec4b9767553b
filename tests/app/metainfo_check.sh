#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# The AppStream data as software centres and stores take it: valid with no
# error, warning or info even when validated pedantically, the only pedantic
# note left being the capital letter of the ID (which the menu entry, the
# icons, the Wayland app ID and the settings share), and a summary that fits
# the stores' lists (at most 35 characters).
# Usage: metainfo_check.sh FILE.metainfo.xml   (status 77: appstreamcli missing)
set -uo pipefail
file=$1
command -v appstreamcli >/dev/null || exit 77

appstreamcli validate --pedantic --no-net --explain "$file" || exit 1
notes=$(appstreamcli validate --pedantic --no-net "$file" | grep -E '^[EWIP]:' | grep -v '^P: .* cid-contains-uppercase-letter ')
[ -z "$notes" ] || { echo "$notes"; exit 1; }

summary=$(sed -n 's|^ *<summary>\(.*\)</summary>$|\1|p' "$file")
length=$(printf '%s' "$summary" | LC_ALL=C.UTF-8 wc -m)
if [ -z "$summary" ] || [ "$length" -gt 35 ]; then
  echo "summary of $length characters (at most 35): \"$summary\""
  exit 1
fi
