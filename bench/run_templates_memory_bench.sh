#!/usr/bin/env bash
# Peak memory of `keyferry templates` on a generated templates file of about 52 MB (2,000
# templates of 200 text steps), against the file's size.
# Usage: bench/run_templates_memory_bench.sh [BUILD_DIR]   (default build)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
work=${BENCH_DIR:-build/bench-data}
store="$work/large-templates/Keyferry"
mkdir -p "$store"
[[ -x /usr/bin/time ]] || scripts/install-deps.sh test
[[ -x /usr/bin/time ]] || { echo "GNU time (package time) is needed" >&2; exit 1; }

if [[ ! -f "$store/templates.json" ]]; then
    python3 - "$store/templates.json" <<'PY'
import json, sys, uuid
settings = {"countdownSeconds": 5, "defaultPostDelay": 0.3, "interCharDelay": 0.02}
templates, n = [], 0
for t in range(2000):
    steps = []
    for _ in range(200):
        n += 1
        steps.append({"id": str(uuid.UUID(int=n)).upper(), "type": "textInput",
                      "label": "Field %d" % n, "postDelay": 0.3, "repeatCount": 1})
    templates.append({"id": str(uuid.UUID(int=10**9 + t)).upper(), "schemaVersion": 2,
                      "name": "T%d" % t, "targetAppBundleID": "Yad", "steps": steps,
                      "settings": settings})
with open(sys.argv[1], "w") as out:
    json.dump(templates, out)
PY
fi
cmake --build "$build" --target keyferry >/dev/null

size=$(stat -c %s "$store/templates.json")
report=$(mktemp)
XDG_DATA_HOME="$(realpath "$work/large-templates")" /usr/bin/time -v -o "$report" \
    "$build/src/keyferry" templates >/dev/null
rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$report")
rm -f "$report"
awk -v size="$size" -v rss="$rss" \
    'BEGIN { printf "templates.json %d bytes, peak RSS %d kB, ratio %.2f\n", size, rss, rss * 1024 / size }'
