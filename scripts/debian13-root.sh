#!/usr/bin/env bash
# Runs a command on Debian 13 ("trixie") from a Debian 12 machine: in a root made with
# debootstrap, given the test packages by this checkout's scripts/install-deps.sh, and kept in
# KEYFERRY_ROOT_CACHE (default /var/cache/keyferry-ci) between runs. The kept root is made
# again, or updated, when install-deps.sh (or what it sources) changed since.
#
# Each run sees the kept root through an overlay whose changes are dropped at its end, with a
# copy of this checkout (tracked and untracked files, no ignored ones) in /home/keyferry/src
# and a compiler cache kept beside the root (CCACHE_DIR). The command runs in that folder as
# the unprivileged user "keyferry", since compositors refuse root. Everything runs in
# namespaces of its own: a pid namespace, so whatever the command leaves running ends with it;
# a mount namespace, so nothing it mounts outlives it or reaches the host; and a network
# namespace with only a loopback, so its X servers and buses (abstract sockets, which a private
# /tmp does not separate) can neither take nor answer the host's display numbers.
#
# Usage, as root: scripts/debian13-root.sh [COMMAND [ARGS...]]
#   Without a command it only makes or updates the kept root.
# KEYFERRY_ROOT_REMAKE=1 makes the kept root afresh.
set -euo pipefail

suite=trixie
user=keyferry
uid=2000
checkout=$(cd "$(dirname "$0")/.." && pwd)
self="$checkout/scripts/debian13-root.sh"
cache=${KEYFERRY_ROOT_CACHE:-/var/cache/keyferry-ci}
root="$cache/$suite-root"
debs="$cache/$suite-debs"
ccache_dir="$cache/$suite-ccache"
runs="$cache/$suite-runs"
# Where the compiler cache appears inside the root.
ccache_in_root=/var/cache/keyferry-ccache

step_started=$SECONDS
step() {
    echo "-- $* (after $((SECONDS - step_started)) s)"
}

# Mount points below a folder, deepest first, as this mount namespace sees them.
mounts_below() {
    awk -v top="${1%/}" '$2 == top || index($2, top "/") == 1 { print $2 }' /proc/self/mounts |
        sort -r
}

# Removes a folder of this script's, unless something is mounted below it: rm -rf would then
# reach into the host's /dev or the checkout.
remove_unmounted() {
    if [[ -n "$(mounts_below "$1")" ]]; then
        echo "still mounted below $1; left in place" >&2
        return 1
    fi
    rm -rf "$1"
}

# ---- Inside the namespaces: pid 1 of a new pid namespace, in a private mount namespace. ----

