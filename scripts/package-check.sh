#!/usr/bin/env bash
# Installs a Keyferry package on a fresh, minimal Debian 12 root made by debootstrap, as on a new
# user's machine, so that nothing installed here by hand hides a missing dependency: apt-get
# must pull in everything. Then `keyferry --version`, `keyferry desktop` and the window must
# start there (on Xvfb), and after `apt-get remove` and `purge` none of the package's files
# may be left. Run it as root:
#   scripts/package-check.sh keyferry_VERSION_ARCH.deb
# KEYFERRY_ROOT_CACHE (default /var/cache/keyferry-ci, outside the checkout) keeps the
# debootstrap tarball and the downloaded packages between runs. Nothing stays mounted.
set -euo pipefail
[[ $# -eq 1 && -f $1 ]] || { echo "usage: $0 keyferry_VERSION_ARCH.deb" >&2; exit 2; }
[[ $(id -u) -eq 0 ]] || { echo "run it as root" >&2; exit 2; }
deb=$(realpath "$1")
cache=${KEYFERRY_ROOT_CACHE:-/var/cache/keyferry-ci}
suite=bookworm
command -v debootstrap >/dev/null ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null
mkdir -p "$cache/archives"
mirror=$(awk '/^URIs:/{print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
mirror=${mirror:-http://deb.debian.org/debian}

step_started=$SECONDS
step() {
    echo "-- $* (after $((SECONDS - step_started)) s)"
}

base=$cache/$suite-minbase.tar
if [[ ! -f $base ]]; then
    step "debootstrap $suite (once; kept in $base)"
    rm -rf "$cache/mk"
    debootstrap --variant=minbase "$suite" "$cache/mk" "$mirror" >"$cache/debootstrap.log" 2>&1 ||
        { echo "debootstrap failed: see $cache/debootstrap.log"; exit 1; }
    tar -C "$cache/mk" -cf "$base.part" . && mv "$base.part" "$base" && rm -rf "$cache/mk"
fi

root=$(mktemp -d "$cache/root.XXXXXX")
# Unmounts what this script mounted below the root, deepest first, and removes the root.
cleanup() {
    local mounted
    mounted=$(awk -v r="$root/" 'index($2, r) == 1 {print $2}' /proc/mounts | sort -r)
    for point in $mounted; do umount "$point" 2>/dev/null || umount -l "$point"; done
    if awk -v r="$root/" 'index($2, r) == 1' /proc/mounts | grep -q .; then
        echo "could not unmount everything below $root; left in place" >&2
        return
    fi
    rm -rf "$root"
}
trap cleanup EXIT
step "unpacking a fresh root"
tar -C "$root" -xf "$base"
cp /etc/resolv.conf "$root/etc/resolv.conf"
rm -f "$root/etc/apt/sources.list"
if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
    cp /etc/apt/sources.list.d/debian.sources "$root/etc/apt/sources.list.d/"
else
    echo "deb $mirror $suite main" >"$root/etc/apt/sources.list"
fi
# The root's own device nodes, so that removing the root never touches the host's /dev.
for node in "null c 1 3" "zero c 1 5" "random c 1 8" "urandom c 1 9" "tty c 5 0" "full c 1 7"; do
    read -r name kind major minor <<<"$node"
    rm -f "$root/dev/$name"
    mknod -m 666 "$root/dev/$name" "$kind" "$major" "$minor"
done
mkdir -p "$root/dev/pts" "$root/dev/shm"
mount -t proc proc "$root/proc"
mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
ln -sf pts/ptmx "$root/dev/ptmx"
mount -t tmpfs tmpfs "$root/dev/shm"
# Packages downloaded by an earlier run: apt checks them against the index and fetches anew
# what changed.
find "$cache/archives" -name '*.deb' -exec cp -t "$root/var/cache/apt/archives/" {} +
cp "$deb" "$root/tmp/"
package=$(dpkg-deb -f "$deb" Package)
version=$(dpkg-deb -f "$deb" Version)

in_root() {
    chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive bash -euo pipefail -c "$1"
}

step "apt-get install ./$(basename "$deb")"
in_root "apt-get update -qq && apt-get install -y -qq --no-install-recommends \
    /tmp/$(basename "$deb") >/dev/null"
find "$root/var/cache/apt/archives" -maxdepth 1 -name '*.deb' -exec cp -n -t "$cache/archives/" {} +
in_root "dpkg-query -L $package" >"$root/tmp/files"

step "keyferry --version"
shown=$(in_root "keyferry --version")
[[ $shown == *"$version"* ]] || { echo "keyferry --version said '$shown', not $version"; exit 1; }
echo "$shown"

step "the bash completion and the manual page"
in_root "source /usr/share/bash-completion/completions/keyferry && complete -p keyferry"
in_root "zcat /usr/share/man/man1/keyferry.1.gz | grep -q '^\.TH KEYFERRY 1 .*$version'"

step "a display to start on (Xvfb, not a dependency of the package)"
in_root "apt-get install -y -qq --no-install-recommends xvfb xauth >/dev/null"
find "$root/var/cache/apt/archives" -maxdepth 1 -name '*.deb' -exec cp -n -t "$cache/archives/" {} +

step "keyferry desktop"
in_root "xvfb-run -a keyferry desktop"

step "the window: first paint, then still up after 5 s"
painted=$(in_root "xvfb-run -a env KEYFERRY_REPORT_FIRST_PAINT=1 timeout 60 keyferry 2>&1")
grep -q '^first-paint [0-9]' <<<"$painted" || { echo "no first paint: $painted"; exit 1; }
status=0
in_root "xvfb-run -a timeout 5 keyferry" || status=$?
# 124: still running when timeout ended it.
[[ $status -eq 124 ]] || { echo "the window ended by itself with $status within 5 s"; exit 1; }

step "apt-get remove, then purge"
in_root "apt-get remove -y -qq $package >/dev/null"
left=0
while IFS= read -r path; do
    # Files and links must be gone at once; folders may stay while another package uses them.
    if [[ -L $root$path || ( -e $root$path && ! -d $root$path ) ]]; then
        echo "left after remove: $path"
        left=1
    fi
done <"$root/tmp/files"
# A package without configuration files is gone from dpkg's records after remove, and apt no
# longer knows a package that came from a file: purge only what remove kept.
if in_root "dpkg-query -W -f='\${Status}' $package 2>/dev/null" | grep -q config-files; then
    in_root "apt-get purge -y -qq $package >/dev/null"
fi
in_root "! dpkg-query -W $package 2>/dev/null" || { echo "dpkg still knows $package"; left=1; }
while IFS= read -r path; do
    [[ $path == /. ]] && continue
    if [[ -e $root$path || -L $root$path ]] && ! in_root "dpkg-query -S '$path' >/dev/null 2>&1"; then
        echo "left after purge, owned by no package: $path"
        left=1
    fi
done <"$root/tmp/files"
[[ $left -eq 0 ]] || exit 1
echo "$(wc -l <"$root/tmp/files") paths of $package $version installed, started and removed cleanly"
step "done"
