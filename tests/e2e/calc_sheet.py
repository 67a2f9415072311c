#!/usr/bin/python3
"""LibreOffice Calc for the end-to-end tests: started with a throw-away profile in which
nothing rewrites what is typed, and read back through UNO.

Usage:
  calc_sheet.py start FOLDER     writes the profile under FOLDER, picks a free port, writes
                                 it to FOLDER/port and becomes `soffice --calc` listening
                                 on localhost at that port
  calc_sheet.py ready PORT       waits (up to 90 s) until a spreadsheet is open and
                                 answers; exit code 0 when it is
  calc_sheet.py cells PORT       prints the used area of the active sheet as one JSON
                                 array of rows, each cell as Calc shows it (its string)
  calc_sheet.py quit PORT        closes Calc without saving

The window's WM_CLASS class is "libreoffice-calc".
"""

import json
import os
import socket
import sys
import time

# Every option that would change typed text: capitals at the start of a sentence or a
# word, typographic quotes, the replacement table ("(c)", "1st", "--"), URL recognition,
# AutoInput completing a cell from the ones above it. The first-start dialogs and the
# "what's new" bar stay away too, so the keyboard focus is in the sheet.
SETTINGS = [
    ("/org.openoffice.Office.Common/AutoCorrect", name, "false")
    for name in ("UseReplacementTable", "TwoCapitalsAtStart", "CapitalAtStartSentence",
                 "ChangeUnderlineWeight", "SetInetAttribute", "ChangeOrdinalNumber",
                 "ChangeDash", "AddNonBreakingSpace", "TransliterateRTL", "ChangeAngleQuotes",
                 "RemoveDoubleSpaces", "CorrectAccidentalCapsLock", "ReplaceSingleQuote",
                 "ReplaceDoubleQuote")
] + [
    ("/org.openoffice.Office.Calc/Input", "AutoInput", "false"),
    ("/org.openoffice.Office.Common/Misc", "FirstRun", "false"),
    ("/org.openoffice.Office.Common/Misc", "ShowTipOfTheDay", "false"),
    ("/org.openoffice.Setup/Product", "ooSetupLastVersion", "99.0"),
]


def write_profile(folder):
    user = os.path.join(folder, "profile", "user")
    os.makedirs(user, exist_ok=True)
    items = "".join(
        f'<item oor:path="{path}"><prop oor:name="{name}" oor:op="fuse">'
        f"<value>{value}</value></prop></item>\n"
        for path, name, value in SETTINGS)
    with open(os.path.join(user, "registrymodifications.xcu"), "w", encoding="utf-8") as out:
        out.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                  '<oor:items xmlns:oor="http://openoffice.org/2001/registry" '
                  'xmlns:xs="http://www.w3.org/2001/XMLSchema" '
                  'xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">\n'
                  + items + "</oor:items>\n")
    return os.path.join(folder, "profile")


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def start(folder):
    profile = write_profile(folder)
    port = free_port()
    with open(os.path.join(folder, "port.tmp"), "w") as out:
        out.write(str(port))
    os.replace(os.path.join(folder, "port.tmp"), os.path.join(folder, "port"))
    # The GTK 3 plugin: it is the one that shows Calc to assistive technologies.
    os.environ["SAL_USE_VCLPLUGIN"] = "gtk3"
    os.execvp("soffice", [
        "soffice", "--calc", "--norestore", "--nologo", "--nolockcheck",
        "-env:UserInstallation=file://" + os.path.abspath(profile),
        f"--accept=socket,host=localhost,port={port};urp;"])


def connect(port):
    import uno  # only in the commands that talk to a running Calc
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext(
        "com.sun.star.bridge.UnoUrlResolver", local)
    context = resolver.resolve(
        f"uno:socket,host=localhost,port={port};urp;StarOffice.ComponentContext")
    return context.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop",
                                                            context)


def spreadsheet(desktop):
    components = desktop.getComponents().createEnumeration()
    while components.hasMoreElements():
        document = components.nextElement()
        if document.supportsService("com.sun.star.sheet.SpreadsheetDocument"):
            return document
    return None


def ready(port):
    deadline = time.monotonic() + 90
    while time.monotonic() < deadline:
        try:
            if spreadsheet(connect(port)) is not None:
                return 0
        except Exception:  # not listening yet
            pass
        time.sleep(0.3)
    return 1


def cells(port):
    document = spreadsheet(connect(port))
    if document is None:
        print("no spreadsheet is open", file=sys.stderr)
        return 1
    sheet = document.getCurrentController().getActiveSheet()
    cursor = sheet.createCursor()
    cursor.gotoEndOfUsedArea(False)
    end = cursor.getRangeAddress()
    rows = [[sheet.getCellByPosition(column, row).getString()
             for column in range(end.EndColumn + 1)]
            for row in range(end.EndRow + 1)]
    print(json.dumps(rows, ensure_ascii=False))
    return 0


def quit_calc(port):
    try:
        desktop = connect(port)
        document = spreadsheet(desktop)
        if document is not None:
            document.setModified(False)
        desktop.terminate()
    except Exception:  # the connection drops while Calc ends
        pass
    return 0


def main():
    commands = {"start": start, "ready": ready, "cells": cells, "quit": quit_calc}
    if len(sys.argv) != 3 or sys.argv[1] not in commands:
        print(__doc__, file=sys.stderr)
        return 2
    return commands[sys.argv[1]](sys.argv[2])


if __name__ == "__main__":
    status = main()
    sys.stdout.flush()
    # The UNO bridge crashed while Python shut down once (after the cells had been printed,
    # turning a right answer into a failure): leave without the interpreter's teardown.
    os._exit(status)
