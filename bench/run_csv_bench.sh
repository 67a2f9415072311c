#!/usr/bin/env bash
# CSV import benchmark: a 100 MB generated file read by Keyferry's import path, by its
# general scalar reader, by Python's csv module and by Debian's libcsv, in one run.
# Usage: bench/run_csv_bench.sh [BYTES]   (default 100e6)
set -euo pipefail
cd "$(dirname "$0")/.."

bytes=${1:-100e6}
work=${BENCH_DIR:-build/bench-data}
mkdir -p "$work"
generator=../shared/bench/gen_csv.py
data="$work/data-$bytes.csv"
[[ -f "$data" ]] || python3 "$generator" "$data" "$bytes" --seed 7

if ! dpkg-query -W -f='${Status}' libcsv-dev 2>/dev/null | grep -q "ok installed"; then
    apt-get install -y -qq libcsv-dev >/dev/null
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target csv_import_bench >/dev/null
cc -O2 -o "$work/peer_libcsv" bench/peer_libcsv.c -lcsv

echo "file: $data ($(stat -c %s "$data") bytes)"
for run in 1 2 3; do build/bench/csv_import_bench "$data"; done
build/bench/csv_import_bench "$data" --scalar
python3 bench/peer_python_csv.py "$data"
"$work/peer_libcsv" "$data"
