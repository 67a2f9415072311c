#!/usr/bin/env bash
# Start-up time: from start to the first painted window, Keyferry's main window against a bare
# Qt window, alternating, on the private test desktop (scripts/test-desktop.sh).
# Usage: bench/run_startup_bench.sh [RUNS]   (default 10)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target keyferry startup_bench >/dev/null
scripts/test-desktop.sh "$PWD/build/bench/startup_bench" "$PWD/build/src/keyferry" "${1:-10}"
