#!/usr/bin/env bash
# Workbook import benchmark: a generated ~100 MB .xlsx read by Keyferry's import, and
# converted to CSV by LibreOffice Calc (headless, a profile of its own), in one run: wall
# time and peak memory of each, and both tables' row counts.
# Usage: bench/run_workbook_bench.sh [BYTES]   (default 100e6)
set -euo pipefail
cd "$(dirname "$0")/.."

bytes=${1:-100e6}
work=${BENCH_DIR:-build/bench-data}
build=${BENCH_BUILD:-build-bench}
mkdir -p "$work"
[[ -x /usr/bin/time ]] || { echo "GNU time (package time) is needed" >&2; exit 1; }
command -v soffice >/dev/null || { echo "soffice (LibreOffice Calc) is needed" >&2; exit 1; }

data="$work/workbook-$bytes.xlsx"
[[ -f "$data" ]] || python3 bench/gen_xlsx.py "$data" "$bytes" --seed 7
# The core alone, optimized: the bench needs no desktop.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKEYFERRY_BUILD_APP=OFF \
    -DKEYFERRY_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target workbook_import_bench >/dev/null

echo "file: $data ($(stat -c %s "$data") bytes)"
report=$(mktemp)
for run in 1 2; do
    /usr/bin/time -v -o "$report" "$build/bench/workbook_import_bench" "$data"
    awk -F': ' '/Elapsed \(wall clock\)/ {w=$2} /Maximum resident set size/ {m=$2}
        END {printf "  (process: wall %s, max RSS %.1f MB)\n", w, m / 1000}' "$report"
done

out=$(mktemp -d)
profile=$(mktemp -d)
/usr/bin/time -v -o "$report" soffice -env:UserInstallation="file://$profile" --headless \
    --convert-to 'csv:Text - txt - csv (StarCalc):59,34,76,1,,0,false,true,true' \
    --outdir "$out" "$data" >/dev/null 2>&1
awk -F': ' '/Elapsed \(wall clock\)/ {w=$2} /Maximum resident set size/ {m=$2}
    END {printf "libreoffice to csv  wall %s  peak %.1f MB (largest process)\n", w, m / 1000}' \
    "$report"
csv="$out/$(basename "${data%.xlsx}").csv"
# Lines, not rows: a field may hold a line break (the generated ones do not).
echo "libreoffice csv: $(($(wc -l <"$csv") - 1)) rows after the header, $(stat -c %s "$csv") bytes"
rm -rf "$out" "$profile" "$report"
