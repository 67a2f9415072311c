#!/usr/bin/python3
"""Opens a template in Keyferry's window the way a screen reader user would, reads its step
table and changes a step's name and another step's type through the accessible text
interfaces. Prints what it read as one JSON object.

Usage: step_table.py TEMPLATE NAME_ROW NEW_NAME TYPE_ROW NEW_TYPE [SECONDS]

Finds the application named "Keyferry" on the accessibility bus, selects the item of the
"Templates" list whose name starts with TEMPLATE, waits up to SECONDS (default 20) for the
table called "Steps", then prints {"columns": [...], "rows": [[[name, text, editable], ...],
...]} with every cell's accessible name, its text and whether its text is editable, and
sets the texts of the "Name" cell of row NAME_ROW and of the "Type" cell of row TYPE_ROW
(rows from 0) with EditableText. An independent reader, not Keyferry's own code.
"""

import json
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


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


def find(app, name, role):
    for node in walk(app):
        try:
            if node.get_name() == name and node.get_role() == role:
                return node
        except Exception:
            continue
    return None


def text_of(cell):
    try:
        return Atspi.Text.get_text(cell, 0, -1)
    except Exception:
        return None


def editable(cell):
    try:
        return "EditableText" in cell.get_interfaces()
    except Exception:
        return False


def column_named(table, caption):
    for column in range(Atspi.Table.get_n_columns(table)):
        if Atspi.Table.get_column_description(table, column) == caption:
            return column
    return -1


def main():
    template, name_row, new_name, type_row, new_type = sys.argv[1:6]
    seconds = float(sys.argv[6]) if len(sys.argv) > 6 else 20.0
    deadline = time.monotonic() + seconds

    app = templates = None
    while time.monotonic() < deadline and templates is None:
        app = application("Keyferry")
        if app is not None:
            templates = find(app, "Templates", Atspi.Role.LIST)
        if templates is None:
            time.sleep(0.2)
    if templates is None:
        print(json.dumps({"error": "no Templates list"}))
        return 1
    row = -1
    for i in range(templates.get_child_count()):
        item = templates.get_child_at_index(i)
        if item is not None and (item.get_name() or "").startswith(template):
            row = i
            break
    if row < 0:
        print(json.dumps({"error": "no template " + template}))
        return 1
    Atspi.Table.add_row_selection(templates, row)

    table = None
    while time.monotonic() < deadline:
        table = find(app, "Steps", Atspi.Role.TABLE)
        if table is not None and Atspi.Table.get_n_rows(table) > 0:
            break
        time.sleep(0.2)
    if table is None:
        print(json.dumps({"error": "no Steps table"}))
        return 1

    columns = [Atspi.Table.get_column_description(table, c)
               for c in range(Atspi.Table.get_n_columns(table))]
    rows = []
    for r in range(Atspi.Table.get_n_rows(table)):
        cells = []
        for c in range(len(columns)):
            cell = Atspi.Table.get_accessible_at(table, r, c)
            cells.append([cell.get_name() if cell else None, text_of(cell) if cell else None,
                          editable(cell) if cell else False])
        rows.append(cells)

    name_cell = Atspi.Table.get_accessible_at(table, int(name_row), column_named(table, "Name"))
    type_cell = Atspi.Table.get_accessible_at(table, int(type_row), column_named(table, "Type"))
    wrote = (Atspi.EditableText.set_text_contents(name_cell, new_name) and
             Atspi.EditableText.set_text_contents(type_cell, new_type))
    print(json.dumps({"columns": columns, "rows": rows, "wrote": bool(wrote)},
                     ensure_ascii=False))
    return 0


if __name__ == "__main__":
    sys.exit(main())
