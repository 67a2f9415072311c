#!/usr/bin/env bash
# sway headless, then the command (see scripts/test-wayland.sh).
set -uo pipefail
scratch=$KEYFERRY_SCRATCH
source "$(dirname "$0")/lib.sh"

cat >"$scratch/sway.config" <<'CONFIG'
output HEADLESS-1 resolution 1280x800 position 0 0
xwayland disable
focus_follows_mouse no
CONFIG

WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$scratch/sway.config" >"$scratch/sway.log" 2>&1 &
sway_pid=$!
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
    end_process "$sway_pid"
    exit 1
fi
export SWAYSOCK="$socket" WAYLAND_DISPLAY=$(basename "$display")

enable_accessibility
"$@"
status=$?
end_process "$sway_pid"
exit $status
