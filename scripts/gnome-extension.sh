#!/usr/bin/env bash
# Writes a GNOME Shell extension for one shell version from a form-neutral source folder.
# GNOME 45 and later load only ES modules, 43 and 44 only the older imports form, and one
# folder cannot serve both; so the sources hold the extension's work once and this script adds
# the head and tail each form needs.
#
# Usage: scripts/gnome-extension.sh SOURCE_FOLDER SHELL_MAJOR TARGET_FOLDER
#        scripts/gnome-extension.sh --running-major   (the installed shell's major version)
#
# SOURCE_FOLDER holds metadata.json.in (@SHELL_VERSIONS@ is replaced) and service.js, whose
# first top-level class is the extension's work (enable(), disable()). Its line
# "// uses: NAME ..." names what it takes from the shell: gi libraries (Gio, GLib, Meta,
# Shell, St, ...) and Main.
set -euo pipefail

running_major() {
    local version
    version=$(gnome-shell --version 2>/dev/null) || return 1
    version=${version##* }
    [[ ${version%%.*} =~ ^[0-9]+$ ]] || return 1
    echo "${version%%.*}"
}

if [[ ${1:-} == --running-major ]]; then
    running_major
    exit
fi
if (($# != 3)); then
    echo "usage: $0 SOURCE_FOLDER SHELL_MAJOR TARGET_FOLDER" >&2
    exit 2
fi
source=$1 major=$2 target=$3
[[ $major =~ ^[0-9]+$ ]] || { echo "not a shell version: $major" >&2; exit 2; }

# The versions each form was tested on; the shell refuses a version not listed.
if ((major >= 45)); then
    tested='"48"'
else
    tested='"43"'
fi

service=$source/service.js
work=$(sed -n 's/^class \([A-Za-z_][A-Za-z0-9_]*\).*/\1/p' "$service" | head -n 1)
uses=$(sed -n 's|^// uses: ||p' "$service" | head -n 1)
[[ -n $work ]] || { echo "$service has no top-level class" >&2; exit 1; }

libraries=()
wants_main=false
for name in $uses; do
    if [[ $name == Main ]]; then
        wants_main=true
    else
        libraries+=("$name")
    fi
done

mkdir -p "$target"
sed "s/@SHELL_VERSIONS@/$tested/" "$source/metadata.json.in" >"$target/metadata.json"
{
    echo "// Written by scripts/gnome-extension.sh from $(basename "$source")/service.js for GNOME Shell $major."
    if ((major >= 45)); then
        for name in "${libraries[@]}"; do
            echo "import $name from 'gi://$name';"
        done
        $wants_main && echo "import * as Main from 'resource:///org/gnome/shell/ui/main.js';"
        echo "import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';"
    else
        echo "'use strict';"
        ((${#libraries[@]})) && echo "const { $(IFS=,; echo "${libraries[*]}" | sed 's/,/, /g') } = imports.gi;"
        $wants_main && echo "const Main = imports.ui.main;"
    fi
    echo
    grep -v '^// uses: ' "$service"
    echo
    if ((major >= 45)); then
        cat <<MODULE
export default class extends Extension {
    enable() {
        this._work = new $work();
        this._work.enable();
    }

    disable() {
        this._work.disable();
        this._work = null;
    }
}
MODULE
    else
        cat <<LEGACY
/* exported init */
function init() {
    return new $work();
}
LEGACY
    fi
} >"$target/extension.js"
