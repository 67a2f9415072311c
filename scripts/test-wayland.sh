#!/usr/bin/env bash
# Runs a command inside a private headless Wayland desktop: a compositor without screens, a
# D-Bus session bus with the accessibility bus on. Everything it started is ended afterwards,
# by pid; nothing else is touched.
#
# Compositors refuse to run as root, so as root the compositor, the command and everything
# the command starts run as an unprivileged user: KEYFERRY_TEST_USER, by default "nobody".
# The command and its files must be readable by that user.
#
# Usage: scripts/test-wayland.sh sway COMMAND [ARGS...]
set -euo pipefail

if [[ $# -lt 2 || "$1" != sway ]]; then
    echo "usage: $0 sway COMMAND [ARGS...]" >&2
    exit 2
fi
shift

scratch=$(mktemp -d -t keyferry-wayland-XXXXXX)
chmod 755 "$scratch"
mkdir -p "$scratch/home" "$scratch/runtime" "$scratch/config" "$scratch/cache"
chmod 700 "$scratch/runtime"
granted=()
cleanup() {
    local folder
    for folder in "${granted[@]}"; do
        setfacl -x "u:$uid" "$folder" 2>/dev/null || true
    done
    rm -rf "$scratch"
}
trap cleanup EXIT

# The checkout may lie below a folder only root may enter (a clone in /root): let the test
# user pass through each such folder for this session alone, and take it back at the end.
let_user_through() {
    local path folder=""
    path=$(realpath -m "$1")
    IFS=/ read -ra parts <<<"${path#/}"
    for part in "${parts[@]}"; do
        folder="$folder/$part"
        [[ -d "$folder" ]] || break
        if ! "${as_user[@]}" test -x "$folder"; then
            setfacl -m "u:$uid:x" "$folder" && granted+=("$folder")
        fi
    done
}

as_user=()
if [[ $(id -u) -eq 0 ]]; then
    user=${KEYFERRY_TEST_USER:-nobody}
    uid=$(id -u "$user")
    gid=$(id -g "$user")
    as_user=(setpriv "--reuid=$uid" "--regid=$gid" --clear-groups)
    chown -R "$uid:$gid" "$scratch"
    let_user_through "$(dirname "$0")/.."
    [[ "$1" == */* ]] && let_user_through "$(dirname "$1")"
fi

cat >"$scratch/sway.config" <<'CONFIG'
output HEADLESS-1 resolution 1280x800 position 0 0
xwayland disable
focus_follows_mouse no
CONFIG

cat >"$scratch/inner.sh" <<'INNER'
#!/usr/bin/env bash
set -uo pipefail
scratch=$KEYFERRY_SCRATCH

WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$scratch/sway.config" >"$scratch/sway.log" 2>&1 &
sway_pid=$!
stop_sway() {
    kill "$sway_pid" 2>/dev/null
    wait "$sway_pid" 2>/dev/null
}
socket=""
for _ in $(seq 1 200); do
    socket=$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -name "sway-ipc.*.$sway_pid.sock" -print -quit)
    display=$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -name 'wayland-*' ! -name '*.lock' -print -quit)
    if [[ -n "$socket" && -n "$display" ]] && SWAYSOCK="$socket" swaymsg -t get_version \
        >/dev/null 2>&1; then
        break
    fi
    socket=""
    if ! kill -0 "$sway_pid" 2>/dev/null; then
        break
    fi
    sleep 0.05
done
if [[ -z "$socket" ]]; then
    echo "sway did not start:" >&2
    cat "$scratch/sway.log" >&2
    stop_sway
    exit 1
fi
export SWAYSOCK="$socket" WAYLAND_DISPLAY=$(basename "$display")

# Assistive technologies on before any toolkit starts, so every application exposes itself.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
    variant:boolean:true >/dev/null 2>&1 || true
"$@"
status=$?
stop_sway
exit $status
INNER
chmod 755 "$scratch/inner.sh"

# A session of its own: home, runtime, configuration and cache folders in the scratch folder,
# so dconf, the accessibility switch and the compositor's sockets stay private.
"${as_user[@]}" env -u DISPLAY -u WAYLAND_DISPLAY -u SWAYSOCK KEYFERRY_SCRATCH="$scratch" \
    HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime" XDG_CONFIG_HOME="$scratch/config" \
    XDG_CACHE_HOME="$scratch/cache" XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=sway \
    dbus-run-session -- "$scratch/inner.sh" "$@"
