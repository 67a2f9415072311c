#!/usr/bin/env python3
"""Answers the desktop portal's remote desktop question through AT-SPI, as a user would.

Usage: portal_consent.py allow|cancel [TIMEOUT_SECONDS]
Waits for the dialog; for "allow" ticks "Allow remote interaction", then presses Share (a
press right after the tick is ignored by the dialog, so it waits a little between); for
"cancel" presses Cancel. Exits 0 once it has answered, 1 when no dialog came.
"""
import sys
import time

import pyatspi


def find(node, role, name_part, depth=0):
    if node is None or depth > 25:
        return None
    try:
        if node.getRoleName() == role and name_part in (node.name or ""):
            return node
        for child in node:
            found = find(child, role, name_part, depth + 1)
            if found is not None:
                return found
    except Exception:  # an element that went away while being read
        return None
    return None


def dialog():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "xdg-desktop-portal-gnome":
            frame = find(app, "frame", "Remote desktop")
            if frame is not None:
                return frame
    return None


def press(node):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("click", "press", "activate", "toggle"):
            action.doAction(i)
            return
    action.doAction(0)


def main():
    answer = sys.argv[1]
    deadline = time.monotonic() + (float(sys.argv[2]) if len(sys.argv) > 2 else 30)
    frame = None
    while frame is None and time.monotonic() < deadline:
        frame = dialog()
        if frame is None:
            time.sleep(0.2)
    if frame is None:
        print("no remote desktop dialog came", file=sys.stderr)
        return 1
    time.sleep(0.5)  # the dialog takes presses only once it is shown
    if answer == "cancel":
        press(find(frame, "push button", "Cancel"))
        return 0
    allow = find(frame, "check box", "Allow remote interaction")
    if allow is not None and not allow.getState().contains(pyatspi.STATE_CHECKED):
        press(allow)
        time.sleep(0.8)
    press(find(frame, "push button", "Share"))
    return 0


sys.exit(main())
