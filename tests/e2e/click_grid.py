#!/usr/bin/python3
"""A GTK 3 window for the end-to-end click tests: an entry "Note" above a 3x3 grid of buttons
that fill the rest of the window, named r0c0 (top left) to r2c2 (bottom right).

Usage: click_grid.py LOG_FILE

Appends one JSON object per line to LOG_FILE:
  {"kind": "ready", "pid": P}  once the window is shown and the entry has the focus
  {"kind": "click", "button": NAME, "note": TEXT}  when a button is pressed; the entry is then
      emptied and has the focus again
  {"kind": "layout", "size": [w, h], "buttons": {NAME: [x, y, w, h], ...}}  on SIGUSR1: the
      window's size and each button's box relative to the window's top left corner
"""

import json
import os
import signal
import sys

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import GLib, Gtk  # noqa: E402


class ClickGrid:
    def __init__(self, log_file):
        self.log_file = log_file
        self.window = Gtk.Window(title="Keyferry click grid")
        self.window.set_default_size(600, 400)
        self.window.connect("destroy", Gtk.main_quit)

        box = Gtk.Box(orientation=Gtk.Orientation.VERTICAL)
        self.note = Gtk.Entry()
        self.note.get_accessible().set_name("Note")
        box.pack_start(self.note, False, False, 0)
        grid = Gtk.Grid(row_homogeneous=True, column_homogeneous=True, vexpand=True)
        self.buttons = {}
        for row in range(3):
            for column in range(3):
                name = f"r{row}c{column}"
                button = Gtk.Button(label=name, hexpand=True, vexpand=True)
                button.connect("clicked", self.on_clicked, name)
                grid.attach(button, column, row, 1, 1)
                self.buttons[name] = button
        box.pack_start(grid, True, True, 0)
        self.window.add(box)
        self.window.connect("map-event", self.on_mapped)
        self.window.show_all()
        self.note.grab_focus()
        GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGUSR1, self.on_layout_asked)

    def log(self, record):
        with open(self.log_file, "a", encoding="utf-8") as out:
            out.write(json.dumps(record, ensure_ascii=False) + "\n")

    def on_clicked(self, _, name):
        self.log({"kind": "click", "button": name, "note": self.note.get_text()})
        self.note.set_text("")
        self.note.grab_focus()

    def on_layout_asked(self):
        boxes = {}
        for name, button in self.buttons.items():
            allocation = button.get_allocation()
            x, y = button.translate_coordinates(self.window, 0, 0)
            boxes[name] = [x, y, allocation.width, allocation.height]
        self.log({"kind": "layout", "size": [self.window.get_allocated_width(),
                                             self.window.get_allocated_height()],
                  "buttons": boxes})
        return GLib.SOURCE_CONTINUE

    def on_mapped(self, *_):
        GLib.timeout_add(200, self.announce)
        return False

    def announce(self):
        self.log({"kind": "ready", "pid": os.getpid()})
        return GLib.SOURCE_REMOVE


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    ClickGrid(sys.argv[1])
    Gtk.main()
    return 0


if __name__ == "__main__":
    sys.exit(main())
