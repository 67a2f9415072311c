#!/usr/bin/env python3
"""Answers the desktop portal's remote desktop question through AT-SPI, as a user would.

Usage: portal_consent.py allow|cancel [TIMEOUT_SECONDS]
Waits for the dialog; for "allow" ticks "Allow remote interaction", then presses Share (a
press right after the tick is ignored by the dialog, so it waits a little between); for
"cancel" presses Cancel. Exits 0 once it has answered, 1 when no dialog came.
GNOME 43 and 48 word and build the dialog differently: names are matched without case,
buttons are "push button" (43) or "button" (48), and of 48's two "Allow Remote Interaction"
boxes only the one that can be toggled is ticked.
"""
import sys
import time

import pyatspi


BUTTONS = ("push button", "button")


def find_all(node, roles, name_part, depth=0):
    if node is None or depth > 25:
        return []
    found = []
    try:
        if node.getRoleName() in roles and name_part.lower() in (node.name or "").lower():
            found.append(node)
        for child in node:
            found.extend(find_all(child, roles, name_part, depth + 1))
    except Exception:  # an element that went away while being read
        pass
    return found


def find(node, roles, name_part):
    found = find_all(node, roles, name_part)
    return found[0] if found else None


def dialog():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "xdg-desktop-portal-gnome":
            frame = find(app, ("frame", "dialog", "window"), "Remote desktop")
            if frame is not None:
                return frame
    return None


def action_names(node):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


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
        press(find(frame, BUTTONS, "Cancel"))
        return 0
    boxes = find_all(frame, ("check box",), "Allow remote interaction")
    toggled = [box for box in boxes if "toggle" in action_names(box)]
    allow = (toggled or boxes or [None])[0]
    if allow is not None and not allow.getState().contains(pyatspi.STATE_CHECKED):
        press(allow)
        time.sleep(0.8)
    share = find(frame, BUTTONS, "Share")
    if share is None:
        print("the dialog has no Share button", file=sys.stderr)
        return 1
    press(share)
    return 0


sys.exit(main())
