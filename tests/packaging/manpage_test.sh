#!/usr/bin/env bash
# The manual page against the program's own help: every command `keyferry --help` lists has a
# section, every option of the program and of each command is in the page, and the page names
# no option the help does not know, so the two cannot drift apart.
# Usage: manpage_test.sh KEYFERRY MANUAL_PAGE
set -euo pipefail
program=$1 page=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Long options from a help text's option lines: the names column, before the description.
options_of() {
    grep -E '^ +-' | sed -E 's/^ +//; s/ {2,}.*//' | grep -oE -- '--[a-z][a-z0-9-]*' || true
}

main_help=$("$program" --help)
# Commands: the lines below "Subcommands:", a name then its description.
commands=$(sed -n '/^SUBCOMMANDS:\|^Subcommands:/,/^$/p' <<<"$main_help" | sed -nE 's/^ +([a-z][a-z-]*) .*/\1/p')
[[ -n $commands ]] || fail "no commands found in keyferry --help"

help_options=$(options_of <<<"$main_help")
for command in $commands; do
    grep -qE "^\.SS $command( |$)" "$page" || fail "command $command has no section"
    command_help=$("$program" "$command" --help)
    command_options=$(options_of <<<"$command_help")
    # Each has --help at least: none found means the help's layout was not understood.
    [[ -n $command_options ]] || fail "no options found in keyferry $command --help"
    for option in $command_options; do
        help_options+=$'\n'"$option"
        # In the page's source a hyphen is written \-.
        grep -qF -- "${option//-/\\-}" "$page" || fail "$command's option $option is not in the page"
    done
done
for option in $(options_of <<<"$main_help"); do
    grep -qF -- "${option//-/\\-}" "$page" || fail "option $option is not in the page"
done

# And the other way: each option the page names is one the help knows.
page_options=$(grep -oE -- '\\-\\-[a-z][a-z0-9]*(\\-[a-z0-9]+)*' "$page" | sed 's/\\-/-/g' | sort -u)
for option in $page_options; do
    grep -qxF -- "$option" <<<"$help_options" || fail "the page names $option, which keyferry does not know"
done
for section in NAME SYNOPSIS DESCRIPTION COMMANDS OPTIONS "EXIT STATUS" ENVIRONMENT FILES EXAMPLES; do
    grep -qx "\.SH \"\?$section\"\?" "$page" || fail "no $section section"
done
echo "$(wc -w <<<"$commands") commands, $(sort -u <<<"$help_options" | wc -l) options checked"
exit $((failures > 0))
