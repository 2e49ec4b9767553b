# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# bash completion for quantaro-convert: its options, and for --from and --to,
# and after the number of a query ("70 kg to lb"), the unit abbreviations and
# names it accepts. The program prints both itself (--option-names,
# --unit-names), so the completion offers what its own table of options and
# its own names for units accept, and never a word it would refuse as unknown
# or ambiguous. After a first unit (--from, or the first unit of a query) it
# offers only the names of units of the same quantity.

# The value a shell word stands for, in REPLY; an unclosed quote runs to the
# end of the word. _quantaro_convert_quote is set to that quote (empty when
# none) and _quantaro_convert_before to the value before it, the part of the
# word that readline keeps when it completes inside the quote. The caller
# declares all three local.
_quantaro_convert_dequote()
{
    local raw=$1 value= quote= before= c i
    for ((i = 0; i < ${#raw}; i++)); do
        c=${raw:i:1}
        if [[ $quote == "'" ]]; then
            if [[ $c == "'" ]]; then quote=; else value+=$c; fi
        elif [[ $quote == '"' ]]; then
            if [[ $c == '"' ]]; then
                quote=
            elif [[ $c == '\' && ${raw:i+1:1} == [\"\\\$\`] ]]; then
                value+=${raw:i+1:1}
                ((i++))
            else
                value+=$c
            fi
        elif [[ $c == "'" || $c == '"' ]]; then
            quote=$c
            before=$value
        elif [[ $c == '\' ]]; then
            ((i++))
            value+=${raw:i:1}
        else
            value+=$c
        fi
    done
    REPLY=$value
    _quantaro_convert_quote=$quote
    _quantaro_convert_before=$before
}

# The form in which the program compares unit names: letters in either case,
# the degree sign as the labels' "º", Greek mu as the micro sign, "²" and "³"
# as "2" and "3".
_quantaro_convert_fold()
{
    local text=${1,,}
    text=${text//°/º}
    text=${text//μ/µ}
    text=${text//²/2}
    REPLY=${text//³/3}
}

# What the program prints for one of its completion options (--unit-names,
# --option-names) and the arguments after it: the program as the command
# line names it, else the one on the PATH.
_quantaro_convert_ask()
{
    local out program=$1
    shift
    out=$(command "$program" "$@" 2>/dev/null) || out=$(command quantaro-convert "$@" 2>/dev/null)
    printf '%s\n' "$out"
}

# COMPREPLY: the unit names that begin with what the current word holds,
# quoted as the word is. Further arguments are the words given before it
# (--from UNIT, a query's words), whose first unit sets the quantity.
_quantaro_convert_units()
{
    local program=$1 word=$2 names name typed folded c REPLY _quantaro_convert_quote _quantaro_convert_before
    shift 2
    _quantaro_convert_dequote "$word"
    typed=$REPLY
    local quote=$_quantaro_convert_quote before=$_quantaro_convert_before
    _quantaro_convert_fold "$typed"
    folded=$REPLY

    names=$(_quantaro_convert_ask "$program" --unit-names "$@")
    local -a list
    mapfile -t list <<<"$names"
    for name in "${list[@]}"; do
        [[ -n $name ]] || continue
        _quantaro_convert_fold "$name"
        [[ $REPLY == "$folded"* ]] || continue
        # Spelled with the degree sign the user typed.
        [[ $typed == *°* ]] && name=${name//º/°}
        if [[ $quote == "'" ]]; then
            name=${name:${#before}}
            name=${name//\'/\'\\\'\'}
        elif [[ $quote == '"' ]]; then
            name=${name:${#before}}
            name=${name//\\/\\\\}
            name=${name//\"/\\\"}
            name=${name//\$/\\\$}
            name=${name//\`/\\\`}
        else
            name=${name//\\/\\\\}
            for c in ' ' $'\t' "'" '"' '(' ')' '<' '>' '&' ';' '|' '$' '`' '!' '*' '?' '[' ']' '{' '}' '~' '#'; do
                name=${name//"$c"/\\"$c"}
            done
        fi
        COMPREPLY+=("$name")
    done
}

_quantaro_convert()
{
    local cword=$COMP_CWORD word=${COMP_WORDS[COMP_CWORD]} i
    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()

    # After "--" every argument is a TEXT, a number.
    for ((i = 1; i < cword; i++)); do
        [[ ${COMP_WORDS[i]} == -- ]] && return 0
    done

    # "=" breaks words: "--from=kilo" comes as "--from", "=", "kilo".
    if [[ $word == = && ( $prev == --from || $prev == --to || $prev == --fraction ) ]]; then
        word=
    elif [[ $prev == = && cword -ge 2 ]]; then
        prev=${COMP_WORDS[cword - 2]}
    fi

    # The units given before the word: "--from VALUE" and "--to VALUE".
    local -a given=()
    local value
    for ((i = 1; i < cword - 1; i++)); do
        case ${COMP_WORDS[i]} in
            --from | --to)
                value=${COMP_WORDS[i + 1]}
                if [[ $value == = ]]; then
                    ((i + 2 < cword)) || continue
                    value=${COMP_WORDS[i + 2]}
                fi
                local REPLY _quantaro_convert_quote _quantaro_convert_before
                _quantaro_convert_dequote "$value"
                given+=("${COMP_WORDS[i]}" "$REPLY")
                ;;
        esac
    done

    case $prev in
        --from | --to)
            _quantaro_convert_units "$1" "$word" "${given[@]}"
            ;;
        --fraction)
            # The denominators of the Mixed form's last part.
            COMPREPLY=($(compgen -W '2 4 8 16 32 64' -- "$word"))
            ;;
        *)
            # A query: without --from and --to, the words after a first TEXT
            # that begins with a number name units.
            local first= units=yes
            local -a words=()
            for ((i = 1; i < cword; i++)); do
                case ${COMP_WORDS[i]} in
                    --from | --to) units= ;;
                    --fraction) ((i++)) ;; # its N is no TEXT
                    -[0-9]* | -.[0-9]* | [!-]*)
                        [[ -n $first ]] || first=${COMP_WORDS[i]}
                        words+=("${COMP_WORDS[i]}")
                        ;;
                esac
            done
            if [[ -n $units && $first =~ ^[+-]?([0-9]|\.[0-9]) && $word != -* ]]; then
                _quantaro_convert_units "$1" "$word" -- "${words[@]}"
            elif [[ -z $word || $word == -* ]]; then
                local IFS=$'\n'
                COMPREPLY=($(compgen -W "$(_quantaro_convert_ask "$1" --option-names)" -- "$word"))
            fi
            ;;
    esac
    return 0
}

complete -F _quantaro_convert quantaro-convert
