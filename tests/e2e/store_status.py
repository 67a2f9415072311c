#!/usr/bin/python3
"""Presses a button of Keyferry's window and prints what assistive technologies then see of
its templates file status, as one JSON object.

Usage: store_status.py BUTTON_NAME|- [SECONDS]

Finds the application named "Keyferry" on the accessibility bus, performs the default action
of the push button called BUTTON_NAME (none for "-"), then waits up to SECONDS (default 10)
for a showing object named "Save problem" (for "-": "Templates file problem") and prints
{"saveProblem": ..., "loadProblem": ..., "dialogs": [...], "templates": [...]}: the
descriptions of the status lines, the texts shown by every alert or dialog of the
application and the names of the items of the "Templates" list. An independent reader, not
Keyferry's own code.
"""

import json
import sys
import time

from atspi_tree import Atspi, application, find, walk


def showing(node):
    return node is not None and node.get_state_set().contains(Atspi.StateType.SHOWING)


def texts_under(node):
    found = []
    for child in walk(node):
        try:
            if child.get_role() == Atspi.Role.LABEL and child.get_name():
                found.append(child.get_name())
        except Exception:
            continue
    return found


def main():
    button_name = sys.argv[1]
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 10.0
    deadline = time.monotonic() + seconds
    app = None
    button = None
    pressing = button_name != "-"
    while time.monotonic() < deadline and (app is None or (pressing and button is None)):
        app = application("Keyferry")
        if app is not None and pressing:
            button = find(app, button_name, Atspi.Role.PUSH_BUTTON)
        if app is None or (pressing and button is None):
            time.sleep(0.2)
    if app is None or (pressing and button is None):
        print(json.dumps({"error": "no button " + button_name}))
        return 1
    if pressing:
        Atspi.Action.do_action(button, 0)

    awaited = "Save problem" if pressing else "Templates file problem"
    while time.monotonic() < deadline:
        problem = find(app, awaited)
        if showing(problem) and problem.get_description():
            break
        time.sleep(0.2)
    problems = {}
    for name in ("Save problem", "Templates file problem"):
        node = find(app, name)
        problems[name] = node.get_description() if showing(node) else None
    result = {"saveProblem": problems["Save problem"],
              "loadProblem": problems["Templates file problem"], "dialogs": [], "templates": []}
    for node in walk(app):
        try:
            role = node.get_role()
        except Exception:
            continue
        if role in (Atspi.Role.ALERT, Atspi.Role.DIALOG):
            result["dialogs"].append(" ".join(texts_under(node)))
        elif role == Atspi.Role.LIST and node.get_name() == "Templates":
            for i in range(node.get_child_count()):
                item = node.get_child_at_index(i)
                if item is not None and item.get_role() == Atspi.Role.LIST_ITEM:
                    result["templates"].append(item.get_name())
    print(json.dumps(result, ensure_ascii=False))
    return 0


if __name__ == "__main__":
    sys.exit(main())
