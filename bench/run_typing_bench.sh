#!/usr/bin/env bash
# Typing benchmark: Keyferry against xdotool, each case on a fresh test desktop.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target typing_bench >/dev/null
printf "%-10s %-11s %5s %12s %16s\n" tool text delay "ms per char" "wrong or dropped"
for text in ascii mixed; do
    for delay in 0 12; do
        for tool in keyferry xdotool; do
            scripts/test-desktop.sh build/bench/typing_bench "$tool" "$text" "$delay" 2>/dev/null |
                grep -E '^(keyferry|xdotool) '
        done
    done
done
