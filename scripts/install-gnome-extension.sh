#!/usr/bin/env bash
# Installs Keyferry's GNOME Shell extension into the user's extensions folder, unless the same is
# installed system-wide, and turns it on.
# On GNOME with Wayland the shell loads new extensions only at the next login.
set -euo pipefail
cd "$(dirname "$0")/.."

uuid=keyferry@keyferry.org
source=src/platform/wayland/gnome/shell-extension
target="${XDG_DATA_HOME:-$HOME/.local/share}/gnome-shell/extensions/$uuid"
# The Debian package installs the extension for all users; when that copy is this one, turning
# it on is enough, and a copy of one's own would hide the package's later updates.
if diff -rq "$source" "/usr/share/gnome-shell/extensions/$uuid" >/dev/null 2>&1; then
    [[ -d "$target" ]] && diff -rq "$source" "$target" >/dev/null && rm -rf "$target"
else
    mkdir -p "$target"
    cp "$source"/* "$target/"
fi

# Turned on where the shell can be asked; elsewhere the next GNOME login finds it installed.
if command -v gnome-extensions >/dev/null && gnome-extensions list >/dev/null 2>&1; then
    if gnome-extensions enable "$uuid" 2>/dev/null; then
        echo "Keyferry's GNOME Shell extension is on."
    else
        echo "Keyferry's GNOME Shell extension is installed; log out and in again, then turn it on:"
        echo "  gnome-extensions enable $uuid"
    fi
fi
