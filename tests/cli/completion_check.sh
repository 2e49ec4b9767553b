#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# Sources the bash completion of quantaro-convert and calls its completion
# function for command lines, with the words as bash hands them over: split
# at blanks and at "=", a quoted or escaped blank kept inside its word, the
# cursor at the end of the last word. Expected replies are in list order and
# quoted as the word is. Then types lines with Tab into an interactive bash
# on a pseudo-terminal, where readline itself puts the replies in.
# Usage: completion_check.sh PROGRAM COMPLETION_SCRIPT
set -uo pipefail
PATH="$(dirname "$1"):$PATH"
# shellcheck source=/dev/null
source "$2"

failures=0
# replies WORD... : the replies for the last word, one a line
replies() {
    COMP_WORDS=(quantaro-convert "$@")
    COMP_CWORD=$#
    COMP_LINE="${COMP_WORDS[*]}"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _quantaro_convert quantaro-convert "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf '%s\n' "${COMPREPLY[@]}"
}
# check EXPECTED WORD...
check() {
    local expected=$1 got
    shift
    got=$(replies "$@")
    local COMP_LINE="quantaro-convert $*" # replies ran in a subshell
    if [ "$got" != "$expected" ]; then
        printf 'FAIL: %s\n  expected: %s\n  got:      %s\n' "$COMP_LINE" "${expected//$'\n'/ | }" "${got//$'\n'/ | }"
        failures=$((failures + 1))
    fi
}

# Options, and nothing after "--" or for a number.
check '--from' --fro
check $'--from\n--fraction' --fr
check '--shortest' --sh
check '--exact' --ex
check '--mixed' --mi
check $'--from\n--to\n--info\n--json\n--shortest\n--exact\n--mixed\n--fraction\n--list\n--recent\n--help\n--version' ''
check $'16' --mixed --fraction 1
check $'2\n4\n8\n16\n32\n64' --mixed --fraction = ''
check $'kilogramme\nkilogrammes\nkilogram\nkilograms' --mixed --fraction 16 70 kilog
check '' -- --fr
check '' --from m 5
check '' --info -- ''

# A query: after its number, the words are units; not with --from or --to,
# and not before a number.
# After a first unit, only the names of its quantity: masses after "kg".
check $'kilogramme\nkilogrammes\nkilogram\nkilograms\nkilo\nkilos' 70 kg to kilo
check $'statute\\ mile\nstatute\\ miles' -5 sta
check $'lb\nlbs\nlb.\\ av.\nlb.\\ t.\nlb.\\ tr.\nlb.\\ ap.' --info 70 kg lb
check $'pound\npounds\npennyweight\npennyweights\npwt' 70 kg to p
check $'pound\npounds\npennyweight\npennyweights\npwt' --from kg --to p
check '' --from kg 70 l
check '' apples lb
check '--info' 70 --inf

# Unit names, in list order; letters in either case, and "=" as a word of its own.
check $'kilometre\nkilometres\nkilometer\nkilometers\nkilogramme\nkilogrammes\nkilogram\nkilograms\nkilo\nkilos\nkilowatt\nkilowatts\nkilocalorie\nkilocalories\nkilobit\nkilobits\nkilobyte\nkilobytes\nKiloherz\nkilohertz\nkilometers\\ per\\ hour\nkilometres\\ per\\ hour\nkilometer\\ per\\ hour\nkilometre\\ per\\ hour' --from kilo
check $'kilogramme\nkilogrammes\nkilogram\nkilograms' --from = kilog
check $'statute\\ mile\nstatute\\ miles' --to = sta
check $'pint\npints' --from pint # the locale's pint
check '' --from p. # pole and perch share it: the program would refuse it
# Nothing typed yet: every name, the same after "--to=" as after "--to".
all=$(replies --to '')
[ "$(replies --to =)" = "$all" ] && [ "$(wc -l <<<"$all")" -gt 200 ] ||
    { echo "FAIL: --to= and --to offer different names, or too few"; failures=$((failures + 1)); }

# The degree sign as typed or as the labels have it, Greek mu, "2" for "²".
check $'°C\n°F' --to °
check $'ºC\nºF' --to º
check 'µm' --from μ
check 'm2' --from m2

# Blanks and apostrophes: escaped, or inside the quote the word opens.
check $'sea\\ league\nsea\\ leagues\nsea\\ league\\ British\nsea\\ mile\nsea\\ miles' --from sea
check $'sea league\nsea leagues\nsea league British\nsea mile\nsea miles' --from '"sea'
check $'men\\\'s\\ shoes\\ metric/German\nmen\\\'s\\ shoes\\ metric\nmen\\\'s\\ shoes\\ US/UK\nmen\\\'s\\ shoes\\ US' --to "men\\'"
check $'men\'s shoes metric/German\nmen\'s shoes metric\nmen\'s shoes US/UK\nmen\'s shoes US' --to '"men'"'"
check $'menswear metric/German\nmenswear metric\nmenswear German\nmenswear US/UK\nmenswear US\nmenswear UK\nmen\'\\\'\'s shoes metric/German\nmens shoes metric/German\nmen\'\\\'\'s shoes metric\nmens shoes metric\nmen\'\\\'\'s shoes US/UK\nmens shoes US/UK\nmen\'\\\'\'s shoes US\nmens shoes US' --to "'men"
check $'a league\na leagues\na league British\na mile\na miles' --from 'se"a ' # readline keeps what stands before the quote

# Through readline: what it made of each typed line, as the history keeps it.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
typed=(
    $'quantaro-convert --fro\tm --to cm 1'
    $'quantaro-convert --from Imp.\t--to l 1'
    $'quantaro-convert --from "men\'s shoes metric/\t--to \'men\'\\\'\'s shoes US/\t40'
    $'quantaro-convert --to \u00b0F\t--from=\u00b0C\t100'
    $'quantaro-convert --from m2\t--to=SQU\tmetres\t--shortest 1'
)
expected=(
    'quantaro-convert --from m --to cm 1'
    'quantaro-convert --from Imp.\ gal. --to l 1'
    "quantaro-convert --from \"men's shoes metric/German\" --to 'men'\\''s shoes US/UK' 40"
    $'quantaro-convert --to \u00b0F --from=\u00b0C 100'
    'quantaro-convert --from m2 --to=square\ metres --shortest 1'
)
{
    printf 'source %q\n' "$2"
    printf '%s\n' "${typed[@]}"
    printf 'fc -ln 1 >%q\nexit\n' "$work/history"
} >"$work/keys"
HISTFILE=/dev/null LC_ALL=C.UTF-8 script -qec 'bash --norc --noprofile -i' /dev/null <"$work/keys" >/dev/null 2>&1
mapfile -t history <"$work/history"
for i in "${!expected[@]}"; do
    line=${history[i + 1]:-}
    line=${line#$'\t '}
    if [ "$line" != "${expected[i]}" ]; then
        printf 'FAIL: readline made of %q\n  expected: %s\n  got:      %s\n' "${typed[i]}" "${expected[i]}" "$line"
        failures=$((failures + 1))
    fi
done

[ "$failures" -eq 0 ] || exit 1
