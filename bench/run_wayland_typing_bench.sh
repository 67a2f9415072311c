#!/usr/bin/env bash
# Typing benchmark on a headless sway: Keyferry against wtype into a native GTK entry, each
# case on a fresh sway (scripts/test-wayland.sh); then Keyferry on a headless GNOME Shell, each
# route of the desktop portal. KEYFERRY_BUILD_DIR names a configured build other than build/.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${KEYFERRY_BUILD_DIR:-build}
cmake --build "$build" --target wayland_typing_bench >/dev/null
printf "%-10s %-11s %12s %16s\n" tool text "ms per char" "wrong or dropped"
for text in ascii mixed; do
    for tool in keyferry wtype; do
        scripts/test-wayland.sh sway "$build/bench/wayland_typing_bench" "$PWD/tests/e2e/gtk_form.py" \
            "$tool" "$text" 2>/dev/null | grep -E '^(keyferry|wtype) ' ||
            echo "$tool $text: no measurement"
    done
done
# GNOME: through the desktop portal, whose question a script answers; on GNOME 45 and later
# through libei and, chosen, through keysyms (43 has only keysyms); each line names the route
# the keys took. Mixed text pastes the characters the layout lacks where the portal has a
# clipboard (45 on).
for route in libei keysyms; do
    for text in ascii mixed; do
        KEYFERRY_PORTAL_INPUT=$route scripts/test-wayland.sh gnome sh -c "
            python3 '$PWD/tests/e2e/portal_consent.py' allow 60 &
            exec '$PWD/$build/bench/wayland_typing_bench' '$PWD/tests/e2e/gtk_form.py' keyferry $text" \
            2>/dev/null | sed -n "s/^keyferry /GNOME: keyferry /p" ||
            echo "GNOME, $route, $text: no measurement"
    done
done
