# Shared by the desktops' start scripts: sourced, not run.

# Assistive technologies on before any toolkit starts, so every application exposes itself.
enable_accessibility() {
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
        variant:boolean:true >/dev/null 2>&1 || true
}

# Ends a process this script started, and waits for it.
end_process() {
    kill "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}
