#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# Runs every example of the manual page (its .EX blocks) and of the README's
# "Command line" section (its indented blocks) and compares what it prints,
# standard output and standard error together, with what the text shows.
# A "$ " line is a command; the lines after it, up to the next command or the
# end of the block, are its output. An output line that begins with '"' after
# a line that opens a JSON object and does not close it was broken to fit the
# page, and joins that line.
#
# Usage: doc_examples.sh BIN_DIR MANUAL_PAGE README
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 BIN_DIR MANUAL_PAGE README" >&2; exit 2; }
export PATH="$1:$PATH"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The examples of the manual page, with the roff escapes they use written out;
# any other escape fails the test, so that a new one is not compared raw.
awk '/^\.EX/ { inside = 1; print "@@block"; next } /^\.EE/ { inside = 0; next } inside' "$2" \
  | sed -e 's/\\\\/\x01/g' -e 's/\\-/-/g' -e 's/\\(de/°/g' -e 's/\\(Om/º/g' -e "s/\\\\(aq/'/g" -e 's/\\&//g' >"$work/man"
if grep -n '\\' "$work/man" >&2; then
  echo "doc_examples.sh: an escape in the manual page's examples that this test does not know" >&2
  exit 1
fi
sed -i 's/\x01/\\/g' "$work/man"

# The README's "Command line" section: its indented blocks, indentation removed.
awk '/^## / { inside = ($0 == "## Command line"); next }
     inside && /^    / { if (!open) print "@@block"; open = 1; print substr($0, 5); blanks = 0; next }
     inside && /^$/ { if (open) print ""; next }
     { open = 0 }' "$3" >"$work/readme"

failed=0
count=0
check() { # file with the blocks, name for messages
  local name=$2 cmd= line have expected
  local -a shown=()
  run() {
    [ -n "$cmd" ] || return 0
    count=$((count + 1))
    # A block's trailing blank lines belong to no output.
    while [ ${#shown[@]} -gt 0 ] && [ -z "${shown[-1]}" ]; do unset 'shown[-1]'; done
    expected=$(printf '%s\n' "${shown[@]}")
    have=$(bash -c "$cmd" 2>&1 || true)
    if [ "$have" != "$expected" ]; then
      failed=1
      printf '%s: $ %s\n--- shown\n%s\n--- printed\n%s\n\n' "$name" "$cmd" "$expected" "$have" >&2
    fi
  }
  while IFS= read -r line; do
    if [ "$line" = "@@block" ]; then
      run
      cmd=
    elif [[ $line == '$ '* ]]; then
      run
      cmd=${line#\$ }
      shown=()
    elif [ -n "$cmd" ]; then
      if [[ $line == '"'* && ${#shown[@]} -gt 0 && ${shown[-1]} == '{'* && ${shown[-1]} != *'}' ]]; then
        shown[-1]+=$line
      else
        shown+=("$line")
      fi
    fi
  done <"$1"
  run
}
check "$work/man" "$2"
man_count=$count
check "$work/readme" "$3"
[ "$man_count" -gt 0 ] && [ "$count" -gt "$man_count" ] || { echo "doc_examples.sh: found no examples" >&2; exit 1; }
echo "$man_count examples of the manual page, $((count - man_count)) of the README"
exit "$failed"
