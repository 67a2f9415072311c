"""What the end-to-end readers share: walking an application's accessible tree the way a
screen reader does, without Keyferry's own code."""

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402,F401  (re-exported for the readers)


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    try:
        count = node.get_child_count()
    except Exception:  # an object that went away while walking
        return
    for i in range(count):
        try:
            child = node.get_child_at_index(i)
        except Exception:
            continue
        yield from walk(child, depth + 1)


def application(name):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and (app.get_name() or "") == name:
            return app
    return None


def find(app, name, role=None):
    for node in walk(app):
        try:
            if node.get_name() == name and (role is None or node.get_role() == role):
                return node
        except Exception:
            continue
    return None
