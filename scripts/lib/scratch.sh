# The scratch folder of one private test session and its teardown; sourced by the test desktop
# scripts, not run. A session marks every process it starts with KEYFERRY_SCRATCH=<its folder>
# in the environment, so the teardown can find and end exactly its own processes.

# No test needs the document portal, and where /dev/fuse is usable it mounts a FUSE file system
# at RUNTIME/doc that outlives the session. A service file in the runtime folder, which the
# session bus searches first, keeps the bus from starting it. The desktop portal of 1.20 on
# (Debian 13) no longer starts without it; there it runs, and remove_scratch unmounts its file
# system at the end.
keep_document_portal_out() {
    local services="$1/dbus-1/services" version
    version=$(dpkg-query -W -f='${Version}' xdg-desktop-portal 2>/dev/null || true)
    if [[ -n "$version" ]] && dpkg --compare-versions "$version" ge 1.20; then
        return 0
    fi
    mkdir -p "$services"
    printf '[D-BUS Service]\nName=org.freedesktop.portal.Documents\nExec=/bin/false\n' \
        >"$services/org.freedesktop.portal.Documents.service"
}

# The pids of processes whose environment names this scratch folder.
scratch_processes() {
    local marker="KEYFERRY_SCRATCH=$1" environ pid
    for environ in /proc/[0-9]*/environ; do
        pid=${environ#/proc/}
        pid=${pid%/environ}
        [[ "$pid" == "$$" || "$pid" == "$BASHPID" ]] && continue
        if grep -qzxF "$marker" "$environ" 2>/dev/null; then
            echo "$pid"
        fi
    done
}

# Whatever is mounted below the folder, deepest first.
scratch_mounts() {
    awk -v prefix="$1/" 'index($2, prefix) == 1 { print $2 }' /proc/mounts | sort -r
}

# Ends the session's leftover processes (a service the bus started and that outlived the bus),
# unmounts what they left mounted and removes the folder. Says what it could not do, on stderr,
# and never fails: the caller's exit status is its tests'.
remove_scratch() {
    local scratch=$1 pids mount
    pids=$(scratch_processes "$scratch")
    if [[ -n "$pids" ]]; then
        kill -TERM $pids 2>/dev/null
        for _ in $(seq 1 40); do
            pids=$(scratch_processes "$scratch")
            [[ -z "$pids" ]] && break
            sleep 0.05
        done
        [[ -n "$pids" ]] && kill -KILL $pids 2>/dev/null
    fi
    for mount in $(scratch_mounts "$scratch"); do
        fusermount3 -u -z "$mount" 2>/dev/null || umount -l "$mount" 2>/dev/null ||
            echo "warning: could not unmount $mount" >&2
    done
    rm -rf "$scratch" 2>/dev/null || echo "warning: could not remove all of $scratch" >&2
    return 0
}
