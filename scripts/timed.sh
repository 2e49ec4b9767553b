# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# timed NAME COMMAND...: runs the command (a function too) and, when it ends,
# prints its wall time and the CPU time of everything it started, e.g.
# "== build: done in 312 s (CPU 540 s user + 61 s system)". Keeps the status.
# Sourced by ./test and scripts/test-hardening.
timed() {
  local name=$1
  shift
  local TIMEFORMAT="== $name: done in %0R s (CPU %0U s user + %0S s system)"
  time "$@"
}
