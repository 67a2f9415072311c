# Sourced, not run: the Debian release this runs on (VERSION_CODENAME of /etc/os-release) and
# what differs between the releases the scripts know. Package names and the clang version
# follow the release, so one script serves Debian 12 and Debian 13.
debian_release=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
case "$debian_release" in
    bookworm) clang_version=14 ;;
    trixie) clang_version=19 ;;
    *)
        # A newer release most likely names its packages as the newest one known here.
        echo "warning: Debian release '${debian_release:-unknown}' unknown here; using trixie's" \
            "package names" >&2
        debian_release=trixie
        clang_version=19
        ;;
esac
