#!/usr/bin/env bash
# Builds Keyferry with its tests on Debian 13 (its compiler, Qt and desktops) and runs the
# end-to-end suites there: the X11 ones on the private test desktop, the Wayland ones on sway,
# GNOME Shell and KWin. The Debian 13 root is scripts/debian13-root.sh's; run this as root.
#
# Usage: scripts/test-debian13.sh [CTEST_REGEX]
#   CTEST_REGEX picks the suites (default: every end-to-end suite, '^e2e').
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ "${1:-}" != --in-root ]]; then
    exec scripts/debian13-root.sh scripts/test-debian13.sh --in-root "${1:-^e2e}"
fi

# Inside the root, as its unprivileged user, in a copy of the checkout.
suites=$2
build=build-debian13
started=$SECONDS
source scripts/lib/release.sh
echo "-- on Debian $debian_release: $(g++ --version | head -n 1)"
source scripts/lib/compiler-cache.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKEYFERRY_BUILD_TESTS=ON \
    -DKEYFERRY_BUILD_BENCH=OFF -DKEYFERRY_WERROR=ON "${compiler_cache[@]}" >/dev/null
# Only the programs the chosen suites run (they name what they start besides): the unit tests
# ran on Debian 12, and building them here would cost a third of the time.
mapfile -t targets < <(ctest --test-dir "$build" -R "$suites" --show-only=json-v1 |
    python3 -c '
import json, os, sys
build = os.path.realpath(sys.argv[1])
for test in json.load(sys.stdin)["tests"]:
    for word in test.get("command", []):
        if os.path.isabs(word) and os.path.realpath(word).startswith(build + os.sep):
            print(os.path.basename(word))' "$build" | sort -u)
if [[ ${#targets[@]} -eq 0 ]]; then
    echo "no suite matches $suites" >&2
    exit 1
fi
ccache --zero-stats >/dev/null
cmake --build "$build" --target "${targets[@]}"
echo "-- built in $((SECONDS - started)) s; compiler cache: $(ccache --print-stats |
    awk -F'\t' '$1 == "direct_cache_hit" || $1 == "preprocessed_cache_hit" { hits += $2 }
                $1 == "cache_miss" { misses = $2 }
                END { print hits + 0 " hits, " misses + 0 " misses" }')"
tested=$SECONDS
status=0
ctest --test-dir "$build" --output-on-failure --timeout 900 -R "$suites" || status=$?
echo "-- suites ran in $((SECONDS - tested)) s"
# A suite that runs again after a failure (e2e_web) shows nothing of its first run when the
# second passes: the root and its logs go at the end, so its first failures are printed here.
awk '/^[0-9]+\/[0-9]+ Testing: / { name = $3; failures = "" }
     /^\[  FAILED  \] .* \([0-9]+ ms\)$/ { failures = failures "\n     " $0 }
     /^[a-z0-9_]+ FAILED ONCE, run again:$/ {
         print "-- " name " failed once, then ran again:" failures; failures = "" }' \
    "$build/Testing/Temporary/LastTest.log" 2>/dev/null || true
exit "$status"
