#!/usr/bin/env bash
# The bash completion, sourced as bash-completion would, asked what it offers for a few
# command lines; template names come from `keyferry templates` over a templates file made here.
# Usage: completion_test.sh KEYFERRY COMPLETION_SCRIPT
set -uo pipefail
program=$1 script=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/data/Keyferry"
cat >"$work/data/Keyferry/templates.json" <<'JSON'
[{"id":"6F9619FF-8B86-4011-B42D-00C04FC964FF","schemaVersion":2,"name":"Orders","steps":[],"settings":{"countdownSeconds":5,"defaultPostDelay":0.3,"interCharDelay":0.02}},
 {"id":"7F9619FF-8B86-4011-B42D-00C04FC964FF","schemaVersion":2,"name":"Order returns","steps":[],"settings":{"countdownSeconds":5,"defaultPostDelay":0.3,"interCharDelay":0.02}},
 {"id":"8F9619FF-8B86-4011-B42D-00C04FC964FF","schemaVersion":2,"name":"Invoices","steps":[],"settings":{"countdownSeconds":5,"defaultPostDelay":0.3,"interCharDelay":0.02}}]
JSON
export XDG_DATA_HOME=$work/data
touch "$work/orders.csv" "$work/orders.ods" "$work/notes.txt"
# shellcheck source=/dev/null
source "$script"
[[ $(complete -p keyferry) == *"-F _keyferry"* ]] || { echo "FAIL: no completion for keyferry"; exit 1; }

failures=0
# expect OFFERED WORD...: completing the last WORD (as bash hands it over, quotes and
# backslashes kept; "" for a new word) offers OFFERED, the words as bash inserts them
# separated by |.
expect() {
    local wanted=$1
    shift
    COMP_WORDS=("$program" "${@:2}")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _keyferry
    local got
    got=$( ((${#COMPREPLY[@]})) && printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd'|')
    wanted=$(tr '|' '\n' <<<"$wanted" | sed '/^$/d' | sort | paste -sd'|')
    if [[ $got != "$wanted" ]]; then
        echo "FAIL: '$*' offered '$got', not '$wanted'"
        failures=$((failures + 1))
    fi
}
expect "templates|csv|run|runs|header|record|desktop" keyferry ""
expect "run|runs" keyferry ru
expect "--help|--version" keyferry -
expect "--template|--csv|--separator|--sheet|--from|--limit|--rows|--retry|--help" keyferry run --
expect "--rows" keyferry csv --r
expect 'Orders|Order\ returns|Invoices' keyferry header --template ""
expect 'Orders|Order\ returns' keyferry run --template Ord
expect "Invoices" keyferry runs --template In
expect 'Order\ returns' keyferry record --template 'Order\ r'
expect 'Order\ returns' keyferry header --template "'Order r"
expect "Invoices" keyferry --version run --template Inv
expect "comma" keyferry csv --separator c
expect "$work/orders.csv|$work/orders.ods" keyferry run --template Orders --csv "$work/orders."
expect "$work/notes.txt" keyferry csv "$work/n"
expect "" keyferry run --limit ""
expect "--help" keyferry desktop ""
echo "$failures failed"
exit $((failures > 0))
