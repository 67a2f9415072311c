#!/usr/bin/python3
"""A terminal for the end-to-end tests: a GTK 3 window holding a VTE terminal (the widget of
GNOME's terminals, "terminal" to a screen reader) whose shell reads lines. Ctrl+Shift+V pastes, as in GNOME's
terminals; Ctrl+V reaches the shell as the control character it is.

Usage: vte_terminal.py LOG_FILE LINES_FILE

Each line typed and ended with Return is appended to LINES_FILE byte for byte, as the shell
read it from the terminal. Appends one JSON object per line to LOG_FILE:
  {"kind": "ready", "pid": P}  once the window is shown and the shell reads
"""

import json
import os
import shlex
import sys

import gi

gi.require_version("Gdk", "3.0")
gi.require_version("Gtk", "3.0")
gi.require_version("Vte", "2.91")
from gi.repository import Gdk, GLib, Gtk, Vte  # noqa: E402


class Terminal:
    def __init__(self, log_file, lines_file):
        self.log_file = log_file
        self.window = Gtk.Window(title="Keyferry terminal")
        self.window.set_default_size(640, 240)
        self.window.connect("destroy", Gtk.main_quit)
        self.terminal = Vte.Terminal()
        # The widget leaves the paste key to the application; GNOME's terminals and others
        # take Ctrl+Shift+V, since Ctrl+V belongs to the program in the terminal.
        self.terminal.connect("key-press-event", self.on_key)
        self.window.add(self.terminal)
        self.window.show_all()
        self.terminal.grab_focus()
        # `read -r` with no field splitting keeps every byte of the line, backslashes too.
        reader = ("while IFS= read -r line; do printf '%s\\n' \"$line\" >> "
                  + shlex.quote(lines_file) + "; done")
        self.terminal.spawn_async(Vte.PtyFlags.DEFAULT, None, ["/bin/sh", "-c", reader],
                                  None, GLib.SpawnFlags.DEFAULT, None, None, -1, None,
                                  self.on_spawned)

    def on_key(self, _terminal, event):
        wanted = Gdk.ModifierType.CONTROL_MASK | Gdk.ModifierType.SHIFT_MASK
        if (event.state & wanted) == wanted and Gdk.keyval_to_lower(event.keyval) == Gdk.KEY_v:
            self.terminal.paste_clipboard()
            return True
        return False

    def on_spawned(self, _terminal, pid, error):
        if error is not None or pid < 0:
            print(f"the shell did not start: {error}", file=sys.stderr)
            Gtk.main_quit()
            return
        # A moment for the window to be placed and the shell to reach its read.
        GLib.timeout_add(300, self.announce)

    def announce(self):
        with open(self.log_file, "a", encoding="utf-8") as out:
            out.write(json.dumps({"kind": "ready", "pid": os.getpid()}) + "\n")
        return GLib.SOURCE_REMOVE


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    Terminal(sys.argv[1], sys.argv[2])
    Gtk.main()
    return 0


if __name__ == "__main__":
    sys.exit(main())
