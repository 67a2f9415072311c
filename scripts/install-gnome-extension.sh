#!/usr/bin/env bash
# Installs Keyferry's GNOME Shell extension into the user's extensions folder and turns it on.
# On GNOME with Wayland the shell loads new extensions only at the next login.
set -euo pipefail
cd "$(dirname "$0")/.."

uuid=keyferry@keyferry.org
target="${XDG_DATA_HOME:-$HOME/.local/share}/gnome-shell/extensions/$uuid"
mkdir -p "$target"
cp src/platform/wayland/gnome/shell-extension/* "$target/"

# Turned on where the shell can be asked; elsewhere the next GNOME login finds it installed.
if command -v gnome-extensions >/dev/null && gnome-extensions list >/dev/null 2>&1; then
    if gnome-extensions enable "$uuid" 2>/dev/null; then
        echo "Keyferry's GNOME Shell extension is on."
    else
        echo "Keyferry's GNOME Shell extension is installed; log out and in again, then turn it on:"
        echo "  gnome-extensions enable $uuid"
    fi
fi
