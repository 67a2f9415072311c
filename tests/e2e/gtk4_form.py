#!/usr/bin/python3
"""A GTK 4 form for the end-to-end tests: entries Name, City and Code and a Submit button
that is pressed with the pointer.

Usage: gtk4_form.py LOG_FILE

Every entry is named by its label, as GTK 4 applications do it: the label's mnemonic widget,
which GTK turns into the label relation a reader names the field by. Submit does not take the focus when clicked, so a run can click it and go on
typing into Name.

Appends one JSON object per line to LOG_FILE, the values byte for byte as the entries hold
them:
  {"kind": "ready", "pid": P}  once the window is shown and the Name entry has the focus
  {"kind": "row", "n": N, "values": [name, city, code], "by": "click" | "return"}  on a click
      on Submit or Return in Code; the form then empties itself and puts the focus back into
      Name for the next row
  {"kind": "layout", "size": [w, h], "submit": [x, y, w, h]}  on SIGUSR1: the window's size
      and Submit's box relative to the window's top left corner
"""

import json
import os
import signal
import sys

import gi

gi.require_version("Gtk", "4.0")
from gi.repository import Gio, GLib, Gtk  # noqa: E402

LABELS = ("Name", "City", "Code")


class Form:
    def __init__(self, application, log_file):
        self.log_file = log_file
        self.sent = 0
        self.window = Gtk.ApplicationWindow(application=application, title="Keyferry GTK 4 form")
        self.window.set_default_size(420, 220)

        grid = Gtk.Grid(column_spacing=12, row_spacing=8, margin_start=16, margin_end=16,
                        margin_top=16, margin_bottom=16)
        self.entries = {}
        for row, text in enumerate(LABELS):
            label = Gtk.Label(label=text, xalign=0)
            entry = Gtk.Entry(hexpand=True)
            label.set_mnemonic_widget(entry)  # GTK relates the two for readers
            grid.attach(label, 0, row, 1, 1)
            grid.attach(entry, 1, row, 1, 1)
            self.entries[text] = entry
        self.entries["Code"].connect("activate", lambda _: self.submit("return"))
        self.submit_button = Gtk.Button(label="Submit", focus_on_click=False)
        self.submit_button.connect("clicked", lambda _: self.submit("click"))
        grid.attach(self.submit_button, 1, len(LABELS), 1, 1)
        self.window.set_child(grid)
        self.window.present()
        self.entries["Name"].grab_focus()
        GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGUSR1, self.on_layout_asked)
        # Shown once the compositor has mapped the window.
        GLib.timeout_add(300, self.announce)

    def log(self, record):
        with open(self.log_file, "a", encoding="utf-8") as out:
            out.write(json.dumps(record, ensure_ascii=False) + "\n")

    def submit(self, by):
        self.sent += 1
        values = [self.entries[text].get_text() for text in LABELS]
        self.log({"kind": "row", "n": self.sent, "values": values, "by": by})
        for entry in self.entries.values():
            entry.set_text("")
        self.entries["Name"].grab_focus()

    def on_layout_asked(self):
        bounds = self.submit_button.compute_bounds(self.window)
        box = [0, 0, 0, 0]
        if bounds[0]:
            rect = bounds[1]
            box = [rect.get_x(), rect.get_y(), rect.get_width(), rect.get_height()]
        self.log({"kind": "layout", "size": [self.window.get_width(), self.window.get_height()],
                  "submit": box})
        return GLib.SOURCE_CONTINUE

    def announce(self):
        # Not "active": a headless seat may have no keyboard to give the window until a run
        # brings its own.
        if not self.window.get_mapped():
            return GLib.SOURCE_CONTINUE
        self.log({"kind": "ready", "pid": os.getpid()})
        return GLib.SOURCE_REMOVE


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    log_file = sys.argv[1]
    # One window per process: a second form is a form of its own, not the first one raised.
    application = Gtk.Application(application_id="org.keyferry.Gtk4Form",
                                  flags=Gio.ApplicationFlags.NON_UNIQUE)
    forms = []
    application.connect("activate", lambda app: forms.append(Form(app, log_file)))
    return application.run([sys.argv[0]])


if __name__ == "__main__":
    sys.exit(main())
