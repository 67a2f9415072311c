#!/usr/bin/env bash
# The AppStream metainfo against the project: its newest release is the version CMake builds,
# its screenshots are files of docs/screenshots and its launchable is the desktop entry
# installed. (The validators themselves run in CI.)
# Usage: metainfo_test.sh METAINFO VERSION SOURCE_FOLDER
set -euo pipefail
metainfo=$1 version=$2 source=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

newest=$(grep -oE '<release version="[^"]+"' "$metainfo" | head -n 1 | sed -E 's/.*"(.*)"/\1/')
[[ $newest == "$version" ]] || fail "the newest release is '$newest', the project's version $version"

shots=$(grep -oE '<image>[^<]+</image>' "$metainfo" | sed -E 's#.*/docs/screenshots/([^<]+)</image>#\1#')
[[ -n $shots ]] || fail "no screenshots"
for shot in $shots; do
    [[ -f $source/docs/screenshots/$shot ]] || fail "screenshot $shot is not in docs/screenshots"
done
grep -q '<screenshot type="default">' "$metainfo" || fail "no default screenshot"

desktop=$(sed -nE 's#.*<launchable type="desktop-id">([^<]+)</launchable>.*#\1#p' "$metainfo")
[[ -f $source/src/ui/resources/$desktop ]] || fail "the launchable $desktop is not the desktop entry"
echo "release $newest, $(wc -w <<<"$shots") screenshots, launchable $desktop"
exit $((failures > 0))
