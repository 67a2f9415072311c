#!/usr/bin/env bash
# Peak memory of `keyferry csv` against the size of the file it reads: the 100 MB generated
# benchmark file, and 200 MB of ';' (200 million empty fields) as a header line and as one
# data line under a one-column header. Prints peak RSS, exit status and RSS / file size.
# Usage: bench/run_csv_memory_bench.sh [BUILD_DIR]   (default build)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
work=${BENCH_DIR:-build/bench-data}
mkdir -p "$work"
[[ -x /usr/bin/time ]] || scripts/install-deps.sh test
[[ -x /usr/bin/time ]] || { echo "GNU time (package time) is needed" >&2; exit 1; }

data="$work/data-100e6.csv"
[[ -f "$data" ]] || python3 ../shared/bench/gen_csv.py "$data" 100e6 --seed 7
semicolons="$work/semicolons-200e6.csv"
[[ -f "$semicolons" ]] || head -c 200000000 /dev/zero | tr '\0' ';' >"$semicolons"
underHeader="$work/semicolons-200e6-row.csv"
[[ -f "$underHeader" ]] || { printf 'a\n'; cat "$semicolons"; } >"$underHeader"

cmake --build "$build" --target keyferry >/dev/null

printf '%-28s %12s %12s %5s %7s\n' file bytes peak_rss_kb exit ratio
for file in "$data" "$semicolons" "$underHeader"; do
    size=$(stat -c %s "$file")
    report=$(mktemp)
    status=0
    /usr/bin/time -v -o "$report" "$build/src/keyferry" csv "$file" >/dev/null 2>&1 || status=$?
    rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$report")
    rm -f "$report"
    # /usr/bin/time reports the command's own exit status on its last line of output.
    awk -v name="$(basename "$file")" -v size="$size" -v rss="$rss" -v status="$status" \
        'BEGIN { printf "%-28s %12d %12d %5d %7.2f\n", name, size, rss, status, rss * 1024 / size }'
done
