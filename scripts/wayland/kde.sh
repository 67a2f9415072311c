#!/usr/bin/env bash
# KWin headless (virtual backend) with the desktop portal and its KDE backend, then the
# command (see scripts/test-wayland.sh).
set -uo pipefail
scratch=$KEYFERRY_SCRATCH
source "$(dirname "$0")/lib.sh"

started=()
end_started() {
    local index
    for ((index = ${#started[@]} - 1; index >= 0; index--)); do
        end_process "${started[index]}"
    done
}
fail() {
    echo "$1" >&2
    [[ -n "${2:-}" && -f "$2" ]] && cat "$2" >&2
    end_started
    exit 1
}
# Waits until a name is owned on the session bus, while the process that should own it lives.
wait_for_name() {
    local name=$1 pid=$2
    for _ in $(seq 1 200); do
        if dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner "string:$name" 2>/dev/null | grep -q 'boolean true'; then
            return 0
        fi
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.05
    done
    return 1
}

# The installed binary carries a file capability (CAP_SYS_RESOURCE, for real-time
# scheduling) that an unprivileged user in a sandbox may not exec; a plain copy runs.
cp /usr/bin/kwin_wayland "$scratch/kwin_wayland"
chmod 755 "$scratch/kwin_wayland"

enable_accessibility
socket=wayland-keyferry
# KWin 6 logs what scripts print only with its scripting category on.
QT_LOGGING_RULES="kwin_scripting.debug=true${QT_LOGGING_RULES:+;$QT_LOGGING_RULES}" \
    "$scratch/kwin_wayland" --virtual --no-lockscreen --width 1280 --height 800 --socket "$socket" \
    >"$scratch/kwin.log" 2>&1 &
started+=($!)
kwin_pid=$!
# KWin claims its bus name once scripting and the rest of its D-Bus interface are there.
if ! wait_for_name org.kde.KWin "$kwin_pid" || [[ ! -S "$XDG_RUNTIME_DIR/$socket" ]]; then
    fail "KWin did not start:" "$scratch/kwin.log"
fi
# What KWin scripts print goes to its log: the tests read their own scripts' answers there.
export WAYLAND_DISPLAY=$socket KEYFERRY_KWIN_LOG="$scratch/kwin.log"

# The portal's KDE backend is a Qt application that must find a display: Qt 5's Wayland
# plugin (qtwayland5) on Debian 12, Qt 6's (qt6-wayland) on Debian 13.
QT_QPA_PLATFORM=wayland /usr/lib/x86_64-linux-gnu/libexec/xdg-desktop-portal-kde \
    >"$scratch/portal-kde.log" 2>&1 &
started+=($!)
if ! wait_for_name org.freedesktop.impl.portal.desktop.kde $!; then
    fail "xdg-desktop-portal-kde did not start:" "$scratch/portal-kde.log"
fi
/usr/libexec/xdg-desktop-portal >"$scratch/portal.log" 2>&1 &
started+=($!)
if ! wait_for_name org.freedesktop.portal.Desktop $!; then
    fail "xdg-desktop-portal did not start:" "$scratch/portal.log"
fi

"$@"
status=$?
end_started
exit $status
