#!/usr/bin/env bash
# Runs a command inside a private headless desktop: Xvfb, the openbox window manager and a
# D-Bus session bus with the accessibility bus. Everything it started is ended afterwards,
# by pid; nothing else is touched.
#
# Usage: scripts/test-desktop.sh COMMAND [ARGS...]
set -euo pipefail

if [[ $# -eq 0 ]]; then
    echo "usage: $0 COMMAND [ARGS...]" >&2
    exit 2
fi

source "$(dirname "$0")/lib/scratch.sh"
scratch=$(mktemp -d -t keyferry-desktop-XXXXXX)
xvfb_pid=""
# The exit status stays the command's, whatever the teardown meets.
cleanup() {
    local status=$?
    set +e
    if [[ -n "$xvfb_pid" ]]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    remove_scratch "$scratch"
    exit "$status"
}
trap cleanup EXIT

# Fresh runtime and configuration folders keep dconf and the accessibility switch private.
export XDG_RUNTIME_DIR="$scratch/runtime" XDG_CONFIG_HOME="$scratch/config"
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
chmod 700 "$XDG_RUNTIME_DIR"
keep_document_portal_out "$XDG_RUNTIME_DIR"

# Xvfb picks the display number itself (-displayfd): the first whose sockets all bind, the
# abstract one included. So it never takes a number another X server holds, not even one
# whose /tmp is not ours: a root with a private /tmp still shares abstract socket names with
# the host, and clients try those first.
mkfifo "$scratch/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$scratch/display" \
    >"$scratch/xvfb.log" 2>&1 &
xvfb_pid=$!
display=""
read -r -t 10 display <"$scratch/display" || true
if [[ -z "$display" ]]; then
    echo "Xvfb did not start:" >&2
    cat "$scratch/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$display"

cat >"$scratch/inner.sh" <<'INNER'
#!/usr/bin/env bash
set -uo pipefail
openbox --sm-disable >"$KEYFERRY_SCRATCH/openbox.log" 2>&1 &
openbox_pid=$!
for _ in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
done
# Assistive technologies on before any toolkit starts, so every application exposes itself.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
    variant:boolean:true >/dev/null 2>&1 || true
"$@"
status=$?
kill "$openbox_pid" 2>/dev/null
wait "$openbox_pid" 2>/dev/null
exit $status
INNER
chmod +x "$scratch/inner.sh"
KEYFERRY_SCRATCH="$scratch" dbus-run-session -- "$scratch/inner.sh" "$@"
