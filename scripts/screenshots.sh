#!/usr/bin/env bash
# Saves pictures of Keyferry's window in the states worth seeing, drawn on the private test
# desktop: scripts/screenshots.sh [FOLDER]   (default docs/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
folder=$(realpath -m "${1:-docs/screenshots}")
cmake --build build --target ui_screenshots >/dev/null
scripts/test-desktop.sh build/tests/ui_screenshots "$folder"
