#!/usr/bin/env bash
# Builds the Debian package keyferry_VERSION_ARCH.deb into the repository folder, from a
# release build installed under /usr.
# Usage: scripts/package.sh [BUILD_FOLDER]   (default: build-package)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh package
source scripts/lib/compiler-cache.sh
build=${1:-build-package}
# The programs find their guardian and data below the prefix they were built for.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
    -DKEYFERRY_BUILD_TESTS=OFF -DKEYFERRY_BUILD_BENCH=OFF "${compiler_cache[@]}" >/dev/null
cmake --build "$build"
(cd "$build" && cpack -G DEB >/dev/null)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
package="keyferry_${version}_$(dpkg --print-architecture).deb"
rm -f keyferry_*.deb
mv "$build/$package" .
echo "$PWD/$package"
