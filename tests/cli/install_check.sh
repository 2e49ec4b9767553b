#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# Installs the build into a temporary prefix and checks that quantaro-convert,
# its man page and its bash completion land where the shell, man and
# bash-completion look for them, and that the completion works there.
# Usage: install_check.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
[ "$("$prefix/bin/quantaro-convert" --from m --to cm 1)" = 100 ] || { echo "FAIL: bin/quantaro-convert"; exit 1; }
cmp -s "$2/cli/quantaro-convert.1" "$prefix/share/man/man1/quantaro-convert.1" || { echo "FAIL: man page"; exit 1; }
completion="$prefix/share/bash-completion/completions/quantaro-convert"
cmp -s "$2/cli/quantaro-convert.bash" "$completion" || { echo "FAIL: bash completion"; exit 1; }
replies=$(
    PATH="$prefix/bin:$PATH"
    source "$completion"
    COMP_WORDS=(quantaro-convert --from kilogrammes) COMP_CWORD=2
    _quantaro_convert quantaro-convert kilogrammes --from
    echo "${COMPREPLY[*]}"
)
[ "$replies" = kilogrammes ] || { echo "FAIL: bash completion from $prefix: \"$replies\""; exit 1; }
