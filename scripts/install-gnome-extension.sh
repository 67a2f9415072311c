#!/usr/bin/env bash
# Installs Keyferry's GNOME Shell extension into the user's extensions folder, unless the same is
# installed system-wide, and turns it on.
# On GNOME with Wayland the shell loads new extensions only at the next login.
set -euo pipefail
cd "$(dirname "$0")/.."

uuid=keyferry@keyferry.org
# Without GNOME Shell there is nothing to install.
shell_major=$(scripts/gnome-extension.sh --running-major) || exit 0
target="${XDG_DATA_HOME:-$HOME/.local/share}/gnome-shell/extensions/$uuid"
# Written for the running shell's version: 45 and later take another form than 43 and 44.
written=$(mktemp -d)
trap 'rm -rf "$written"' EXIT
scripts/gnome-extension.sh src/platform/wayland/gnome/shell-extension "$shell_major" "$written"
# The Debian package installs the extension for all users; when that copy is this one, turning
# it on is enough, and a copy of one's own would hide the package's later updates.
if diff -rq "$written" "/usr/share/gnome-shell/extensions/$uuid" >/dev/null 2>&1; then
    [[ -d "$target" ]] && diff -rq "$written" "$target" >/dev/null && rm -rf "$target"
else
    mkdir -p "$target"
    rm -f "$target"/*
    cp "$written"/* "$target/"
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
