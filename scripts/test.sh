#!/usr/bin/env bash
# Installs what is missing, builds Keyferry with its tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
source scripts/lib/compiler-cache.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKEYFERRY_BUILD_TESTS=ON \
    "${compiler_cache[@]}" >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure --timeout 600 -j "$(nproc)"
