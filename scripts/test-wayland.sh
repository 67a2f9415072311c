#!/usr/bin/env bash
# Runs a command inside a private headless Wayland desktop: a compositor without screens, a
# D-Bus session bus with the accessibility bus on. Everything it started is ended afterwards,
# by pid; nothing else is touched.
#
# Compositors refuse to run as root, so as root the compositor, the command and everything
# the command starts run as an unprivileged user: KEYFERRY_TEST_USER, by default "nobody".
# The command and its files must be readable by that user.
#
# Each desktop's own start lives in scripts/wayland/DESKTOP.sh: it starts the compositor and
# what the desktop needs, runs the command, and ends what it started.
#
# Usage: scripts/test-wayland.sh sway|gnome|kde COMMAND [ARGS...]
set -euo pipefail

desktops=$(cd "$(dirname "$0")/wayland" && ls *.sh | grep -v '^lib.sh$' | sed 's/\.sh$//' | tr '\n' '|')
if [[ $# -lt 2 || ! -f "$(dirname "$0")/wayland/$1.sh" || "$1" == lib ]]; then
    echo "usage: $0 ${desktops%|} COMMAND [ARGS...]" >&2
    exit 2
fi
desktop=$1
start_desktop=$(realpath "$(dirname "$0")/wayland/$desktop.sh")
shift
case "$desktop" in
gnome) session_name=GNOME ;;
kde) session_name=KDE ;;
*) session_name=$desktop ;;
esac

source "$(dirname "$0")/lib/scratch.sh"
scratch=$(mktemp -d -t keyferry-wayland-XXXXXX)
chmod 755 "$scratch"
mkdir -p "$scratch/home" "$scratch/runtime" "$scratch/config" "$scratch/cache"
chmod 700 "$scratch/runtime"
keep_document_portal_out "$scratch/runtime"
granted=()
# The exit status stays the command's, whatever the teardown meets.
cleanup() {
    local status=$? folder
    set +e
    for folder in "${granted[@]}"; do
        setfacl -x "u:$uid" "$folder" 2>/dev/null
    done
    remove_scratch "$scratch"
    exit "$status"
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


# A session of its own: home, runtime, configuration and cache folders in the scratch folder,
# so dconf, the accessibility switch and the compositor's sockets stay private.
"${as_user[@]}" env -u DISPLAY -u WAYLAND_DISPLAY -u SWAYSOCK KEYFERRY_SCRATCH="$scratch" \
    HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime" XDG_CONFIG_HOME="$scratch/config" \
    XDG_CACHE_HOME="$scratch/cache" XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP="$session_name" \
    dbus-run-session -- "$start_desktop" "$@"
