#!/usr/bin/env bash
# Typing benchmark: Keyferry against xdotool, each case on a fresh test desktop; then what
# happens to keys when another window takes the focus mid-field, and when `keyferry run` is
# killed mid-typing (the counts come from the end-to-end tests that hold a run to it); then
# what reading every typed field back adds, in a GTK form and in Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target typing_bench e2e_trust_tests e2e_guardian_tests keyferry >/dev/null
printf "%-10s %-11s %5s %12s %16s\n" tool text delay "ms per char" "wrong or dropped"
for text in ascii mixed; do
    for delay in 0 12; do
        for tool in keyferry xdotool; do
            scripts/test-desktop.sh build/bench/typing_bench "$tool" "$text" "$delay" 2>/dev/null |
                grep -E '^(keyferry|xdotool) '
        done
    done
done

echo
echo "Focus taken by another window at a random moment mid-field (20 tries per case):"
scripts/test-desktop.sh build/tests/e2e_trust_tests --gtest_filter='*FocusTheft*' 2>/dev/null |
    grep -E '^\[ [A-Za-z]+ \]' || true
echo
echo "keyferry run killed with SIGKILL at random moments mid-typing:"
scripts/test-desktop.sh build/tests/e2e_guardian_tests --gtest_filter='*KeyferryRun*' 2>/dev/null |
    grep -E 'killed' || true

echo
echo "Read-back of typed fields: the same 20 rows with verifyTypedText off and on (median of 3):"
printf "%-9s %6s %9s %9s %14s %7s %s\n" target fields "off (s)" "on (s)" "ms per field" \
    "spread" "rows verified"
for target in gtk chromium; do
    scripts/test-desktop.sh /usr/bin/python3 bench/readback_bench.py build/src/keyferry "$target" \
        2>/dev/null | grep -E "^$target " || echo "$target: no measurement (see bench/readback_bench.py)"
done
