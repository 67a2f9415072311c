#!/usr/bin/env bash
# Installs what is missing, builds Keyferry and starts it. Needs an X11 display.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh app
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKEYFERRY_BUILD_TESTS=OFF >/dev/null
cmake --build build --target keyferry
exec build/src/keyferry "$@"
