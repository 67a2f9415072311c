#!/usr/bin/env bash
# Installs what is missing, builds Keyferry and starts it. Needs a desktop session: X11, or
# Wayland (sway, GNOME or KDE Plasma).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh app
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKEYFERRY_BUILD_TESTS=OFF >/dev/null
cmake --build build --target keyferry
# On GNOME the shell extension gives Keyferry the windows and its stop shortcut.
scripts/install-gnome-extension.sh
exec build/src/keyferry "$@"
