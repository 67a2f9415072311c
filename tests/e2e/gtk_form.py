#!/usr/bin/python3
"""A GTK 3 form for the end-to-end tests: entries Name, City and Code and a Submit button.

Usage: gtk_form.py LOG_FILE [--code-max N] [--extra-field LABEL] [--refuse-paste]

Every entry is named by its label (mnemonic widget, so the label relation is there too, and
the accessible name set to the label's text), so a reader of the focused field sees "City".
The Code entry takes at most N characters (default 5): what is typed beyond that is dropped,
as a real form with a short field does. --extra-field adds an entry LABEL after Name: the
form changed since a template was recorded; what it holds is logged as "extra".
--refuse-paste makes every entry ignore the paste key, as a field that takes no pastes does:
nothing is fetched from the clipboard.

Appends one JSON object per line to LOG_FILE, the values byte for byte as the entries hold
them:
  {"kind": "ready", "pid": P, "points": {"Name": [x, y], ...}}  once the window is shown
      and the Name entry has the focus; points are the entries' centres in root coordinates
  {"kind": "row", "n": N, "values": [name, city, code]}  on Return in Code or on Submit;
      the form then empties itself and puts the focus back into Name for the next row
  {"kind": "state", "focus": LABEL, "values": [...]}  on SIGUSR1, without resetting
The window's WM_CLASS class is "KeyferryGtkForm".
"""

import argparse
import json
import os
import signal
import sys

import gi

gi.require_version("Gdk", "3.0")
gi.require_version("Gtk", "3.0")
from gi.repository import Gdk, GLib, Gtk  # noqa: E402

LABELS = ("Name", "City", "Code")


class Form:
    def __init__(self, log_file, code_max, extra_field, refuse_paste=False):
        self.log_file = log_file
        self.extra = extra_field
        self.sent = 0
        self.window = Gtk.Window(title="Keyferry GTK form")
        self.window.set_default_size(420, 200)
        self.window.move(60, 60)
        self.window.connect("destroy", Gtk.main_quit)

        grid = Gtk.Grid(column_spacing=12, row_spacing=8, margin=16)
        self.entries = {}
        labels = LABELS[:1] + ((extra_field,) if extra_field else ()) + LABELS[1:]
        for row, text in enumerate(labels):
            label = Gtk.Label(label=text, xalign=0)
            entry = Gtk.Entry(hexpand=True)
            # The relation a screen reader follows, and the name itself for readers that
            # only look at the name.
            label.set_mnemonic_widget(entry)
            entry.get_accessible().set_name(text)
            grid.attach(label, 0, row, 1, 1)
            grid.attach(entry, 1, row, 1, 1)
            self.entries[text] = entry
            if refuse_paste:
                entry.connect("paste-clipboard",
                              lambda widget: widget.stop_emission_by_name("paste-clipboard"))
        self.entries["Code"].set_max_length(code_max)
        self.entries["Code"].connect("activate", lambda _: self.submit())
        button = Gtk.Button(label="Submit")
        button.connect("clicked", lambda _: self.submit())
        grid.attach(button, 1, len(labels), 1, 1)
        self.window.add(grid)
        self.window.connect("map-event", self.on_mapped)
        self.window.show_all()
        self.entries["Name"].grab_focus()
        GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGUSR1, self.on_state_asked)

    def log(self, record):
        line = json.dumps(record, ensure_ascii=False) + "\n"
        with open(self.log_file, "a", encoding="utf-8") as out:
            out.write(line)

    def values(self):
        return [self.entries[text].get_text() for text in LABELS]

    def submit(self):
        self.sent += 1
        record = {"kind": "row", "n": self.sent, "values": self.values()}
        if self.extra:
            record["extra"] = self.entries[self.extra].get_text()
        self.log(record)
        for entry in self.entries.values():
            entry.set_text("")
        self.entries["Name"].grab_focus()

    def on_state_asked(self):
        focus = self.window.get_focus()
        label = next((text for text, entry in self.entries.items() if entry is focus), "")
        record = {"kind": "state", "focus": label, "values": self.values()}
        if self.extra:
            record["extra"] = self.entries[self.extra].get_text()
        self.log(record)
        return GLib.SOURCE_CONTINUE

    def on_mapped(self, *_):
        # Positions are known once the window is placed; an idle turn lets that settle.
        GLib.timeout_add(200, self.announce)
        return False

    def announce(self):
        points = {}
        for text, entry in self.entries.items():
            origin = entry.get_window().get_origin()
            allocation = entry.get_allocation()
            points[text] = [origin.x + allocation.x + allocation.width // 2,
                            origin.y + allocation.y + allocation.height // 2]
        self.log({"kind": "ready", "pid": os.getpid(), "points": points})
        return GLib.SOURCE_REMOVE


def main():
    parser = argparse.ArgumentParser(usage=__doc__)
    parser.add_argument("log_file")
    parser.add_argument("--code-max", type=int, default=5)
    parser.add_argument("--extra-field")
    parser.add_argument("--refuse-paste", action="store_true")
    arguments = parser.parse_args()
    Gdk.set_program_class("KeyferryGtkForm")
    Form(arguments.log_file, arguments.code_max, arguments.extra_field, arguments.refuse_paste)
    Gtk.main()
    return 0


if __name__ == "__main__":
    sys.exit(main())
