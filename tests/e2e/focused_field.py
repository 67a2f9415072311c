#!/usr/bin/python3
"""Prints what assistive technologies see of the focused field, as one JSON object.

Usage: focused_field.py [APP_NAME_PART]

Walks the accessibility tree of the applications on the desktop (those whose name contains
APP_NAME_PART, when given) for the object that has the keyboard focus, and prints
{"app": ..., "role": ..., "name": ..., "labelledBy": [...], "text": ...}; {} when no
object has the focus. An independent reader for checking the test forms, not Keyferry's
own code.
"""

import json
import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def focused_in(node, depth=0):
    if node is None or depth > 40:
        return None
    try:
        states = node.get_state_set()
        if states.contains(Atspi.StateType.FOCUSED) and depth > 0:
            return node
        for i in range(node.get_child_count()):
            found = focused_in(node.get_child_at_index(i), depth + 1)
            if found is not None:
                return found
    except Exception:  # an object that went away while walking
        return None
    return None


def describe(app, node):
    labelled_by = []
    for relation in node.get_relation_set():
        if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY:
            for i in range(relation.get_n_targets()):
                labelled_by.append(relation.get_target(i).get_name())
    text = None
    if "Text" in node.get_interfaces():
        text = Atspi.Text.get_text(node, 0, Atspi.Text.get_character_count(node))
    return {"app": app.get_name(), "role": node.get_role_name(), "name": node.get_name(),
            "labelledBy": labelled_by, "text": text}


def main():
    wanted = sys.argv[1] if len(sys.argv) > 1 else ""
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is None or wanted not in (app.get_name() or ""):
            continue
        found = focused_in(app)
        if found is not None:
            print(json.dumps(describe(app, found), ensure_ascii=False))
            return 0
    print("{}")
    return 1


if __name__ == "__main__":
    sys.exit(main())