# The other processes of this pid namespace, all of them ours. Zombies are left out: nothing
# but their parent can end them, and they hold nothing.
namespace_processes() {
    local proc="${1%/}/proc" entry stat
    # Only from the proc of this pid namespace, whose pid 1 is this script; never the host's.
    grep -qzx -- --in-namespace "$proc/1/cmdline" 2>/dev/null || return 0
    for entry in "$proc"/[0-9]*; do
        [[ ${entry##*/} == 1 || ${entry##*/} == "$BASHPID" ]] && continue
        stat=$(<"$entry/stat") 2>/dev/null || continue
        stat=${stat##*) }
        [[ ${stat%% *} != Z ]] && echo "${entry##*/}"
    done
    return 0
}

# Ends what the command left running (TERM, so that the test desktops' own teardown runs;
# KILL what is left after 5 s), then unmounts what is mounted below the root, deepest first.
leave_root() {
    local target=$1 pids point points
    set +e
    pids=$(namespace_processes "$target")
    if [[ -n "$pids" ]]; then
        kill -TERM $pids 2>/dev/null
        for _ in $(seq 1 50); do
            sleep 0.1
            pids=$(namespace_processes "$target")
            [[ -z "$pids" ]] && break
        done
        [[ -n "$pids" ]] && kill -KILL $pids 2>/dev/null && sleep 0.2
    fi
    # umount reads the mount table from /proc: the root's proc goes last.
    points=$(mounts_below "$target")
    for point in $(grep -vxF "${target%/}/proc" <<<"$points") \
        $(grep -xF "${target%/}/proc" <<<"$points"); do
        # The root itself, once it is the namespace's, goes with the namespace.
        [[ $point == / ]] && continue
        umount "$point" 2>/dev/null || umount -l "$point" ||
            echo "warning: could not unmount $point" >&2
    done
}

# What both kinds of use mount below the root.
mount_system() {
    local target=$1
    mount -t proc proc "$target/proc"
    mount --bind -o ro /sys "$target/sys"
    mount --bind /dev "$target/dev"
    mount --bind /dev/pts "$target/dev/pts"
    mount -t tmpfs -o mode=1777 tmpfs "$target/dev/shm"
    mount -t tmpfs -o mode=1777 tmpfs "$target/tmp"
    mount -t tmpfs -o mode=755 tmpfs "$target/run"
}

# Where this namespace mounted the root, "/" once it is the namespace's root (global: the EXIT
# trap reads it after in_namespace returned).
ns_target=""
in_namespace() {
    local mode=$1 status=0
    shift
    trap '[[ -n "$ns_target" ]] && leave_root "$ns_target"' EXIT
    # pid 1 gets no default action for these; without traps the run could not be stopped.
    trap 'exit 130' INT
    trap 'exit 143' TERM
    case "$mode" in
    setup)
        # As root, with the network: the package lists and packages come from the mirror.
        ns_target=$1
        shift
        mount_system "$ns_target"
        mount --bind "$debs" "$ns_target/var/cache/apt/archives"
        cp /etc/resolv.conf "$ns_target/etc/resolv.conf"
        mkdir -p "$ns_target/tmp/deps/lib"
        cp "$checkout/scripts/install-deps.sh" "$ns_target/tmp/deps/"
        cp "$checkout/scripts/lib/release.sh" "$ns_target/tmp/deps/lib/"
        chroot "$ns_target" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
            LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive bash /tmp/deps/install-deps.sh test \
            9>&- || status=$?
        ;;
    run)
        local run=$1 home="/home/$user"
        shift
        ip link set lo up
        ns_target="$run/merged"
        mount -t overlay overlay -o "lowerdir=$root,upperdir=$run/upper,workdir=$run/work" \
            "$ns_target"
        mount_system "$ns_target"
        mount --bind "$ccache_dir" "$ns_target$ccache_in_root"
        mkdir "$ns_target$home/src"
        # The working tree as it is, uncommitted changes too; files deleted but still tracked
        # are left out.
        (cd "$checkout" && git ls-files -z -co --exclude-standard |
            while IFS= read -r -d '' file; do
                [[ -e $file || -L $file ]] && printf '%s\0' "$file"
            done | tar --null -T - -cf -) | tar -C "$ns_target$home/src" -xf -
        chown -R "$uid:$uid" "$ns_target$home/src"
        # The root becomes this mount namespace's own root, the host's tree detached from it:
        # the kernel refuses user namespaces to a chrooted process, and Chromium, Firefox and
        # bubblewrap build their sandboxes from them.
        mkdir "$ns_target/.host"
        cd "$ns_target"
        pivot_root . .host
        ns_target=/
        cd /
        umount -l /.host
        rmdir /.host
        setpriv --reuid="$uid" --regid="$uid" --init-groups \
            env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$home" USER="$user" LOGNAME="$user" \
            SHELL=/bin/bash LANG=C.UTF-8 TERM="${TERM:-dumb}" CCACHE_DIR="$ccache_in_root" \
            bash -c 'cd "$HOME/src" && exec "$@"' bash "$@" 9>&- || status=$?
        ;;
    esac
    return "$status"
}

if [[ "${1:-}" == --in-namespace ]]; then
    shift
    in_namespace "$@"
    exit
fi

# ---- On the host. ----

[[ $(id -u) -eq 0 ]] || { echo "run it as root" >&2; exit 2; }
for needed in debootstrap:debootstrap ip:iproute2; do
    command -v "${needed%%:*}" >/dev/null ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${needed#*:}" >/dev/null
done
mkdir -p "$cache" "$debs/partial" "$ccache_dir" "$runs"

# What the root's packages were installed from; a change means install-deps.sh asks for other
# packages (or this script sets the root up differently: raise the number).
wanted=$({ echo "root setup 1"; cat "$checkout/scripts/install-deps.sh" \
    "$checkout/scripts/lib/release.sh"; } | sha256sum | cut -d' ' -f1)
stamp="$root.deps"
remake=${KEYFERRY_ROOT_REMAKE:-0}

# The test packages, installed by the checkout's own install-deps.sh inside the root.
install_packages() {
    step "scripts/install-deps.sh test in the root"
    unshare --mount --propagation private --pid --fork --kill-child -- \
        "$self" --in-namespace setup "$1"
}

make_root() {
    local fresh="$root.new" mirror
    [[ -e "$fresh" ]] && remove_unmounted "$fresh"
    mirror=$(awk '/^URIs:/ { print $2; exit }' /etc/apt/sources.list.d/debian.sources \
        2>/dev/null || true)
    mirror=${mirror:-http://deb.debian.org/debian}
    step "debootstrap $suite from $mirror (kept in $root)"
    debootstrap --variant=minbase --include=git,ca-certificates,apt-utils --cache-dir="$debs" \
        "$suite" "$fresh" "$mirror" >"$cache/$suite-debootstrap.log" 2>&1 ||
        { echo "debootstrap failed: see $cache/$suite-debootstrap.log" >&2; return 1; }
    rm -f "$fresh/etc/apt/sources.list"
    printf 'Types: deb\nURIs: %s\nSuites: %s %s-updates\nComponents: main\nSigned-By: %s\n' \
        "$mirror" "$suite" "$suite" /usr/share/keyrings/debian-archive-keyring.gpg \
        >"$fresh/etc/apt/sources.list.d/debian.sources"
    # No package may start a daemon while it is installed.
    printf '#!/bin/sh\nexit 101\n' >"$fresh/usr/sbin/policy-rc.d"
    chmod 755 "$fresh/usr/sbin/policy-rc.d"
    printf '127.0.0.1 localhost\n::1 localhost ip6-localhost ip6-loopback\n' >"$fresh/etc/hosts"
    chroot "$fresh" useradd --uid "$uid" --user-group --create-home --shell /bin/bash "$user"
    mkdir -p "$fresh$ccache_in_root"
    install_packages "$fresh"
    echo "$wanted" >"$fresh.deps"
    if [[ -d "$root" ]]; then
        rm -f "$stamp"
        remove_unmounted "$root"
    fi
    mv "$fresh" "$root"
    mv "$fresh.deps" "$stamp"
}

# Runs share the kept root (a shared lock, held until their end); making or updating it waits
# for them (an exclusive one). Holding the exclusive lock at once means no run is under way:
# run folders left then are those of runs killed before their end.
exec 9>"$cache/$suite.lock"
if flock -n -x 9; then
    for left in "$runs"/run.*; do
        [[ -d "$left" ]] && remove_unmounted "$left"
    done
else
    flock -s 9
fi
if [[ $remake == 1 || ! -d "$root" || "$(cat "$stamp" 2>/dev/null)" != "$wanted" ]]; then
    flock -x 9
    if [[ $remake == 1 || ! -d "$root" ]]; then
        make_root
    elif [[ "$(cat "$stamp" 2>/dev/null)" != "$wanted" ]]; then
        # The stamp goes first: an update cut short is tried again next time.
        rm -f "$stamp"
        install_packages "$root"
        echo "$wanted" >"$stamp"
    fi
fi
flock -s 9
chown "$uid:$uid" "$ccache_dir"
chmod 700 "$ccache_dir"
step "the root is ready"
[[ $# -eq 0 ]] && exit 0

run=$(mktemp -d "$runs/run.XXXXXX")
mkdir "$run/upper" "$run/work" "$run/merged"
trap 'remove_unmounted "$run"' EXIT
status=0
unshare --mount --propagation private --pid --fork --kill-child --net -- \
    "$self" --in-namespace run "$run" "$@" || status=$?
step "the command ended with $status"
exit "$status"
