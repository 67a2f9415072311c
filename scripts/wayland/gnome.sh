#!/usr/bin/env bash
# GNOME Shell headless with Keyferry's shell extension, the desktop portal and its GNOME
# backend, then the command (see scripts/test-wayland.sh).
#
# KEYFERRY_GNOME_EXTENSION=off leaves Keyferry's extension out, as on a desktop where the user
# has not turned it on.
set -uo pipefail
scratch=$KEYFERRY_SCRATCH
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
started=()
end_all() {
    local index
    for ((index = ${#started[@]} - 1; index >= 0; index--)); do
        end_process "${started[index]}"
    done
}
fail() {
    echo "$1" >&2
    [[ -f "$2" ]] && tail -n 40 "$2" >&2
    end_all
    exit 1
}
# Waits up to 20 s for a name on the session bus.
wait_for_name() {
    for _ in $(seq 1 400); do
        if gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
            --method org.freedesktop.DBus.NameHasOwner "$1" 2>/dev/null | grep -q true; then
            return 0
        fi
        kill -0 "$2" 2>/dev/null || return 1
        sleep 0.05
    done
    return 1
}

# The shell wants a system bus; a private bus stands in for it.
system_bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1) ||
    fail "the stand-in system bus did not start"
system_bus_pid=$(sed -n 2p <<<"$system_bus")
started+=("$system_bus_pid")
export DBUS_SYSTEM_BUS_ADDRESS=$(sed -n 1p <<<"$system_bus")

extensions="$HOME/.local/share/gnome-shell/extensions"
write_extension="$here/../gnome-extension.sh"
shell_major=$("$write_extension" --running-major) || fail "no GNOME Shell version found"
enabled="'keyferry-test-desktop@keyferry.org'"
"$write_extension" "$here/../../tests/e2e/gnome/test-desktop" "$shell_major" \
    "$extensions/keyferry-test-desktop@keyferry.org" || fail "the test desktop's extension was not written"
if [[ "${KEYFERRY_GNOME_EXTENSION:-on}" != off ]]; then
    "$write_extension" "$here/../../src/platform/wayland/gnome/shell-extension" "$shell_major" \
        "$extensions/keyferry@keyferry.org" || fail "Keyferry's extension was not written"
    enabled="$enabled, 'keyferry@keyferry.org'"
fi
gsettings set org.gnome.shell disable-user-extensions false
gsettings set org.gnome.shell enabled-extensions "[$enabled]"
gsettings set org.gnome.desktop.interface toolkit-accessibility true
# No welcome tour over the test's windows.
gsettings set org.gnome.shell welcome-dialog-last-shown-version '999'
enable_accessibility

display=keyferry-gnome
gnome-shell --headless --wayland --no-x11 --virtual-monitor 1280x800 \
    --wayland-display="$display" >"$scratch/gnome-shell.log" 2>&1 &
shell_pid=$!
started+=("$shell_pid")
wait_for_name org.gnome.Shell "$shell_pid" || fail "GNOME Shell did not start:" "$scratch/gnome-shell.log"
# Up once the overview (where the shell starts) has been left.
for _ in $(seq 1 400); do
    gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
        --method org.freedesktop.DBus.Properties.Get org.gnome.Shell OverviewActive \
        2>/dev/null | grep -q false && break
    sleep 0.05
done
if [[ "${KEYFERRY_GNOME_EXTENSION:-on}" != off ]]; then
    wait_for_name org.keyferry.Shell "$shell_pid" ||
        fail "Keyferry's shell extension did not start:" "$scratch/gnome-shell.log"
fi
export WAYLAND_DISPLAY=$display
# Services the bus starts on demand reach the shell too.
dbus-update-activation-environment WAYLAND_DISPLAY XDG_CURRENT_DESKTOP XDG_SESSION_TYPE \
    DBUS_SYSTEM_BUS_ADDRESS 2>/dev/null || true
# The portal takes its backends from this folder: only GNOME's, so that it starts no other
# desktop's backend (KDE's would abort on GNOME).
mkdir -p "$scratch/portals"
cp /usr/share/xdg-desktop-portal/portals/gnome.portal "$scratch/portals/"
export XDG_DESKTOP_PORTAL_DIR="$scratch/portals"

/usr/libexec/xdg-desktop-portal-gnome >"$scratch/portal-gnome.log" 2>&1 &
started+=($!)
wait_for_name org.freedesktop.impl.portal.desktop.gnome $! ||
    fail "the GNOME portal backend did not start:" "$scratch/portal-gnome.log"
/usr/libexec/xdg-desktop-portal -r >"$scratch/portal.log" 2>&1 &
started+=($!)
wait_for_name org.freedesktop.portal.Desktop $! ||
    fail "the desktop portal did not start:" "$scratch/portal.log"

"$@"
status=$?
end_all
exit $status
