#!/usr/bin/env python3
"""The user's hand on GNOME: keys pressed through mutter's private remote desktop API, which
reaches the shell as a real keyboard would (shortcuts included).

Usage: mutter_hand.py CHORD...            presses each chord, then ends its keyboard
       mutter_hand.py --listen FILE         keeps its keyboard while it presses the chords
                                            appended to FILE, one per line, until "quit"
A CHORD of the form a+b+c is held in order and released in reverse. Keysyms by name:
Control_L, Shift_L, Alt_L, Escape, Tab, Return, space.

A keyboard that comes and goes makes the seat announce the focus again (a headless shell has
no keyboard of its own), so a test that watches the focus keeps one with --listen.
"""
import sys
import time

from gi.repository import Gio, GLib

KEYSYMS = {"Control_L": 0xFFE3, "Shift_L": 0xFFE1, "Escape": 0xFF1B, "Tab": 0xFF09,
           "Return": 0xFF0D, "Alt_L": 0xFFE9, "space": 0x20}


def call(bus, path, interface, method, args=None, reply="()"):
    return bus.call_sync("org.gnome.Mutter.RemoteDesktop", path, interface, method, args,
                         GLib.VariantType(reply), Gio.DBusCallFlags.NONE, 5000, None)


def key(bus, session, keysym, pressed):
    call(bus, session, "org.gnome.Mutter.RemoteDesktop.Session", "NotifyKeyboardKeysym",
         GLib.Variant("(ub)", (keysym, pressed)))


def main():
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    session = call(bus, "/org/gnome/Mutter/RemoteDesktop", "org.gnome.Mutter.RemoteDesktop",
                   "CreateSession", None, "(o)").unpack()[0]
    call(bus, session, "org.gnome.Mutter.RemoteDesktop.Session", "Start")
    # The first key of a new session is lost.
    key(bus, session, KEYSYMS["Shift_L"], True)
    key(bus, session, KEYSYMS["Shift_L"], False)
    time.sleep(0.2)

    def press(chord):
        symbols = [KEYSYMS[name] for name in chord.split("+")]
        for symbol in symbols:
            key(bus, session, symbol, True)
        time.sleep(0.05)
        for symbol in reversed(symbols):
            key(bus, session, symbol, False)
        time.sleep(0.1)

    if sys.argv[1] == "--listen":
        done = 0
        while True:
            with open(sys.argv[2]) as commands:
                lines = commands.read().splitlines()
            for line in lines[done:]:
                if line == "quit":
                    call(bus, session, "org.gnome.Mutter.RemoteDesktop.Session", "Stop")
                    return 0
                press(line)
            done = len(lines)
            time.sleep(0.05)
    for chord in sys.argv[1:]:
        press(chord)
    time.sleep(0.2)
    call(bus, session, "org.gnome.Mutter.RemoteDesktop.Session", "Stop")
    return 0


sys.exit(main())
