#!/usr/bin/env bash
# Installs the Debian packages Keyferry needs to build, run and test; only missing ones. Knows
# Debian 12 (bookworm) and Debian 13 (trixie), whose names differ in a few places.
# Usage: scripts/install-deps.sh [app|test|package|ci]   (default: test)
set -euo pipefail
source "$(dirname "$0")/lib/release.sh"

purpose=${1:-test}
packages=(cmake ninja-build g++ pkgconf qt6-base-dev libgl-dev nlohmann-json3-dev libcli11-dev
          libicu-dev libssl-dev libx11-dev libxtst-dev libxi-dev libatspi2.0-dev at-spi2-core
          libqt6svg6 fonts-dejavu-core libwayland-dev libwayland-bin libxkbcommon-dev
          libzip-dev libexpat1-dev qt6-l10n-tools qt6-tools-dev qt6-translations-l10n)
# The test desktop and the real applications the end-to-end tests drive.
test_desktop=(libgtest-dev libgmock-dev xvfb xauth openbox dbus dbus-x11 x11-utils
              x11-xserver-utils xterm yad zenity xdotool xclip
              chromium firefox-esr python3 x11-xkb-utils
              libreoffice-calc libreoffice-gtk3 python3-uno python3-gi gir1.2-gtk-3.0
              gir1.2-gtk-4.0 gir1.2-vte-2.91 gir1.2-atspi-2.0
              sway qt6-wayland wayland-protocols wtype acl
              gnome-shell mutter xdg-desktop-portal xdg-desktop-portal-gnome python3-pyatspi
              libglib2.0-bin dbus-bin kwin-wayland xdg-desktop-portal-kde)
case "$debian_release" in
    # Debian 12's KDE portal backend is a Qt 5 program and needs Qt 5's Wayland plugin.
    bookworm) test_desktop+=(qtwayland5) ;;
    # Debian 13's kwin-wayland no longer pulls in KWin's plugins; libei (and libeis, the
    # server side a test can stand in with) is how GNOME 48 and KWin 6 take input.
    trixie) test_desktop+=(kwin-common libei-dev libeis-dev) ;;
esac
# CPack's Debian package: dpkg-shlibdeps (dpkg-dev) for the dependencies, file to find binaries.
packaging=(dpkg-dev file)
# CI also checks the desktop metadata and installs the package on a fresh Debian root.
ci_checks=(appstream desktop-file-utils debootstrap)
# The test command rebuilds often, CI in a new checkout each time: a compiler cache.
case "$purpose" in
    app) ;;
    test) packages+=(ccache "${test_desktop[@]}") ;;
    package) packages+=(ccache "${packaging[@]}") ;;
    ci) packages+=(ccache "${test_desktop[@]}" "clang-$clang_version"
                   "libclang-rt-$clang_version-dev" clang-format "${packaging[@]}" "${ci_checks[@]}") ;;
    *) echo "usage: $0 [app|test|package|ci]" >&2; exit 2 ;;
esac

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -ne 0 ]]; then
    echo "Missing packages: ${missing[*]}" >&2
    echo "Run this as root (or with sudo) to install them." >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
